#include "png/PngDecoding.h"

#include "png/DibRows.h"

#include <cstring>

namespace sorvane {

namespace {

// Text and profile chunks are read into memory; these caps keep a hostile
// file from making the decoder allocate without end.
constexpr std::size_t kMaxChunkBytes = 16 * 1024 * 1024;
constexpr std::size_t kMaxChunkCacheBytes = 64 * 1024 * 1024;

bool HasTransparencyChunk(spng_ctx* ctx) {
    spng_trns trns{};
    return spng_get_trns(ctx, &trns) == 0;
}

} // namespace

PngDecoding::PngDecoding(File file, Context context, const DibLayout& layout)
    : file_(std::move(file)), context_(std::move(context)), layout_(layout) {}

std::unique_ptr<PngDecoding> PngDecoding::Open(const char* path, PngInfoBlock& info,
                                               std::int32_t& dataSize) {
    File file(std::fopen(path, "rb"));
    if (!file)
        return nullptr;
    Context ctx(spng_ctx_new(0));
    if (!ctx || spng_set_chunk_limits(ctx.get(), kMaxChunkBytes, kMaxChunkCacheBytes) != 0 ||
        spng_set_png_file(ctx.get(), file.get()) != 0)
        return nullptr;
    spng_ihdr ihdr{};
    if (spng_get_ihdr(ctx.get(), &ihdr) != 0)
        return nullptr;
    spng_plte palette{};
    if (ihdr.color_type == SPNG_COLOR_TYPE_INDEXED && spng_get_plte(ctx.get(), &palette) != 0)
        return nullptr;
    const std::optional<DibLayout> layout = ChooseDibLayout(ihdr, HasTransparencyChunk(ctx.get()));
    if (!layout)
        return nullptr;
    std::unique_ptr<PngDecoding> decoding(
        new PngDecoding(std::move(file), std::move(ctx), *layout));
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
    spng_ctx* ctx = context_.get();
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
