#include "platform/richtext/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "platform/richtext/Cp1250.h"

namespace ostrelin::platform::richtext {

namespace {

constexpr double kPointsPerInch = 72;
constexpr double kTabStopPoints = 36;
// Tolerance for sums of widths and heights that land exactly on a boundary.
constexpr double kTolerance = 1e-6;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsInvisible(std::uint8_t byte) {
    return (byte < 0x20 && byte != '\t') || byte == 0x7F;
}
bool IsBlank(std::uint8_t byte) {
    return byte == ' ' || byte == '\t';
}

// The pen position after a blank at `x` (points from the paragraph's indent).
double AdvanceBlank(std::uint8_t byte, double x, double indent, const FontMeasures& measures) {
    if (byte == '\t') {
        const double fromEdge = indent + x;
        return (std::floor(fromEdge / kTabStopPoints + kTolerance) + 1) * kTabStopPoints - indent;
    }
    return x + measures.Advances[byte];
}

double IndentOf(const Paragraph& paragraph) {
    return std::max(0.0, paragraph.LeftIndentPoints);
}

}  // namespace

TextLayout::TextLayout(const RichTextDocument& document, TextMetrics& metrics)
    : document_(document), metrics_(metrics) {
    paragraphStarts_.reserve(document.Paragraphs.size() + 1);
    firstRuns_.reserve(document.Paragraphs.size() + 1);
    std::size_t position = 0;
    for (const Paragraph& paragraph : document.Paragraphs) {
        paragraphStarts_.push_back(position);
        firstRuns_.push_back(runStarts_.size());
        for (const TextRun& run : paragraph.Runs) {
            runStarts_.push_back(position);
            position += run.Text.size();
        }
        ++position;  // the end mark
    }
    paragraphStarts_.push_back(position);
    firstRuns_.push_back(runStarts_.size());
}

std::size_t TextLayout::ParagraphOf(std::size_t index) const {
    const auto after = std::upper_bound(paragraphStarts_.begin(), paragraphStarts_.end(), index);
    return static_cast<std::size_t>(after - paragraphStarts_.begin()) - 1;
}

std::size_t TextLayout::FirstRunAt(std::size_t paragraph, std::size_t index) const {
    const auto begin = runStarts_.begin() + static_cast<std::ptrdiff_t>(firstRuns_[paragraph]);
    const auto end = runStarts_.begin() + static_cast<std::ptrdiff_t>(firstRuns_[paragraph + 1]);
    const auto after = std::upper_bound(begin, end, index);
    return after == begin ? firstRuns_[paragraph]
                          : static_cast<std::size_t>(after - runStarts_.begin()) - 1;
}

const FontMeasures& TextLayout::MeasuresOf(const CharFormat& format) {
    for (const auto& [known, measures] : measures_) {
        if (known == format) {
            return measures;
        }
    }
    return measures_.emplace_back(format, metrics_.Measure(format)).second;
}

const TextLayout::Line& TextLayout::CachedLineAt(std::size_t start, double widthPoints) {
    if (widthPoints != linesWidth_) {
        lines_.clear();
        linesWidth_ = widthPoints;
    }
    auto known = lines_.find(start);
    if (known == lines_.end()) {
        known = lines_.emplace(start, LineAt(start, widthPoints)).first;
    }
    return known->second;
}

TextLayout::Line TextLayout::LineAt(std::size_t start, double widthPoints) {
    const std::size_t paragraphIndex = ParagraphOf(start);
    const Paragraph& paragraph = document_.Paragraphs[paragraphIndex];
    const std::size_t mark = paragraphStarts_[paragraphIndex + 1] - 1;
    const double indent = IndentOf(paragraph);
    const double available = widthPoints - indent;
    const std::size_t firstRun = FirstRunAt(paragraphIndex, start);
    const std::size_t endRun = firstRuns_[paragraphIndex + 1];

    Line line{.Paragraph = paragraphIndex, .Begin = start, .End = mark + 1};
    double x = 0;
    std::size_t breakAt = kNone;
    for (std::size_t run = firstRun; run < endRun && line.End > mark; ++run) {
        const TextRun& textRun = paragraph.Runs[run - firstRuns_[paragraphIndex]];
        const FontMeasures& measures = MeasuresOf(textRun.Format);
        const std::size_t runStart = runStarts_[run];
        for (std::size_t index = std::max(start, runStart); index < runStart + textRun.Text.size();
             ++index) {
            const auto byte = static_cast<std::uint8_t>(textRun.Text[index - runStart]);
            if (IsBlank(byte)) {
                x = AdvanceBlank(byte, x, indent, measures);
                breakAt = index + 1;
            } else if (!IsInvisible(byte)) {
                const double advance = measures.Advances[byte];
                // The first character always stays, so that every line makes progress.
                if (index > start && x + advance > available + kTolerance) {
                    line.End = breakAt != kNone ? breakAt : index;
                    break;
                }
                x += advance;
            }
        }
    }

    const std::size_t textEnd = std::min(line.End, mark);
    for (std::size_t run = firstRun; run < endRun && runStarts_[run] < textEnd; ++run) {
        const FontMeasures& measures =
            MeasuresOf(paragraph.Runs[run - firstRuns_[paragraphIndex]].Format);
        line.Ascent = std::max(line.Ascent, measures.Ascent);
        line.Descent = std::max(line.Descent, measures.Descent);
    }
    if (line.End > mark) {
        const FontMeasures& measures = MeasuresOf(paragraph.MarkFormat);
        line.Ascent = std::max(line.Ascent, measures.Ascent);
        line.Descent = std::max(line.Descent, measures.Descent);
    }
    return line;
}

LayoutResult TextLayout::Format(std::size_t first, const canvas::Rect& area, int dpiX, int dpiY,
                                canvas::Canvas* target) {
    const double pixelsPerPointX = dpiX / kPointsPerInch;
    const double pixelsPerPointY = dpiY / kPointsPerInch;
    const double widthPoints = area.Width() / pixelsPerPointX;
    std::size_t position = std::min(first, Length());
    double top = 0;  // device pixels below area.Top
    while (position < Length()) {
        const Line& line = CachedLineAt(position, widthPoints);
        const double height = (line.Ascent + line.Descent) * pixelsPerPointY;
        if (top + height > area.Height() + kTolerance) {
            break;
        }
        if (target != nullptr) {
            const Placement placement{
                .Area = area,
                .DpiX = static_cast<double>(dpiX),
                .DpiY = static_cast<double>(dpiY),
                .Baseline =
                    static_cast<int>(std::lround(area.Top + top + line.Ascent * pixelsPerPointY)),
            };
            DrawLine(line, placement, *target);
        }
        top += height;
        position = line.End;
    }
    return {.NextCharacter = position,
            .Bottom = area.Top + static_cast<int>(std::ceil(top - kTolerance))};
}

void TextLayout::DrawLine(const Line& line, const Placement& placement, canvas::Canvas& target) {
    const Paragraph& paragraph = document_.Paragraphs[line.Paragraph];
    const std::size_t mark = paragraphStarts_[line.Paragraph + 1] - 1;
    const std::size_t textEnd = std::min(line.End, mark);
    const double indent = IndentOf(paragraph);
    const double pixelsPerPointX = placement.DpiX / kPointsPerInch;
    const double pixelsPerPointY = placement.DpiY / kPointsPerInch;
    const auto deviceX = [&](double x) {
        return static_cast<int>(std::lround(placement.Area.Left + (indent + x) * pixelsPerPointX));
    };

    struct Underline {
        double From = 0;
        double To = 0;
        const FontMeasures* Measures = nullptr;
    };
    std::vector<Underline> underlines;
    std::string letters;      // the visible characters of a run on this line
    std::vector<int> places;  // device x of each of them, then their offsets from the first
    double x = 0;
    double visibleEnd = 0;  // trailing blanks of a line are not underlined
    const std::size_t firstRun = FirstRunAt(line.Paragraph, line.Begin);
    for (std::size_t run = firstRun;
         run < firstRuns_[line.Paragraph + 1] && runStarts_[run] < textEnd; ++run) {
        const TextRun& textRun = paragraph.Runs[run - firstRuns_[line.Paragraph]];
        const FontMeasures& measures = MeasuresOf(textRun.Format);
        const canvas::TextFont font{
            .Family = textRun.Format.FontName,
            .PixelSize = textRun.Format.SizePoints * placement.DpiY / kPointsPerInch,
            .Bold = textRun.Format.Bold,
            .Italic = textRun.Format.Italic,
            .TextColor = canvas::kBlack,
        };
        const std::size_t runStart = runStarts_[run];
        const std::size_t from = std::max(line.Begin, runStart);
        const std::size_t to = std::min(textEnd, runStart + textRun.Text.size());
        const double runX = x;

        // The run's part of the line is drawn as one text with every character at its own place,
        // so that no place depends on how the device rounds the widths of the text before it.
        letters.clear();
        places.clear();
        for (std::size_t index = from; index < to; ++index) {
            const auto byte = static_cast<std::uint8_t>(textRun.Text[index - runStart]);
            if (IsBlank(byte)) {
                x = AdvanceBlank(byte, x, indent, measures);
            } else if (!IsInvisible(byte)) {
                letters += static_cast<char>(byte);
                places.push_back(deviceX(x));
                x += measures.Advances[byte];
                visibleEnd = x;
            }
        }
        if (!places.empty()) {
            const int originX = places.front();
            for (int& place : places) {
                place -= originX;
            }
            target.DrawText({originX, placement.Baseline}, Cp1250ToUtf8(letters), places, font);
        }
        if (textRun.Format.Underline) {
            underlines.push_back({.From = runX, .To = x, .Measures = &measures});
        }
    }

    for (const Underline& underline : underlines) {
        const double to = std::min(underline.To, visibleEnd);
        if (to <= underline.From) {
            continue;
        }
        const int y = static_cast<int>(std::lround(
            placement.Baseline + underline.Measures->UnderlinePosition * pixelsPerPointY));
        const int width =
            std::max(1, static_cast<int>(
                            std::lround(underline.Measures->UnderlineThickness * pixelsPerPointY)));
        target.DrawLine({deviceX(underline.From), y}, {deviceX(to), y}, canvas::kBlack, width);
    }
}

}  // namespace ostrelin::platform::richtext
