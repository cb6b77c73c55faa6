#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/canvas/Canvas.h"
#include "platform/canvas/metafile/CharacterOffsets.h"

namespace ostrelin::platform::canvas {

struct FillRectCommand {
    Rect Area;
    Color Fill;
    friend bool operator==(const FillRectCommand&, const FillRectCommand&) = default;
};
struct LineCommand {
    Point From;
    Point To;
    Color Stroke;
    int Width;
    friend bool operator==(const LineCommand&, const LineCommand&) = default;
};
struct StretchModeCommand {
    StretchMode Mode;
    friend bool operator==(const StretchModeCommand&, const StretchModeCommand&) = default;
};
struct BitmapCommand {
    Rect Destination;
    DeviceBitmap Bitmap;
    friend bool operator==(const BitmapCommand&, const BitmapCommand&) = default;
};
struct ClipCommand {
    Rect Area;
    friend bool operator==(const ClipCommand&, const ClipCommand&) = default;
};
struct RemoveClipCommand {
    friend bool operator==(const RemoveClipCommand&, const RemoveClipCommand&) = default;
};
struct TextCommand {
    Point Origin;
    std::string Text;
    CharacterOffsets Offsets;
    TextFont Font;
    friend bool operator==(const TextCommand&, const TextCommand&) = default;
};

using CanvasCommand = std::variant<FillRectCommand, LineCommand, StretchModeCommand, BitmapCommand,
                                   ClipCommand, RemoveClipCommand, TextCommand>;

// A canvas that records what is drawn on it instead of drawing: the program's page metafile.
// It can replay the page onto another canvas and has a byte form for the page store.
class RecordingCanvas final : public Canvas {
  public:
    // A page of `width` × `height` device pixels at the given pixels per inch.
    RecordingCanvas(int width, int height, int logPixelsX, int logPixelsY);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<CanvasCommand>& Commands() const { return commands_; }

    // Draws the recorded commands onto `target` in their order.
    void Replay(Canvas& target) const;

    // The byte form: "OMF1", int32 width, height, pixels per inch x and y, command count, then
    // each command as a tag byte and its fields (little-endian int32s; a string as int32 length
    // and bytes; a bitmap as width, height, bits per pixel, colour count, colours, byte count,
    // bytes; a text, tag 8, as origin, text, first character's offset, count of runs of equal
    // steps, each as step and count, family, pixel size as a float64, style bits and colour).
    std::vector<std::uint8_t> ToBytes() const;

    int LogPixelsX() const override { return logPixelsX_; }
    int LogPixelsY() const override { return logPixelsY_; }
    void FillRect(const Rect& rect, Color color) override;
    void DrawLine(Point from, Point to, Color color, int width) override;
    StretchMode GetStretchMode() const override { return stretchMode_; }
    void SetStretchMode(StretchMode mode) override;
    void StretchDIBits(const Rect& destination, const DeviceBitmap& bitmap) override;
    void IntersectClipRect(const Rect& rect) override;
    void RemoveClip() override;
    void DrawText(Point origin, std::string_view text, std::span<const int> offsets,
                  const TextFont& font) override;

  private:
    int width_;
    int height_;
    int logPixelsX_;
    int logPixelsY_;
    StretchMode stretchMode_ = StretchMode::BlackOnWhite;
    std::vector<CanvasCommand> commands_;
};

}  // namespace ostrelin::platform::canvas
