#pragma once

#include <QColorSpace>
#include <spng.h>

namespace sorvane {

// The colour space a PNG file declares before its pixels: its sRGB chunk,
// else its ICC profile (iCCP), else its gamma (gAMA) with its primaries
// (cHRM) or sRGB's. An untagged file, or one whose gamma alone is sRGB's
// usual 1/2.2, is taken as sRGB and gets no colour space (nothing to
// convert); a chunk that makes no sense is ignored, as the file is still
// a picture.
QColorSpace PngColourSpace(spng_ctx* ctx);

} // namespace sorvane
