#pragma once

#include <QImage>

#include "platform/canvas/metafile/RecordingCanvas.h"

namespace ostrelin::platform::canvas {

// The picture of a recorded page: its commands drawn, as a painter canvas draws a printed page,
// onto a white image of the page's size at the page's resolution (the image's dots per metre say
// so, which sizes the text's fonts). A page finer down than across is scaled to square pixels of
// the horizontal resolution.
QImage PageImage(const RecordingCanvas& page);

}  // namespace ostrelin::platform::canvas
