#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/desktop/ErrorReport.h"
#include "platform/desktop/TrayIconArea.h"

namespace ostrelin::app {

// The notification-area component of the main window: it shows an icon with a tool tip in the
// desktop's notification area, turns mouse actions on the icon into events, pops up a menu on a
// right click, and hides the whole program into the notification area and brings it back.
//
// Set it up like this: construct it, set Icon, Hint, PopupMenu and the events, then call Loaded(),
// which shows the owner and adds the icon.
class TTrayIconKelmor final : public QObject {
    Q_OBJECT

  public:
    // A mouse event of the icon; only the sender is told.
    using TNotifyEvent = std::function<void(QObject* sender)>;

    // The callback message the icon sends to its hidden window.
    static constexpr std::uint32_t CallbackMessage = 1034;  // WM_USER + 10
    // The size the icon record has always had.
    static constexpr std::uint32_t IconRecordSize = 88;

    // A component on `owner` that uses the desktop's notification area and shows errors of its
    // event handlers in the general error message box.
    explicit TTrayIconKelmor(QWidget* owner);

    // A component on `owner` that uses the desktop's notification area and hands errors of its
    // event handlers to `errors`, which must outlive the component.
    TTrayIconKelmor(QWidget* owner, platform::desktop::ErrorReport& errors);

    // A component on `owner` (may be null) that uses `area` and hands errors of its event
    // handlers to `errors`; both must outlive the component.
    TTrayIconKelmor(QWidget* owner, platform::desktop::NotificationArea& area,
                    platform::desktop::ErrorReport& errors);

    // Removes the icon if it is shown.
    ~TTrayIconKelmor() override;

    TTrayIconKelmor(const TTrayIconKelmor&) = delete;
    TTrayIconKelmor& operator=(const TTrayIconKelmor&) = delete;

    // Puts the settings made since construction into effect: shows or hides the owner as
    // ApplicationVisible says, then adds the icon if Visible.
    void Loaded();

    // Whether the icon is (to be) shown in the notification area.
    bool Visible() const { return visible_; }
    // Adds the icon (true; again if already added, which the area refuses) or removes it (false).
    void SetVisible(bool visible);

    // Whether the program's window is shown.
    bool ApplicationVisible() const { return applicationVisible_; }

    // The picture of the icon.
    const QIcon& Icon() const { return icon_; }
    // Takes a copy of `icon` and shows it.
    void SetIcon(const QIcon& icon);

    // The tool tip of the icon; the area shows its first 63 characters.
    const QString& Hint() const { return hint_; }
    // Stores `hint` and shows it.
    void SetHint(const QString& hint);
    // Shows a balloon message from the icon, when it is in the notification area.
    void ShowBalloon(const QString& title, const QString& text);

    // The menu opened on a right click (not owned), or null; null also after the menu is gone.
    QMenu* PopupMenu() const { return popupMenu_; }
    // Sets the menu opened on a right click; see AutoPopup for a menu that must not open itself.
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

    const TNotifyEvent& OnMouseMove() const { return onMouseMove_; }
    void SetOnMouseMove(TNotifyEvent handler) { onMouseMove_ = std::move(handler); }
    const TNotifyEvent& OnMouseDown() const { return onMouseDown_; }
    void SetOnMouseDown(TNotifyEvent handler) { onMouseDown_ = std::move(handler); }
    const TNotifyEvent& OnMouseUp() const { return onMouseUp_; }
    void SetOnMouseUp(TNotifyEvent handler) { onMouseUp_ = std::move(handler); }
    const TNotifyEvent& OnDblClick() const { return onDblClick_; }
    void SetOnDblClick(TNotifyEvent handler) { onDblClick_ = std::move(handler); }

    // Shows the program's window again.
    void ShowApplication() { SetApplicationVisible(true); }
    // Hides the program's window; the icon in the notification area stays.
    void HideApplication() { SetApplicationVisible(false); }
    // Removes the icon from the notification area.
    void HideIcon() { SetVisible(false); }

    // True while the desktop has a notification area to hide the program into. Without one, a
    // hidden window could only be brought back from outside.
    bool NotificationAreaAvailable() const;

    // The icon record as last filled.
    const platform::desktop::NOTIFYICONDATA& IconData() const { return iconData_; }

    // The hidden window's handling of a message: mouse actions on the icon arrive as the callback
    // message with the action in `lParam`; errors of the handlers they call go to the error
    // report. Other messages are not ours and give 0.
    std::int64_t TrayWndProc(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);

  signals:
    // The desktop's notification area has appeared or gone away. When it appears, a Visible
    // icon is added to it at once.
    void NotificationAreaChanged(bool available);

  private:
    class HiddenWindow;

    // The component that owns its error report, or its notification area.
    TTrayIconKelmor(QWidget* owner, std::unique_ptr<platform::desktop::ErrorReport> errors);
    TTrayIconKelmor(QWidget* owner, std::unique_ptr<platform::desktop::NotificationArea> area,
                    platform::desktop::ErrorReport& errors);

    void SetApplicationVisible(bool visible);
    void FillIconData();
    void UpdateIcon();
    void PopupAtCursor();
    void HandleMouseAction(std::int64_t action);
    void AreaChanged(bool available);

    std::unique_ptr<platform::desktop::NotificationArea> ownArea_;
    std::unique_ptr<platform::desktop::ErrorReport> ownErrors_;
    platform::desktop::NotificationArea& area_;
    platform::desktop::ErrorReport& errors_;
    QPointer<QWidget> owner_;

    bool visible_ = true;
    bool applicationVisible_ = true;
    QIcon icon_;
    QString hint_;
    std::unique_ptr<HiddenWindow> hiddenWindow_;
    platform::desktop::NOTIFYICONDATA iconData_;
    QPointer<QMenu> popupMenu_;
    TNotifyEvent onMouseMove_;
    TNotifyEvent onMouseDown_;
    TNotifyEvent onMouseUp_;
    TNotifyEvent onDblClick_;
};

}  // namespace ostrelin::app
