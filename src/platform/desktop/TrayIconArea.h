#pragma once

#include <QIcon>
#include <cstdint>
#include <functional>
#include <string>

namespace ostrelin::platform::desktop {

// What to do with an icon of the notification area.
inline constexpr std::uint32_t NIM_ADD = 0;
inline constexpr std::uint32_t NIM_MODIFY = 1;
inline constexpr std::uint32_t NIM_DELETE = 2;

// Which fields of an icon record are meant.
inline constexpr std::uint32_t NIF_MESSAGE = 1;
inline constexpr std::uint32_t NIF_ICON = 2;
inline constexpr std::uint32_t NIF_TIP = 4;
// A balloon message from the icon, shown once; not a lasting part of the icon.
inline constexpr std::uint32_t NIF_INFO = 16;

// Mouse actions on an icon, delivered as the last parameter of its callback message.
inline constexpr std::uint32_t WM_MOUSEMOVE = 512;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 513;
inline constexpr std::uint32_t WM_LBUTTONUP = 514;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 515;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 516;
inline constexpr std::uint32_t WM_RBUTTONUP = 517;
inline constexpr std::uint32_t WM_MBUTTONDOWN = 519;
inline constexpr std::uint32_t WM_MBUTTONUP = 520;

// The longest tool tip of an icon, in characters.
inline constexpr int MaxTrayTipCharacters = 63;

// A window that only receives messages, such as the callbacks of a notification-area icon.
class MessageWindow {
  public:
    virtual ~MessageWindow() = default;

    // Handles `message` with its two parameters; returns the message's result.
    virtual std::int64_t WindowProc(std::uint32_t message, std::uint64_t wParam,
                                    std::int64_t lParam) = 0;
};

// The record describing one icon. An icon is known by its window and identifier.
struct NOTIFYICONDATA {
    std::uint32_t cbSize = 0;
    MessageWindow* hWnd = nullptr;  // receives uCallbackMessage(uID, mouse action)
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;  // NIF_*: which of the fields below are meant
    std::uint32_t uCallbackMessage = 0;
    QIcon hIcon;
    std::string szTip;        // UTF-8, at most MaxTrayTipCharacters characters
    std::string szInfoTitle;  // the balloon's title and text, UTF-8
    std::string szInfo;
};

// The desktop's notification area ("system tray"), where a program shows small icons.
class NotificationArea {
  public:
    virtual ~NotificationArea() = default;

    // Adds (NIM_ADD), changes (NIM_MODIFY) or removes (NIM_DELETE) the icon `data` describes.
    // Returns false when the area refused: adding an icon that is already there or while the
    // desktop has no notification area, changing or removing one that is not there.
    virtual bool Shell_NotifyIcon(std::uint32_t message, const NOTIFYICONDATA& data) = 0;

    // True while the desktop has a notification area.
    virtual bool Available() const = 0;

    // Has `handler` called with the new state whenever the notification area appears or goes
    // away; an empty handler stops the calls.
    virtual void SetAvailabilityHandler(std::function<void(bool available)> handler) = 0;
};

}  // namespace ostrelin::platform::desktop
