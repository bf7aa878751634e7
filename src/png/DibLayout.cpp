#include "png/DibLayout.h"

namespace sorvane {

namespace {

bool IsIndexable(const spng_ihdr& ihdr) {
    return ihdr.color_type == SPNG_COLOR_TYPE_INDEXED ||
           (ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE && ihdr.bit_depth <= 8);
}

bool HasAlphaChannel(const spng_ihdr& ihdr) {
    return ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA ||
           ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
}

DibLayout KindOf(const spng_ihdr& ihdr, bool hasTransparencyChunk) {
    DibLayout layout;
    if (HasAlphaChannel(ihdr) || hasTransparencyChunk) {
        layout.kind = DibKind::Bgra32;
        layout.decodeFormat = SPNG_FMT_RGBA8;
        layout.decodeFlags = SPNG_DECODE_TRNS;
    } else if (IsIndexable(ihdr)) {
        // Raw samples: the packed indices are widened to bytes after decoding.
        layout.kind = DibKind::Indexed8;
        layout.decodeFormat = SPNG_FMT_PNG;
        layout.pngBitDepth = ihdr.bit_depth;
    } else {
        layout.kind = DibKind::Bgr24;
        layout.decodeFormat = SPNG_FMT_RGB8;
    }
    return layout;
}

unsigned BitCount(DibKind kind) {
    switch (kind) {
    case DibKind::Indexed8:
        return 8;
    case DibKind::Bgr24:
        return 24;
    case DibKind::Bgra32:
        return 32;
    }
    return 32;
}

void FillGreyRamp(unsigned bitDepth, PngInfoBlock& info) {
    const unsigned levels = 1u << bitDepth;
    for (unsigned i = 0; i < levels; ++i) {
        const auto grey = static_cast<std::uint8_t>(i * 255 / (levels - 1));
        info.colours[i] = {grey, grey, grey, 0};
    }
    info.header.biClrUsed = levels;
}

void FillPalette(const spng_plte& palette, PngInfoBlock& info) {
    for (std::uint32_t i = 0; i < palette.n_entries && i < 256; ++i) {
        const spng_plte_entry& entry = palette.entries[i];
        info.colours[i] = {entry.blue, entry.green, entry.red, 0};
    }
    info.header.biClrUsed = palette.n_entries;
}

} // namespace

std::optional<DibLayout> ChooseDibLayout(const spng_ihdr& ihdr, bool hasTransparencyChunk) {
    DibLayout layout = KindOf(ihdr, hasTransparencyChunk);
    layout.width = ihdr.width;
    layout.height = ihdr.height;
    layout.stride = DibStride(ihdr.width, BitCount(layout.kind));
    // Both factors are below 2^32 and the stride below 2^35: no overflow.
    layout.size = layout.stride * ihdr.height;
    const std::uint64_t picture = std::uint64_t{ihdr.width} * ihdr.height * 4;
    if (layout.width == 0 || layout.height == 0 || layout.size > kMaxDibBytes ||
        picture > kMaxDibBytes)
        return std::nullopt;
    return layout;
}

void FillInfoBlock(const DibLayout& layout, const spng_ihdr& ihdr, const spng_plte& palette,
                   PngInfoBlock& info) {
    BitmapInfoHeader& header = info.header;
    header.biSize = sizeof(BitmapInfoHeader);
    header.biWidth = static_cast<std::int32_t>(layout.width);
    header.biHeight = -static_cast<std::int32_t>(layout.height);
    header.biPlanes = 1;
    header.biBitCount = static_cast<std::uint16_t>(BitCount(layout.kind));
    header.biCompression = kBiRgb;
    header.biSizeImage = static_cast<std::uint32_t>(layout.size);
    if (layout.kind != DibKind::Indexed8)
        return;
    if (ihdr.color_type == SPNG_COLOR_TYPE_INDEXED)
        FillPalette(palette, info);
    else
        FillGreyRamp(ihdr.bit_depth, info);
}

} // namespace sorvane
