#include "platform/canvas/qt/PageImage.h"

#include <QPainter>
#include <cmath>

#include "platform/canvas/qt/QtPainterCanvas.h"

namespace ostrelin::platform::canvas {

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;

}  // namespace

QImage PageImage(const RecordingCanvas& page) {
    const int dpiX = page.LogPixelsX();
    const int dpiY = page.LogPixelsY();
    const int height =
        static_cast<int>(std::lround(static_cast<double>(page.Height()) * dpiX / dpiY));
    QImage image(page.Width(), height, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpiX * kInchesPerMetre)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpiX * kInchesPerMetre)));
    image.fill(Qt::white);
    QPainter painter(&image);
    QtPainterCanvas canvas(painter, dpiX, dpiY);
    page.Replay(canvas);
    painter.end();
    return image;
}

}  // namespace ostrelin::platform::canvas
