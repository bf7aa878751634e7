#pragma once

#include "png/PngInfoBlock.h"

#include <cstdint>
#include <optional>
#include <spng.h>

namespace sorvane {

// How the decoder stores one PNG as a device-independent bitmap. Opaque
// palette and grey images become 8-bit indices into a colour table (a grey
// ramp for grey), other opaque images 24-bit BGR, and everything that carries
// transparency (an alpha channel or a tRNS chunk) 32-bit BGRA with straight
// alpha, so the picture keeps its see-through parts. Rows are stored top-down.
enum class DibKind { Indexed8, Bgr24, Bgra32 };

struct DibLayout {
    DibKind kind = DibKind::Bgra32;
    int decodeFormat = 0; // the spng format each row is decoded to
    int decodeFlags = 0;
    unsigned pngBitDepth = 8; // width of a packed index before unpacking
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint64_t stride = 0;
    std::uint64_t size = 0;
};

// The largest pixel buffer the decoder will ask for, and the largest 32-bit
// picture a bitmap is turned into: far beyond any camera photograph, and
// small enough that the size always fits the 32-bit count.
constexpr std::uint64_t kMaxDibBytes = std::uint64_t{1} << 30;

// No layout for an image whose pixel data, or whose picture at 32 bits a
// pixel, would exceed kMaxDibBytes.
std::optional<DibLayout> ChooseDibLayout(const spng_ihdr& ihdr, bool hasTransparencyChunk);

// Writes the header and, for indexed layouts, the colour table. palette is
// the image's PLTE for palette images and ignored otherwise.
void FillInfoBlock(const DibLayout& layout, const spng_ihdr& ihdr, const spng_plte& palette,
                   PngInfoBlock& info);

} // namespace sorvane
