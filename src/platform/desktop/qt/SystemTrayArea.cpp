#include "platform/desktop/qt/SystemTrayArea.h"

#include <QTimer>
#include <algorithm>
#include <utility>

namespace ostrelin::platform::desktop {

SystemTrayArea::SystemTrayArea(QObject* parent, Probe probe, std::chrono::milliseconds pollInterval)
    : QObject(parent), probe_(std::move(probe)), available_(probe_()) {
    poll_ = new QTimer(this);
    poll_->setInterval(pollInterval);
    connect(poll_, &QTimer::timeout, this, &SystemTrayArea::CheckAvailability);
    poll_->start();
}

std::vector<SystemTrayArea::Entry>::iterator SystemTrayArea::Find(MessageWindow* window,
                                                                  std::uint32_t id) {
    return std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.Window == window && entry.Id == id;
    });
}

std::vector<SystemTrayArea::Entry>::iterator SystemTrayArea::FindByIcon(
    const QSystemTrayIcon* icon) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Entry& entry) { return entry.Icon == icon; });
}

void SystemTrayArea::Apply(Entry& entry, const NOTIFYICONDATA& data) {
    if ((data.uFlags & NIF_MESSAGE) != 0) {
        entry.CallbackMessage = data.uCallbackMessage;
    }
    if ((data.uFlags & NIF_ICON) != 0) {
        entry.Icon->setIcon(data.hIcon);
    }
    if ((data.uFlags & NIF_TIP) != 0) {
        entry.Icon->setToolTip(QString::fromStdString(data.szTip));
    }
    if ((data.uFlags & NIF_INFO) != 0) {
        entry.Icon->showMessage(QString::fromStdString(data.szInfoTitle),
                                QString::fromStdString(data.szInfo));
    }
    entry.Flags |= data.uFlags & ~NIF_INFO;
}

bool SystemTrayArea::Add(const NOTIFYICONDATA& data) {
    if (!available_ || Find(data.hWnd, data.uID) != entries_.end()) {
        return false;
    }
    auto* icon = new QSystemTrayIcon(this);
    icon->setObjectName(QStringLiteral("NotificationAreaIcon"));
    connect(icon, &QSystemTrayIcon::activated, this,
            [this, icon](QSystemTrayIcon::ActivationReason reason) { Activated(icon, reason); });
    Entry entry{icon, data.hWnd, data.uID, 0, 0};
    Apply(entry, data);
    entries_.push_back(entry);
    icon->show();
    return true;
}

bool SystemTrayArea::Shell_NotifyIcon(std::uint32_t message, const NOTIFYICONDATA& data) {
    if (message == NIM_ADD) {
        return Add(data);
    }
    const auto found = Find(data.hWnd, data.uID);
    if (found == entries_.end()) {
        return false;
    }
    if (message == NIM_MODIFY) {
        Apply(*found, data);
        return true;
    }
    if (message == NIM_DELETE) {
        // The icon may be the one whose click is being handled right now: it goes once control
        // is back in the event loop.
        QSystemTrayIcon* icon = found->Icon;
        entries_.erase(found);
        if (icon != nullptr) {
            icon->hide();
            icon->deleteLater();
        }
        return true;
    }
    return false;
}

void SystemTrayArea::SetAvailabilityHandler(std::function<void(bool)> handler) {
    handler_ = std::move(handler);
}

void SystemTrayArea::CheckAvailability() {
    const bool available = probe_();
    if (available == available_) {
        return;
    }
    available_ = available;
    if (handler_) {
        handler_(available);
    }
}

std::vector<std::uint32_t> SystemTrayArea::MouseActionsOf(
    QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return {WM_LBUTTONDOWN, WM_LBUTTONUP};
        case QSystemTrayIcon::DoubleClick:
            return {WM_LBUTTONDBLCLK, WM_LBUTTONUP};
        case QSystemTrayIcon::Context:
            return {WM_RBUTTONDOWN, WM_RBUTTONUP};
        case QSystemTrayIcon::MiddleClick:
            return {WM_MBUTTONDOWN, WM_MBUTTONUP};
        case QSystemTrayIcon::Unknown:
            break;
    }
    return {};
}

void SystemTrayArea::Activated(const QSystemTrayIcon* icon,
                               QSystemTrayIcon::ActivationReason reason) {
    for (const std::uint32_t action : MouseActionsOf(reason)) {
        // Each action may remove the icon (or add others), so it is looked up afresh.
        const auto found = FindByIcon(icon);
        if (found == entries_.end() || (found->Flags & NIF_MESSAGE) == 0 ||
            found->Window == nullptr) {
            return;
        }
        found->Window->WindowProc(found->CallbackMessage, found->Id, action);
    }
}

}  // namespace ostrelin::platform::desktop
