#pragma once

#include <QPointer>
#include <QWidget>
#include <iostream>

#include "platform/desktop/ErrorReport.h"

namespace ostrelin::platform::desktop {

// The general error report. On a display: a modal critical message box captioned with the
// application's display name and showing the error's own text. Without a display (no GUI
// application, or Qt's "offscreen" or "minimal" platform): one line "<application name>: <message>"
// on the console stream, so that a headless spooler never waits for a box nobody can see.
class QtErrorReport final : public ErrorReport {
  public:
    // `owner` (may be null) is the window the box is centred on; `console` receives the lines
    // written when there is no display.
    explicit QtErrorReport(QWidget* owner = nullptr, std::ostream& console = std::cerr)
        : owner_(owner), console_(console) {}

    // Shows or writes the message as described above.
    void Report(const std::string& message) override;

    // True when the application runs on a display that a user can see.
    static bool HasDisplay();

  private:
    QPointer<QWidget> owner_;
    std::ostream& console_;
};

}  // namespace ostrelin::platform::desktop
