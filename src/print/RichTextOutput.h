#pragma once

#include <string_view>

#include "print/TPrintJob.h"

namespace ostrelin::print {

// The report form's way of printing a text job, as the text composer sees it.
class RichTextOutput {
  public:
    virtual ~RichTextOutput() = default;

    // Prints the document `rtf` (Rich Text Format, read from its first byte) over as many pages
    // as it needs, with the settings of `job`. Returns true; failures are raised as errors.
    virtual bool PrintRichTextJob(TPrintJob& job, std::string_view rtf) = 0;
};

}  // namespace ostrelin::print
