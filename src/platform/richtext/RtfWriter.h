#pragma once

#include <string>

#include "platform/richtext/RichTextDocument.h"

namespace ostrelin::platform::richtext {

// The document as Rich Text Format, marked as code page 1250 with the default format's font as
// the default font (f0) and the default format as the Normal style. Each paragraph is written as
// \pard with its \li in twips, its runs with \plain\f\fs and \b \i \ul, and \par. Letters above
// ASCII go out as \uN with the code page 1250 byte as fallback, so that both Unicode-aware and
// code-page readers get them right.
std::string WriteRtf(const RichTextDocument& document);

}  // namespace ostrelin::platform::richtext
