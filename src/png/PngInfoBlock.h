#pragma once

#include <cstddef>
#include <cstdint>

namespace sorvane {

// The bitmap description the PNG decoder hands back: a device-independent
// bitmap header followed by a full colour table, laid out byte for byte as the
// classic BITMAPINFO with 256 entries, so the block can be zeroed, copied and
// passed around as plain memory.
struct BitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight; // positive: rows bottom-up; negative: rows top-down
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};

struct RgbQuad {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
    std::uint8_t reserved;
};

struct PngInfoBlock {
    BitmapInfoHeader header;
    RgbQuad colours[256];
};

constexpr std::uint32_t kBiRgb = 0; // uncompressed pixels

static_assert(sizeof(BitmapInfoHeader) == 40);
static_assert(offsetof(BitmapInfoHeader, biBitCount) == 14);
static_assert(offsetof(BitmapInfoHeader, biClrImportant) == 36);
static_assert(sizeof(RgbQuad) == 4);
static_assert(sizeof(PngInfoBlock) == 1064);
static_assert(offsetof(PngInfoBlock, colours) == 40);

// Bytes in one stored row: rows of a device-independent bitmap are padded to
// whole 32-bit words.
constexpr std::uint64_t DibStride(std::uint32_t width, unsigned bitCount) {
    return (std::uint64_t{width} * bitCount + 31) / 32 * 4;
}

} // namespace sorvane
