#pragma once

#include <QObject>
#include <functional>

namespace ostrelin::app {

// Calls an idle handler whenever the event loop is about to wait for events. The handler returns
// "done": false asks to be called again at once, true lets the loop sleep until the next event.
// The handler is never re-entered from event processing inside it, and it does not run while a
// modal message box is open.
class IdleHook final : public QObject {
    Q_OBJECT

  public:
    using Handler = std::function<bool()>;

    IdleHook(Handler handler, QObject* parent);

    // Stops calling the handler for good (the program is ending).
    void Stop() { stopped_ = true; }

  private:
    void AboutToBlock();

    Handler handler_;
    bool running_ = false;
    bool stopped_ = false;
};

}  // namespace ostrelin::app
