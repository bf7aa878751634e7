#pragma once

#include "png/DibLayout.h"

#include <cstdint>

namespace sorvane {

// The decoder lets libspng write each row straight into the pixel buffer, so
// the image exists only once; what spng writes differs from the bitmap in two
// ways that are fixed in place once every row (and every interlace pass) is
// in: packed indices are widened to one byte each, and RGB(A) becomes BGR(A).
void FinishDibRows(const DibLayout& layout, std::uint8_t* pixels);

} // namespace sorvane
