#pragma once

#include <string>

#include "platform/printing/preview/PreviewPrinting.h"

namespace ostrelin::app {

// Where the window gets a waiting job's pages from, to show them without printing the job.
class JobPreview {
  public:
    virtual ~JobPreview() = default;

    // The pages that printing the spool file whose content is `bytes` gives, in their order, as
    // recordings at the screen's resolution. Raises the errors printing the job would raise.
    virtual platform::printing::preview::PreviewPages Render(std::string bytes) = 0;
};

}  // namespace ostrelin::app
