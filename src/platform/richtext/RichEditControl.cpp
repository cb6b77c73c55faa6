#include "platform/richtext/RichEditControl.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/Error.h"
#include "platform/richtext/PlainText.h"
#include "platform/richtext/RtfReader.h"

namespace ostrelin::platform::richtext {

namespace {

constexpr const char* kLoadFailed = "Failed to Load Stream";

}  // namespace

RichEditControl::RichEditControl(TextMetrics& metrics, std::size_t maxTextLength)
    : metrics_(metrics),
      maxTextLength_(std::min(maxTextLength, kMaxTextLength)),
      layout_(std::make_unique<TextLayout>(document_, metrics_)) {}

void RichEditControl::LoadFromStream(std::string_view stream) {
    std::optional<RichTextDocument> document = ReadRtf(stream);
    if (!document || document->Length() > maxTextLength_) {
        document = ReadPlainText(stream, defaultFormat_);
    }
    SetDocument(std::move(*document));
}

void RichEditControl::SetDocument(RichTextDocument document) {
    if (document.Length() > maxTextLength_) {
        throw Error(kLoadFailed);
    }
    layout_.reset();
    document_ = std::move(document);
    layout_ = std::make_unique<TextLayout>(document_, metrics_);
}

int RichEditControl::TextLength() const {
    return static_cast<int>(layout_->Length());
}

FormatRangeResult RichEditControl::Measure(int first, const canvas::Rect& area, int dpiX,
                                           int dpiY) {
    return Format(first, area, dpiX, dpiY, nullptr);
}

FormatRangeResult RichEditControl::Render(int first, const canvas::Rect& area,
                                          canvas::Canvas& canvas) {
    return Format(first, area, canvas.LogPixelsX(), canvas.LogPixelsY(), &canvas);
}

FormatRangeResult RichEditControl::Format(int first, const canvas::Rect& area, int dpiX, int dpiY,
                                          canvas::Canvas* target) {
    if (dpiX <= 0 || dpiY <= 0) {
        return {.NextCharacter = std::max(first, 0), .Bottom = area.Top};
    }
    const LayoutResult result =
        layout_->Format(static_cast<std::size_t>(std::max(first, 0)), area, dpiX, dpiY, target);
    return {.NextCharacter = static_cast<int>(result.NextCharacter), .Bottom = result.Bottom};
}

}  // namespace ostrelin::platform::richtext
