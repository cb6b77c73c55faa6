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

// Lines kept for the pages being measured: far more than any page holds.
constexpr std::size_t kCachedLines = 4096;

}  // namespace

TextLayout::TextLayout(const RichTextDocument& document, TextMetrics& metrics)
    : document_(document), metrics_(metrics) {}

const FontMeasures& TextLayout::MeasuresOf(const CharFormat& format) {
    for (const auto& [known, measures] : measures_) {
        if (known == format) {
            return measures;
        }
    }
    return measures_.emplace_back(format, metrics_.Measure(format)).second;
}

const TextLayout::Line& TextLayout::CachedLineAt(std::size_t start, double widthPoints) {
    if (widthPoints != linesWidth_ || lines_.size() >= kCachedLines) {
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
    const std::string_view characters = document_.Characters();
    const double indent = std::max(0.0, document_.IndentAt(start));
    const double available = widthPoints - indent;

    Line line{.Begin = start, .End = characters.size(), .Indent = indent};
    const auto takeMeasures = [&line](const FontMeasures& measures) {
        line.Ascent = std::max(line.Ascent, measures.Ascent);
        line.Descent = std::max(line.Descent, measures.Descent);
    };
    double x = 0;
    std::size_t breakAt = kNone;
    const RichTextDocument::FormatRun* run = &document_.RunAt(start);
    std::size_t runEnd = document_.RunEnd(*run);
    const FontMeasures* measures = &MeasuresOf(document_.FormatOf(*run));
    for (std::size_t index = start; index < characters.size(); ++index) {
        if (index == runEnd) {
            ++run;
            runEnd = document_.RunEnd(*run);
            measures = &MeasuresOf(document_.FormatOf(*run));
        }
        const auto byte = static_cast<std::uint8_t>(characters[index]);
        if (byte == RichTextDocument::kParagraphMark) {
            line.End = index + 1;
            line.EndsParagraph = true;
            takeMeasures(*measures);
            break;
        }
        if (IsBlank(byte)) {
            x = AdvanceBlank(byte, x, indent, *measures);
            breakAt = index + 1;
        } else if (!IsInvisible(byte)) {
            const double advance = measures->Advances[byte];
            // The first character always stays, so that every line makes progress.
            if (index > start && x + advance > available + kTolerance) {
                line.End = breakAt != kNone ? breakAt : index;
                break;
            }
            x += advance;
        }
    }
    // Every font of the line's text counts for its height, hanging blanks included.
    const std::size_t textEnd = line.EndsParagraph ? line.End - 1 : line.End;
    for (std::size_t index = start; index < textEnd;) {
        const RichTextDocument::FormatRun& textRun = document_.RunAt(index);
        takeMeasures(MeasuresOf(document_.FormatOf(textRun)));
        index = document_.RunEnd(textRun);
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
    const std::string_view characters = document_.Characters();
    const std::size_t textEnd = line.EndsParagraph ? line.End - 1 : line.End;
    const double indent = line.Indent;
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
    for (std::size_t from = line.Begin; from < textEnd;) {
        const RichTextDocument::FormatRun& run = document_.RunAt(from);
        const CharFormat& format = document_.FormatOf(run);
        const FontMeasures& measures = MeasuresOf(format);
        const canvas::TextFont font{
            .Family = format.FontName,
            .PixelSize = format.SizePoints * placement.DpiY / kPointsPerInch,
            .Bold = format.Bold,
            .Italic = format.Italic,
            .TextColor = canvas::kBlack,
        };
        const std::size_t to = std::min(textEnd, document_.RunEnd(run));
        const double runX = x;

        // The run's part of the line is drawn as one text with every character at its own place,
        // so that no place depends on how the device rounds the widths of the text before it.
        letters.clear();
        places.clear();
        for (std::size_t index = from; index < to; ++index) {
            const auto byte = static_cast<std::uint8_t>(characters[index]);
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
        if (format.Underline) {
            underlines.push_back({.From = runX, .To = x, .Measures = &measures});
        }
        from = to;
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
