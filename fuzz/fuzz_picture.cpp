// Any file through the one picture source, fitted to a small box: PNG files
// through the PNG decoder; JPEG, BMP, GIF, WebP and TIFF through Qt's
// readers; HEIC and AVIF through libheif; camera raws through LibRaw (their
// preview, or the raw data developed). Pictures larger than the box come
// fitted to it, others at their size, upright either way.

#include "InputFile.h"
#include "imaging/Fit.h"
#include "imaging/PictureSource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace sorvane;

namespace {

// Small, so the seed pictures are both larger and smaller than it.
constexpr QSize kBox(12, 9);

bool StartsWith(const std::uint8_t* data, std::size_t size, const char* magic) {
    const std::size_t length = std::strlen(magic);
    return size >= length && std::memcmp(data, magic, length) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The source picks the PNG decoder by the name, every other by content.
    const QString path = fuzz::WriteInputFile(
        StartsWith(data, size, "\x89PNG\r\n\x1a\n") ? "input.png" : "input.jpg", data, size);
    PictureSource source(PictureSource::Options{.cacheCapacity = 1, .workers = 0});
    const Picture picture = source.load(path, kBox);
    if (picture.isNull())
        return 0;
    const QSize natural = picture.naturalSize;
    const QSize expected = ShrinksToFit(natural, kBox) ? FittedSize(natural, kBox) : natural;
    if (picture.image.size() != expected) {
        std::fprintf(stderr, "picture: natural size %dx%d shown as %dx%d\n", natural.width(),
                     natural.height(), picture.image.width(), picture.image.height());
        std::abort();
    }
    return 0;
}
