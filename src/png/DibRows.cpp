#include "png/DibRows.h"

#include <utility>

namespace sorvane {

namespace {

// Right to left, so each packed byte is read before its place is overwritten:
// the byte holding pixel x never lies after x.
void WidenIndices(std::uint8_t* row, std::uint32_t width, unsigned bitDepth) {
    const unsigned mask = (1u << bitDepth) - 1;
    for (std::uint32_t x = width; x-- > 0;) {
        const std::uint64_t bit = std::uint64_t{x} * bitDepth;
        const unsigned shift = 8 - bitDepth - static_cast<unsigned>(bit % 8);
        row[x] = static_cast<std::uint8_t>((row[bit / 8] >> shift) & mask);
    }
}

void SwapRedBlue(std::uint8_t* row, std::uint32_t width, unsigned bytesPerPixel) {
    for (std::uint32_t x = 0; x < width; ++x, row += bytesPerPixel)
        std::swap(row[0], row[2]);
}

} // namespace

void FinishDibRows(const DibLayout& layout, std::uint8_t* pixels) {
    for (std::uint32_t y = 0; y < layout.height; ++y) {
        std::uint8_t* row = pixels + y * layout.stride;
        switch (layout.kind) {
        case DibKind::Indexed8:
            if (layout.pngBitDepth < 8)
                WidenIndices(row, layout.width, layout.pngBitDepth);
            break;
        case DibKind::Bgr24:
            SwapRedBlue(row, layout.width, 3);
            break;
        case DibKind::Bgra32:
            SwapRedBlue(row, layout.width, 4);
            break;
        }
    }
}

} // namespace sorvane
