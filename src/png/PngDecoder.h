#pragma once

#include "png/PngInfoBlock.h"

#include <cstdint>

namespace sorvane {

// The PNG decoder's three calls. A decoding is opened by mLoadPNG, filled in
// by mGetPNGData and closed by mEndPNG; the caller holds only the integer
// handle. Results are 1 for success and anything else for failure, and no
// call throws. Separate handles may be used on separate threads at once.

// Opens the file at path (UTF-8), writes the handle, the bitmap header and
// colour table into info and the exact byte count of the pixel data into
// dataSize. On failure nothing is left open and the handle is not written.
int mLoadPNG(const char* path, std::int32_t* handle, PngInfoBlock* info, std::int32_t* dataSize);

// Decodes the whole image into pixels, which must hold dataSize bytes, in the
// layout info describes. Fails for an unknown handle or a damaged file.
int mGetPNGData(std::int32_t* handle, std::uint8_t* pixels);

// Closes the decoding and sets the handle to 0; unknown handles are ignored.
void mEndPNG(std::int32_t* handle);

} // namespace sorvane
