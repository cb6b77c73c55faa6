#include "platform/canvas/metafile/RecordingCanvas.h"

#include <bit>
#include <cstring>

namespace ostrelin::platform::canvas {

namespace {

// Appends fields in the byte form's encoding.
class ByteWriter {
  public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Byte(std::uint8_t value) { out_.push_back(value); }
    void Int(std::int64_t value) {
        const auto v = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
        for (int shift = 0; shift < 32; shift += 8) {
            out_.push_back(static_cast<std::uint8_t>(v >> shift));
        }
    }
    void Double(double value) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        for (int shift = 0; shift < 64; shift += 8) {
            out_.push_back(static_cast<std::uint8_t>(bits >> shift));
        }
    }
    void Bytes(const void* data, std::size_t size) {
        Int(static_cast<std::int64_t>(size));
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        out_.insert(out_.end(), bytes, bytes + size);
    }
    void Box(const Rect& r) {
        Int(r.Left);
        Int(r.Top);
        Int(r.Right);
        Int(r.Bottom);
    }
    void At(Point p) {
        Int(p.X);
        Int(p.Y);
    }

    void operator()(const FillRectCommand& c) {
        Byte(1);
        Box(c.Area);
        Int(c.Fill);
    }
    void operator()(const LineCommand& c) {
        Byte(2);
        At(c.From);
        At(c.To);
        Int(c.Stroke);
        Int(c.Width);
    }
    void operator()(const StretchModeCommand& c) {
        Byte(3);
        Byte(static_cast<std::uint8_t>(c.Mode));
    }
    void operator()(const BitmapCommand& c) {
        Byte(4);
        Box(c.Destination);
        Int(c.Bitmap.Width);
        Int(c.Bitmap.Height);
        Int(c.Bitmap.BitsPerPixel);
        Int(std::ssize(c.Bitmap.ColorTable));
        for (const Color color : c.Bitmap.ColorTable) {
            Int(color);
        }
        Bytes(c.Bitmap.Bits.data(), c.Bitmap.Bits.size());
    }
    void operator()(const ClipCommand& c) {
        Byte(5);
        Box(c.Area);
    }
    void operator()(const RemoveClipCommand&) { Byte(6); }
    void operator()(const TextCommand& c) {
        // Tag 7 was a text that the device advanced by its own widths.
        Byte(8);
        At(c.Origin);
        Bytes(c.Text.data(), c.Text.size());
        Int(c.Offsets.First());
        Int(std::ssize(c.Offsets.Runs()));
        for (const CharacterOffsets::Steps& run : c.Offsets.Runs()) {
            Int(run.Step);
            Int(run.Count);
        }
        Bytes(c.Font.Family.data(), c.Font.Family.size());
        Double(c.Font.PixelSize);
        Byte(static_cast<std::uint8_t>(c.Font.Bold | c.Font.Italic << 1 | c.Font.Underline << 2 |
                                       c.Font.StrikeOut << 3));
        Int(c.Font.TextColor);
    }

  private:
    std::vector<std::uint8_t>& out_;
};

// Draws one recorded command onto a target canvas.
struct Player {
    Canvas& target;
    std::vector<int>& offsets;  // room for a text's offsets, reused from text to text
    void operator()(const FillRectCommand& c) const { target.FillRect(c.Area, c.Fill); }
    void operator()(const LineCommand& c) const {
        target.DrawLine(c.From, c.To, c.Stroke, c.Width);
    }
    void operator()(const StretchModeCommand& c) const { target.SetStretchMode(c.Mode); }
    void operator()(const BitmapCommand& c) const { target.StretchDIBits(c.Destination, c.Bitmap); }
    void operator()(const ClipCommand& c) const { target.IntersectClipRect(c.Area); }
    void operator()(const RemoveClipCommand&) const { target.RemoveClip(); }
    void operator()(const TextCommand& c) const {
        c.Offsets.ExpandInto(offsets);
        target.DrawText(c.Origin, c.Text, offsets, c.Font);
    }
};

}  // namespace

RecordingCanvas::RecordingCanvas(int width, int height, int logPixelsX, int logPixelsY)
    : width_(width), height_(height), logPixelsX_(logPixelsX), logPixelsY_(logPixelsY) {}

void RecordingCanvas::Replay(Canvas& target) const {
    std::vector<int> offsets;
    for (const CanvasCommand& command : commands_) {
        std::visit(Player{target, offsets}, command);
    }
}

std::vector<std::uint8_t> RecordingCanvas::ToBytes() const {
    std::vector<std::uint8_t> bytes{'O', 'M', 'F', '1'};
    ByteWriter writer(bytes);
    writer.Int(width_);
    writer.Int(height_);
    writer.Int(logPixelsX_);
    writer.Int(logPixelsY_);
    writer.Int(std::ssize(commands_));
    for (const CanvasCommand& command : commands_) {
        std::visit(writer, command);
    }
    return bytes;
}

void RecordingCanvas::FillRect(const Rect& rect, Color color) {
    commands_.emplace_back(FillRectCommand{rect, color});
}

void RecordingCanvas::DrawLine(Point from, Point to, Color color, int width) {
    commands_.emplace_back(LineCommand{from, to, color, width});
}

void RecordingCanvas::SetStretchMode(StretchMode mode) {
    stretchMode_ = mode;
    commands_.emplace_back(StretchModeCommand{mode});
}

void RecordingCanvas::StretchDIBits(const Rect& destination, const DeviceBitmap& bitmap) {
    commands_.emplace_back(BitmapCommand{destination, bitmap});
}

void RecordingCanvas::IntersectClipRect(const Rect& rect) {
    commands_.emplace_back(ClipCommand{rect});
}

void RecordingCanvas::RemoveClip() {
    commands_.emplace_back(RemoveClipCommand{});
}

void RecordingCanvas::DrawText(Point origin, std::string_view text, std::span<const int> offsets,
                               const TextFont& font) {
    commands_.emplace_back(TextCommand{origin, std::string(text), CharacterOffsets(offsets), font});
}

}  // namespace ostrelin::platform::canvas
