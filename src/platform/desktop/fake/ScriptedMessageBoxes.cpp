#include "platform/desktop/fake/ScriptedMessageBoxes.h"

namespace ostrelin::platform::desktop {

int ScriptedMessageBoxes::MessageBox(const std::string& text, const std::string& caption,
                                     unsigned style) {
    calls_.push_back({text, caption, style});
    if (answers_.empty()) {
        return unscriptedAnswer_;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

}  // namespace ostrelin::platform::desktop
