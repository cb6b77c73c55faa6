#include "platform/desktop/fake/RecordingErrorReport.h"

namespace ostrelin::platform::desktop {

void RecordingErrorReport::Report(const std::string& message) {
    messages_.push_back(message);
}

}  // namespace ostrelin::platform::desktop
