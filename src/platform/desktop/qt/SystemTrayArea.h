#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <chrono>
#include <functional>
#include <vector>

#include "platform/desktop/TrayIconArea.h"

class QTimer;

namespace ostrelin::platform::desktop {

// The desktop's notification area through Qt: one QSystemTrayIcon per icon added. A click on an
// icon reaches the icon's window as its callback message with the mouse actions the click stands
// for (see MouseActionsOf). Qt reports no mouse movement over an icon, so WM_MOUSEMOVE never comes.
//
// Whether the desktop has a notification area is asked again every `pollInterval`: Qt gives no
// notice when a panel with a tray starts (or ends) after the program.
class SystemTrayArea final : public QObject, public NotificationArea {
    Q_OBJECT

  public:
    using Probe = std::function<bool()>;

    // `probe` answers whether the desktop has a notification area now; tests substitute their
    // own answer for Qt's.
    explicit SystemTrayArea(QObject* parent = nullptr,
                            Probe probe = &QSystemTrayIcon::isSystemTrayAvailable,
                            std::chrono::milliseconds pollInterval = std::chrono::seconds(2));

    // See NotificationArea. Fields the flags leave out are not touched.
    bool Shell_NotifyIcon(std::uint32_t message, const NOTIFYICONDATA& data) override;

    bool Available() const override { return available_; }

    void SetAvailabilityHandler(std::function<void(bool)> handler) override;

    // Asks the probe again; a change is passed on to the availability handler.
    void CheckAvailability();

    // The mouse actions, in the order a mouse makes them, that one activation of an icon stands
    // for: a click is a press and a release, a double click the double-click press and a release,
    // the context request a right press and release, a middle click a middle press and release.
    static std::vector<std::uint32_t> MouseActionsOf(QSystemTrayIcon::ActivationReason reason);

  private:
    struct Entry {
        QPointer<QSystemTrayIcon> Icon;
        MessageWindow* Window = nullptr;
        std::uint32_t Id = 0;
        std::uint32_t Flags = 0;
        std::uint32_t CallbackMessage = 0;
    };

    std::vector<Entry>::iterator Find(MessageWindow* window, std::uint32_t id);
    std::vector<Entry>::iterator FindByIcon(const QSystemTrayIcon* icon);
    bool Add(const NOTIFYICONDATA& data);
    static void Apply(Entry& entry, const NOTIFYICONDATA& data);
    void Activated(const QSystemTrayIcon* icon, QSystemTrayIcon::ActivationReason reason);

    Probe probe_;
    bool available_ = false;
    std::function<void(bool)> handler_;
    std::vector<Entry> entries_;
    QTimer* poll_ = nullptr;
};

}  // namespace ostrelin::platform::desktop
