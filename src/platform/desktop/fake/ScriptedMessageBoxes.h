#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/desktop/MessageBoxes.h"

namespace ostrelin::platform::desktop {

// Message boxes for tests: every call is recorded, and the answers come from a script.
class ScriptedMessageBoxes final : public MessageBoxes {
  public:
    struct Call {
        std::string Text;
        std::string Caption;
        unsigned Style = 0;

        friend bool operator==(const Call&, const Call&) = default;
    };

    // `unscriptedAnswer` is given once the scripted answers have run out.
    explicit ScriptedMessageBoxes(int unscriptedAnswer = IDNO)
        : unscriptedAnswer_(unscriptedAnswer) {}

    // Queues the answer for the next box.
    void Answer(int id) { answers_.push_back(id); }

    // Every box shown so far, oldest first.
    const std::vector<Call>& Calls() const { return calls_; }

    // Records the call and returns the next scripted answer.
    int MessageBox(const std::string& text, const std::string& caption, unsigned style) override;

  private:
    int unscriptedAnswer_;
    std::deque<int> answers_;
    std::vector<Call> calls_;
};

}  // namespace ostrelin::platform::desktop
