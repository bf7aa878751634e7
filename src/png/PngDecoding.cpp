#include "png/PngDecoding.h"

#include "png/DibRows.h"

#include <cstring>

namespace sorvane {

namespace {

bool HasTransparencyChunk(spng_ctx* ctx) {
    spng_trns trns{};
    return spng_get_trns(ctx, &trns) == 0;
}

} // namespace

PngDecoding::PngDecoding(PngFile png, const DibLayout& layout)
    : png_(std::move(png)), layout_(layout) {}

std::unique_ptr<PngDecoding> PngDecoding::Open(const char* path, PngInfoBlock& info,
                                               std::int32_t& dataSize) {
    std::optional<PngFile> png = PngFile::Open(path);
    if (!png)
        return nullptr;
    const spng_ihdr ihdr = png->ihdr;
    spng_ctx* ctx = png->context.get();
    spng_plte palette{};
    if (ihdr.color_type == SPNG_COLOR_TYPE_INDEXED && spng_get_plte(ctx, &palette) != 0)
        return nullptr;
    const std::optional<DibLayout> layout = ChooseDibLayout(ihdr, HasTransparencyChunk(ctx));
    if (!layout)
        return nullptr;
    std::unique_ptr<PngDecoding> decoding(new PngDecoding(std::move(*png), *layout));
    FillInfoBlock(*layout, ihdr, palette, info);
    dataSize = static_cast<std::int32_t>(layout->size);
    return decoding;
}

bool PngDecoding::decode(std::uint8_t* pixels) {
    const std::lock_guard lock(mutex_);
    if (started_)
        return false;
    started_ = true;
    if (!decodeRows(pixels))
        return false;
    FinishDibRows(layout_, pixels);
    return true;
}

// Each row, of every interlace pass, goes straight to its place in the
// bitmap; later passes fill in the pixels earlier ones left out.
bool PngDecoding::decodeRows(std::uint8_t* pixels) {
    // spng merges the pixels of each pass into packed bytes bit by bit, so
    // it needs them to start out clear.
    if (layout_.pngBitDepth < 8)
        std::memset(pixels, 0, layout_.size);
    spng_ctx* ctx = png_.context.get();
    int error = spng_decode_image(ctx, nullptr, 0, layout_.decodeFormat,
                                  layout_.decodeFlags | SPNG_DECODE_PROGRESSIVE);
    while (error == 0) {
        spng_row_info row{};
        error = spng_get_row_info(ctx, &row);
        if (error == 0)
            error = spng_decode_row(ctx, pixels + row.row_num * layout_.stride, layout_.stride);
    }
    return error == SPNG_EOI;
}

} // namespace sorvane
