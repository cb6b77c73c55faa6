#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/canvas/Canvas.h"
#include "platform/richtext/RichTextDocument.h"
#include "platform/richtext/TextLayout.h"
#include "platform/richtext/TextMetrics.h"

namespace ostrelin::platform::richtext {

// The largest document the control holds: character indexes are 32-bit signed numbers.
inline constexpr std::size_t kMaxTextLength = INT32_MAX;

// What a formatting pass over a rectangle answers.
struct FormatRangeResult {
    int NextCharacter = 0;  // the first character that did not fit (measure) or was not drawn
    int Bottom = 0;         // device pixels: the bottom of the text that fit
    friend bool operator==(const FormatRangeResult&, const FormatRangeResult&) = default;
};

// Our stand-in for the rich-edit control: holds one document, loads it from a stream, tells its
// length and lays it out onto device rectangles, measuring or drawing. Character indexes count
// each paragraph's end mark as one character.
class RichEditControl {
  public:
    // A control with an empty document, laying text out with `metrics`, which must outlive it.
    // Documents longer than `maxTextLength` characters are refused.
    explicit RichEditControl(TextMetrics& metrics, std::size_t maxTextLength = kMaxTextLength);
    RichEditControl(const RichEditControl&) = delete;
    RichEditControl& operator=(const RichEditControl&) = delete;

    // Replaces the document with the one in `stream`, read as RTF; when that fails, as plain text
    // in the default format. Raises "Failed to Load Stream" when neither gives a document; the
    // previous document then stays.
    void LoadFromStream(std::string_view stream);

    // Replaces the document; raises "Failed to Load Stream" when it is too long to hold.
    void SetDocument(RichTextDocument document);

    // The document held.
    const RichTextDocument& Document() const { return document_; }

    // The format of text loaded as plain text.
    const CharFormat& DefaultFormat() const { return defaultFormat_; }
    // Sets the format of text loaded as plain text from now on.
    void SetDefaultFormat(const CharFormat& format) { defaultFormat_ = format; }

    // The document's length in characters.
    int TextLength() const;

    // How much of the text from character `first` fits into `area` (device pixels at dpiX ×
    // dpiY pixels per inch): the first character that does not fit, and the bottom of the text
    // that does. Draws nothing.
    FormatRangeResult Measure(int first, const canvas::Rect& area, int dpiX, int dpiY);

    // Draws onto `canvas` the text from character `first` that fits into `area` (device pixels
    // of the canvas); returns the first character not drawn and the bottom of what was drawn.
    FormatRangeResult Render(int first, const canvas::Rect& area, canvas::Canvas& canvas);

  private:
    FormatRangeResult Format(int first, const canvas::Rect& area, int dpiX, int dpiY,
                             canvas::Canvas* target);

    TextMetrics& metrics_;
    std::size_t maxTextLength_;
    CharFormat defaultFormat_;
    RichTextDocument document_;
    std::unique_ptr<TextLayout> layout_;
};

}  // namespace ostrelin::platform::richtext
