#pragma once

#include <string>
#include <vector>

#include "print/WaitCursor.h"

namespace ostrelin::print::testing {

// A cursor that records what it was asked to show: "wait" and "default", in order.
class RecordingWaitCursor final : public WaitCursor {
  public:
    void ShowWait() override { Shown.push_back("wait"); }
    void RestoreDefault() override { Shown.push_back("default"); }

    std::vector<std::string> Shown;
};

}  // namespace ostrelin::print::testing
