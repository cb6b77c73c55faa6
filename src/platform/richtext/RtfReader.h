#pragma once

#include <optional>
#include <string_view>

#include "platform/richtext/RichTextDocument.h"

namespace ostrelin::platform::richtext {

// Reads a Rich Text Format stream: paragraphs (\par, with \pard and \li), runs (\plain, \f, \fs,
// \b, \i, \ul and its kinds, hidden \v text dropped), \'hh as code page 1250 bytes, \uN mapped
// to code page 1250 with its \ucN fallback skipped (the fallback is kept when the letter has no
// code page 1250 byte), \tab, escaped \\ \{ \}. The font table gives the fonts' names. Text
// starts, and \plain returns, in RTF's plain format (the \deff font, 12 points, no styles); the
// Normal style, when there is one, gives the document's default format. Other
// destinations (colour table, information, pictures, headers, {\*...}) are skipped whole. Text
// after the last \par becomes a final paragraph when it holds characters.
// Returns none when the stream is not RTF: it does not begin with "{\rtf", or its groups nest
// deeper than any real document does.
std::optional<RichTextDocument> ReadRtf(std::string_view rtf);

}  // namespace ostrelin::platform::richtext
