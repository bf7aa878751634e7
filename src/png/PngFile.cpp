#include "png/PngFile.h"

#include <sys/stat.h>

namespace sorvane {

namespace {

// Text and profile chunks are read into memory; these caps keep a hostile
// file from making the decoder allocate without end.
constexpr std::size_t kMaxChunkBytes = 16 * 1024 * 1024;
constexpr std::size_t kMaxChunkCacheBytes = 64 * 1024 * 1024;

// The most a deflate stream inflates: 258 bytes from every two bits.
constexpr std::uint64_t kMostInflation = 1032;

unsigned Channels(std::uint8_t colourType) {
    switch (colourType) {
    case SPNG_COLOR_TYPE_TRUECOLOR:
        return 3;
    case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA:
        return 2;
    case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA:
        return 4;
    default:
        return 1;
    }
}

} // namespace

bool CouldHoldPicture(const spng_ihdr& ihdr, std::uint64_t fileBytes) {
    // The rows as stored, each after its filter byte; interlacing only adds
    // to that. Width and height are below 2^31: no overflow.
    const std::uint64_t rowBytes =
        (std::uint64_t{ihdr.width} * Channels(ihdr.color_type) * ihdr.bit_depth + 7) / 8;
    const std::uint64_t stored = std::uint64_t{ihdr.height} * (1 + rowBytes);
    return stored / kMostInflation <= fileBytes;
}

std::optional<PngFile> PngFile::Open(const char* path) {
    PngFile png;
    png.file.reset(std::fopen(path, "rb"));
    struct stat st {};
    if (!png.file || ::fstat(::fileno(png.file.get()), &st) != 0)
        return std::nullopt;
    png.context.reset(spng_ctx_new(0));
    spng_ctx* ctx = png.context.get();
    if (!ctx || spng_set_chunk_limits(ctx, kMaxChunkBytes, kMaxChunkCacheBytes) != 0 ||
        spng_set_png_file(ctx, png.file.get()) != 0 || spng_get_ihdr(ctx, &png.ihdr) != 0 ||
        !CouldHoldPicture(png.ihdr, std::uint64_t(st.st_size)))
        return std::nullopt;
    return png;
}

} // namespace sorvane
