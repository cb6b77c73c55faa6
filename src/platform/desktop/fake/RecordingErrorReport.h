#pragma once

#include <string>
#include <vector>

#include "platform/desktop/ErrorReport.h"

namespace ostrelin::platform::desktop {

// An error report for tests that keeps every message.
class RecordingErrorReport final : public ErrorReport {
  public:
    // Keeps the message.
    void Report(const std::string& message) override;

    // Every message reported so far, oldest first.
    const std::vector<std::string>& Messages() const { return messages_; }

  private:
    std::vector<std::string> messages_;
};

}  // namespace ostrelin::platform::desktop
