#pragma once

namespace ostrelin::print {

// The window system's mouse cursor as the report form uses it: the wait cursor while a job is
// put on paper, the default cursor afterwards. The program implements it on its windows; where
// no window is shown it does nothing.
class WaitCursor {
  public:
    virtual ~WaitCursor() = default;

    // Shows the wait (busy) cursor.
    virtual void ShowWait() = 0;
    // Shows the default cursor again.
    virtual void RestoreDefault() = 0;
};

// Shows the wait cursor for its own lifetime, so that the default cursor comes back on every way
// out of a job, errors included.
class WaitCursorScope {
  public:
    explicit WaitCursorScope(WaitCursor& cursor) : cursor_(cursor) { cursor_.ShowWait(); }
    ~WaitCursorScope() { cursor_.RestoreDefault(); }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;

  private:
    WaitCursor& cursor_;
};

}  // namespace ostrelin::print
