#include "app/tray/TTrayIconKelmor.h"

#include <QCursor>
#include <exception>
#include <utility>

#include "app/tray/AutoPopup.h"
#include "platform/Error.h"
#include "platform/desktop/qt/QtErrorReport.h"
#include "platform/desktop/qt/SystemTrayArea.h"

namespace ostrelin::app {

namespace desktop = platform::desktop;

namespace {

// The first `count` characters of `text`, never cutting one in half: a character outside the
// basic plane takes two UTF-16 units and counts once.
QString FirstCharacters(const QString& text, int count) {
    qsizetype end = 0;
    for (int taken = 0; taken < count && end < text.size(); ++taken) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

}  // namespace

// The window the notification area sends the icon's mouse actions to.
class TTrayIconKelmor::HiddenWindow final : public desktop::MessageWindow {
  public:
    explicit HiddenWindow(TTrayIconKelmor& component) : component_(component) {}

    std::int64_t WindowProc(std::uint32_t message, std::uint64_t wParam,
                            std::int64_t lParam) override {
        return component_.TrayWndProc(message, wParam, lParam);
    }

  private:
    TTrayIconKelmor& component_;
};

TTrayIconKelmor::TTrayIconKelmor(QWidget* owner)
    : TTrayIconKelmor(owner, std::make_unique<desktop::QtErrorReport>(owner)) {}

TTrayIconKelmor::TTrayIconKelmor(QWidget* owner, std::unique_ptr<desktop::ErrorReport> errors)
    : TTrayIconKelmor(owner, *errors) {
    ownErrors_ = std::move(errors);
}

TTrayIconKelmor::TTrayIconKelmor(QWidget* owner, desktop::ErrorReport& errors)
    : TTrayIconKelmor(owner, std::make_unique<desktop::SystemTrayArea>(), errors) {}

TTrayIconKelmor::TTrayIconKelmor(QWidget* owner, std::unique_ptr<desktop::NotificationArea> area,
                                 desktop::ErrorReport& errors)
    : TTrayIconKelmor(owner, *area, errors) {
    ownArea_ = std::move(area);
}

TTrayIconKelmor::TTrayIconKelmor(QWidget* owner, desktop::NotificationArea& area,
                                 desktop::ErrorReport& errors)
    : QObject(owner),
      area_(area),
      errors_(errors),
      owner_(owner),
      hiddenWindow_(std::make_unique<HiddenWindow>(*this)) {
    setObjectName(QStringLiteral("TrayIcon"));
    iconData_.cbSize = IconRecordSize;
    iconData_.hWnd = hiddenWindow_.get();
    iconData_.uID = 0;
    iconData_.uCallbackMessage = CallbackMessage;
    area_.SetAvailabilityHandler([this](bool available) { AreaChanged(available); });
}

TTrayIconKelmor::~TTrayIconKelmor() {
    area_.SetAvailabilityHandler({});
    if (visible_) {
        HideIcon();
    }
}

void TTrayIconKelmor::Loaded() {
    SetApplicationVisible(applicationVisible_);
    SetVisible(visible_);
}

void TTrayIconKelmor::SetVisible(bool visible) {
    if (visible) {
        FillIconData();
        // A refusal (no notification area, or the icon is already there) changes nothing here:
        // the icon counts as shown and is added when an area appears.
        area_.Shell_NotifyIcon(desktop::NIM_ADD, iconData_);
        visible_ = true;
    } else if (visible_) {
        area_.Shell_NotifyIcon(desktop::NIM_DELETE, iconData_);
        visible_ = false;
    }
}

void TTrayIconKelmor::SetIcon(const QIcon& icon) {
    icon_ = icon;
    UpdateIcon();
}

void TTrayIconKelmor::SetHint(const QString& hint) {
    hint_ = hint;
    UpdateIcon();
}

bool TTrayIconKelmor::NotificationAreaAvailable() const {
    return area_.Available();
}

void TTrayIconKelmor::SetApplicationVisible(bool visible) {
    if (owner_.isNull()) {
        return;
    }
    owner_->setVisible(visible);
    applicationVisible_ = visible;
}

void TTrayIconKelmor::FillIconData() {
    iconData_.uFlags = 0;
    iconData_.hIcon = icon_;
    iconData_.szTip = FirstCharacters(hint_, desktop::MaxTrayTipCharacters).toStdString();
    if (iconData_.hWnd != nullptr) {
        iconData_.uFlags |= desktop::NIF_MESSAGE;
    }
    if (!iconData_.hIcon.isNull()) {
        iconData_.uFlags |= desktop::NIF_ICON;
    }
    if (!iconData_.szTip.empty()) {
        iconData_.uFlags |= desktop::NIF_TIP;
    }
}

// Also while the icon is not shown: the area then refuses and nothing happens.
void TTrayIconKelmor::ShowBalloon(const QString& title, const QString& text) {
    desktop::NOTIFYICONDATA balloon = iconData_;
    balloon.uFlags = desktop::NIF_INFO;
    balloon.szInfoTitle = title.toStdString();
    balloon.szInfo = text.toStdString();
    area_.Shell_NotifyIcon(desktop::NIM_MODIFY, balloon);
}

void TTrayIconKelmor::UpdateIcon() {
    FillIconData();
    area_.Shell_NotifyIcon(desktop::NIM_MODIFY, iconData_);
}

void TTrayIconKelmor::PopupAtCursor() {
    if (popupMenu_ != nullptr && AutoPopup(*popupMenu_)) {
        popupMenu_->popup(QCursor::pos());
    }
}

std::int64_t TTrayIconKelmor::TrayWndProc(std::uint32_t message, std::uint64_t /*wParam*/,
                                          std::int64_t lParam) {
    if (message != CallbackMessage) {
        return 0;
    }
    // Called from the event loop: nothing may escape to it.
    try {
        HandleMouseAction(lParam);
    } catch (const std::exception& error) {
        errors_.Report(ErrorText(error));
    }
    return 0;
}

void TTrayIconKelmor::HandleMouseAction(std::int64_t action) {
    const auto call = [this](const TNotifyEvent& handler) {
        if (handler) {
            handler(this);
        }
    };
    switch (action) {
        case desktop::WM_MOUSEMOVE:
            call(onMouseMove_);
            break;
        case desktop::WM_LBUTTONDOWN:
            call(onMouseDown_);
            break;
        case desktop::WM_LBUTTONUP:
            call(onMouseUp_);
            break;
        case desktop::WM_LBUTTONDBLCLK:
            if (onDblClick_) {
                onDblClick_(this);
            } else if (!applicationVisible_) {
                SetApplicationVisible(true);
            }
            break;
        case desktop::WM_RBUTTONUP:
            PopupAtCursor();
            break;
        default:
            break;
    }
}

// A notification area that appears later (a panel started after the program, or restarted)
// gets the icon at once, so that a hidden program can always be brought back.
void TTrayIconKelmor::AreaChanged(bool available) {
    if (available && visible_) {
        SetVisible(true);
    }
    emit NotificationAreaChanged(available);
}

}  // namespace ostrelin::app
