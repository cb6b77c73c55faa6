#pragma once

#include <string_view>

#include "decode/ByteStream.h"
#include "print/PrinterChoice.h"
#include "print/RichTextOutput.h"

namespace ostrelin::decode {

// The document name under which a text job is printed.
inline constexpr std::string_view kTextJobTitle = "Tarvok Ostrelin - tisk dokumnentu";

// Composes the record stream of a text job, from the stream's position, into a document that
// starts in Courier New 10 points regular with no indent: text records (type 0) are converted
// from code page 852 to 1250 and lose one final CR LF or LF CR, command records (type 1) change
// the attributes, every other record is appended unconverted (type 2 with a 2-byte length, the
// others with a 1-byte one). Then selects the default printer in `choice` when nothing is
// selected, fills the job settings for a document print and prints the document as RTF through
// `output` before returning. Errors of the output pass on to the caller.
void DecodeTextJob(ByteStream& stream, print::PrinterChoice& choice, print::RichTextOutput& output);

}  // namespace ostrelin::decode
