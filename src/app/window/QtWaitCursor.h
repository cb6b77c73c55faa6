#pragma once

#include "print/WaitCursor.h"

namespace ostrelin::app {

// The wait cursor over all the program's windows while a job is put on paper.
class QtWaitCursor final : public print::WaitCursor {
  public:
    void ShowWait() override;
    void RestoreDefault() override;
};

}  // namespace ostrelin::app
