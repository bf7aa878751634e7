#pragma once

#include "png/PngInfoBlock.h"

#include <QImage>
#include <cstdint>

namespace sorvane {

// Makes a picture from an uncompressed device-independent bitmap of 8 (with
// the colour table in info), 24 or 32 bits a pixel, stored bottom-up or
// top-down as the header says. The picture owns a copy of the pixels. 8- and
// 24-bit bitmaps become opaque RGB32 pictures; 32-bit ones carry straight
// alpha and become ARGB32, so a painter draws them over whatever is behind.
// A null image when the header describes nothing this can read.
QImage CreatePictureFromDib(const std::uint8_t* pixels, const PngInfoBlock& info);

} // namespace sorvane
