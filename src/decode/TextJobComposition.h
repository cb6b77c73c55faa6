#pragma once

#include <string_view>

#include "platform/richtext/RichTextDocument.h"

namespace ostrelin::decode {

// The base font of every text job: Courier New, fixed pitch, 10 points, regular.
platform::richtext::CharFormat TextJobBaseFont();

// A text job's document under composition. Composition only appends: commands change the
// attributes and the indent that the next paragraphs take, and nothing composed changes again.
struct TextDocument {
    platform::richtext::RichTextDocument Document{TextJobBaseFont()};
    platform::richtext::CharFormat Current = TextJobBaseFont();  // attributes of new text
    int IndentPoints = 0;  // left indent of new paragraphs, every line alike
};

// Applies one command record: 3 to 6 set the size (16, 12, 10, 8 points), 7/8 bold on/off,
// 9/10 italic, 11/12 underline, 14 appends an empty paragraph, 100 makes Courier New 10 points
// regular the default font and Courier New the current font (size and styles stay), 101 sets
// the indent to the second byte in points (0 when there is none). Codes from 100 on take the
// second byte as their parameter; lower codes ignore it. Other codes, and a record without any
// byte, change nothing.
void ApplyTextCommand(TextDocument& document, std::string_view data);

// Appends `text` (code page 1250) with the current attributes and indent: one paragraph per
// piece between CR LF pairs, an empty paragraph for an empty text. NUL bytes are dropped; a lone
// CR or LF stays in its paragraph. Linear in the length of the text.
void AppendTextParagraphs(TextDocument& document, std::string_view text);

}  // namespace ostrelin::decode
