#pragma once

#include <string_view>

#include "platform/richtext/RichTextDocument.h"

namespace ostrelin::platform::richtext {

// A document of the plain code page 1250 text `text` in `format`: one paragraph per line, lines
// ending in CR LF, a lone CR or a lone LF; a last line without a line end counts when it is not
// empty.
RichTextDocument ReadPlainText(std::string_view text, const CharFormat& format);

}  // namespace ostrelin::platform::richtext
