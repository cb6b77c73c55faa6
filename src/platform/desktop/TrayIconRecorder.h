#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/desktop/TrayIconArea.h"

namespace ostrelin::platform::desktop {

// A notification area for tests: it keeps the icons it was asked to show, records every request
// with its answer, and lets a test click icons and make the area appear or go away.
class TrayIconRecorder final : public NotificationArea {
  public:
    struct Call {
        std::uint32_t Message;
        NOTIFYICONDATA Data;
        bool Result;
    };

    explicit TrayIconRecorder(bool available = true) : available_(available) {}

    // Answers like a desktop would and records the request.
    bool Shell_NotifyIcon(std::uint32_t message, const NOTIFYICONDATA& data) override {
        const auto found = Find(data);
        bool result = false;
        if (message == NIM_ADD && available_ && found == icons_.end()) {
            icons_.push_back(data);
            result = true;
        } else if (message == NIM_MODIFY && found != icons_.end()) {
            Modify(*found, data);
            result = true;
        } else if (message == NIM_DELETE && found != icons_.end()) {
            icons_.erase(found);
            result = true;
        }
        calls_.push_back(Call{message, data, result});
        return result;
    }

    bool Available() const override { return available_; }

    void SetAvailabilityHandler(std::function<void(bool)> handler) override {
        handler_ = std::move(handler);
    }

    // Makes the notification area appear or go away; icons go away with it.
    void SetAvailable(bool available) {
        if (available == available_) {
            return;
        }
        available_ = available;
        if (!available) {
            icons_.clear();
        }
        if (handler_) {
            handler_(available);
        }
    }

    // Performs the mouse action `action` on every icon shown that asked for callbacks.
    void MouseAction(std::uint32_t action) {
        const std::vector<NOTIFYICONDATA> shown = icons_;
        for (const NOTIFYICONDATA& icon : shown) {
            if ((icon.uFlags & NIF_MESSAGE) != 0 && icon.hWnd != nullptr) {
                icon.hWnd->WindowProc(icon.uCallbackMessage, icon.uID, action);
            }
        }
    }

    // The icons shown now, as the area holds them.
    const std::vector<NOTIFYICONDATA>& Icons() const { return icons_; }

    // Every request so far, oldest first.
    const std::vector<Call>& Calls() const { return calls_; }

    void ClearCalls() { calls_.clear(); }

  private:
    std::vector<NOTIFYICONDATA>::iterator Find(const NOTIFYICONDATA& data) {
        return std::find_if(icons_.begin(), icons_.end(), [&](const NOTIFYICONDATA& icon) {
            return icon.hWnd == data.hWnd && icon.uID == data.uID;
        });
    }

    // A change touches only the fields its flags name, as on the desktop.
    static void Modify(NOTIFYICONDATA& icon, const NOTIFYICONDATA& data) {
        if ((data.uFlags & NIF_MESSAGE) != 0) {
            icon.uCallbackMessage = data.uCallbackMessage;
        }
        if ((data.uFlags & NIF_ICON) != 0) {
            icon.hIcon = data.hIcon;
        }
        if ((data.uFlags & NIF_TIP) != 0) {
            icon.szTip = data.szTip;
        }
        icon.uFlags |= data.uFlags & ~NIF_INFO;
    }

    bool available_;
    std::vector<NOTIFYICONDATA> icons_;
    std::vector<Call> calls_;
    std::function<void(bool)> handler_;
};

}  // namespace ostrelin::platform::desktop
