#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace ostrelin::app {

// The notification-area component of the main window: it hides the whole program into the
// notification area and brings it back.
class TTrayIconKelmor final : public QObject {
    Q_OBJECT

  public:
    explicit TTrayIconKelmor(QWidget* owner);

    bool ApplicationVisible() const { return applicationVisible_; }

    // Shows the program's window again.
    void ShowApplication() { SetApplicationVisible(true); }
    // Hides the program's window; the icon in the notification area stays.
    void HideApplication() { SetApplicationVisible(false); }

  private:
    void SetApplicationVisible(bool visible);

    QPointer<QWidget> owner_;
    bool applicationVisible_ = true;
};

}  // namespace ostrelin::app
