// The PNG decoder's three calls on any file, as a careful caller makes them,
// and the picture made from the bitmap they give.

#include "InputFile.h"
#include "PngChunks.h"
#include "png/DibPicture.h"
#include "png/PngDecoder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace sorvane;

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "PNG bridge: %s\n", what);
    std::abort();
}

void CheckPicture(const QImage& picture, const PngInfoBlock& info) {
    if (picture.isNull())
        return;
    if (picture.width() != info.header.biWidth ||
        picture.height() != std::abs(info.header.biHeight))
        Fail("the picture's size is not the bitmap's");
}

} // namespace

// Half the mutations keep the chunk checksums right, so changed headers and
// chunks get past the checksum test; the other half test that test.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (seed & 1)
        fuzz::FixPngChecksums(data, size);
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray path = fuzz::WriteInputFile("input.png", data, size).toUtf8();
    PngInfoBlock info;
    std::memset(&info, 0, sizeof info);
    std::int32_t handle = 0;
    std::int32_t dataSize = 0;
    if (mLoadPNG(path.constData(), &handle, &info, &dataSize) != 1)
        return 0;
    if (handle == 0 || dataSize <= 0)
        Fail("an opened decoding has no handle or no pixels");
    const auto pixels = std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t(dataSize));
    if (mGetPNGData(&handle, pixels.get()) == 1)
        CheckPicture(CreatePictureFromDib(pixels.get(), info), info);
    if (mGetPNGData(&handle, pixels.get()) == 1)
        Fail("a decoding ran twice");
    mEndPNG(&handle);
    if (handle != 0)
        Fail("the closed handle was not cleared");
    return 0;
}
