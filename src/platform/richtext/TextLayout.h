#pragma once

#include <cstddef>
#include <deque>
#include <unordered_map>
#include <utility>

#include "platform/canvas/Canvas.h"
#include "platform/richtext/RichTextDocument.h"
#include "platform/richtext/TextMetrics.h"

namespace ostrelin::platform::richtext {

// Where one pass of layout into a rectangle ended.
struct LayoutResult {
    std::size_t NextCharacter = 0;  // index of the first character that did not fit
    int Bottom = 0;                 // device pixels: bottom of the last line that fit
    friend bool operator==(const LayoutResult&, const LayoutResult&) = default;
};

// Lays a document out into rectangles of a device, a rectangle at a time, the way a printed
// page takes text: lines are broken at spaces (a word longer than a line breaks inside the word),
// spaces at a line's end hang beyond it, every line of a paragraph starts at the paragraph's left
// indent, tabs stop every half inch, and control characters take no room and are not drawn.
// Widths come from the metrics at the fonts' exact point sizes, so a line breaks at the same
// character on every device. Character indexes count each paragraph's end mark as one
// character. Work per call is proportional to the text that fits, wherever it starts; the lines
// of the latest pages are kept per width, since a printed page is measured many times in
// rectangles of the same width before it is drawn, and memory stays bounded however long the
// document is. The document must outlive the layout and stay unchanged.
class TextLayout {
  public:
    TextLayout(const RichTextDocument& document, TextMetrics& metrics);

    // The document's length in characters.
    std::size_t Length() const { return document_.Length(); }

    // Lays out whole lines from character `first` into `area` (device pixels at dpiX × dpiY
    // pixels per inch) until the next line would not fit, and draws them onto `target` when one
    // is given. Returns the first character left over and the bottom of the lines that fit.
    LayoutResult Format(std::size_t first, const canvas::Rect& area, int dpiX, int dpiY,
                        canvas::Canvas* target);

  private:
    struct Line {
        std::size_t Begin = 0;
        std::size_t End = 0;  // includes the paragraph's end mark when the line ends it
        bool EndsParagraph = false;
        double Indent = 0;   // points
        double Ascent = 0;   // points
        double Descent = 0;  // points
    };

    // Placement of a line on the device.
    struct Placement {
        const canvas::Rect& Area;
        double DpiX = 0;
        double DpiY = 0;
        int Baseline = 0;
    };

    const Line& CachedLineAt(std::size_t start, double widthPoints);
    Line LineAt(std::size_t start, double widthPoints);
    void DrawLine(const Line& line, const Placement& placement, canvas::Canvas& target);
    const FontMeasures& MeasuresOf(const CharFormat& format);

    const RichTextDocument& document_;
    TextMetrics& metrics_;
    std::deque<std::pair<CharFormat, FontMeasures>> measures_;
    // Lines broken at `linesWidth_` points, by the character they start at: the lines of the
    // pages being measured and drawn, so that a page is broken into lines only once.
    double linesWidth_ = -1;
    std::unordered_map<std::size_t, Line> lines_;
};

}  // namespace ostrelin::platform::richtext
