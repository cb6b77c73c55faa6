#pragma once

#include "decode/ByteStream.h"

namespace ostrelin::decode {

enum class JobKind { Text, Raster };

// Decides the kind of the job held whole in `stream`: a raster job when either raster resolution
// escape occurs anywhere in the file, a text job otherwise. Leaves the stream at the start of the
// record stream, 4 bytes after the CR of the first CR LF, or 2 bytes beyond the end when the file
// has no CR LF.
JobKind ClassifyJob(ByteStream& stream);

}  // namespace ostrelin::decode
