#include "png/PNGLoader.h"

#include "platform/NativeName.h"
#include "png/DibPicture.h"
#include "png/PngDecoder.h"

#include <cstring>
#include <memory>

namespace sorvane {

namespace {

// Closes the decoding on every way out, also when allocating the pixel
// buffer throws; closing twice is harmless.
class OpenDecoding {
public:
    ~OpenDecoding() { End(); }
    void End() { mEndPNG(&handle); }

    std::int32_t handle = 0;
};

QImage DecodePicture(const QString& path) {
    PngInfoBlock info;
    std::memset(&info, 0, sizeof info);
    std::int32_t dataSize = 0;
    OpenDecoding decoding;
    const QByteArray encodedPath = ToNativeName(path);
    if (mLoadPNG(encodedPath.constData(), &decoding.handle, &info, &dataSize) != 1 || dataSize <= 0)
        return {};
    // The one decoded copy; released when this returns, after the picture
    // has taken its own copy.
    const auto pixels = std::make_unique_for_overwrite<std::uint8_t[]>(dataSize);
    if (mGetPNGData(&decoding.handle, pixels.get()) != 1)
        return {};
    decoding.End(); // the file is closed before the picture is made
    return CreatePictureFromDib(pixels.get(), info);
}

} // namespace

QImage LoadPngPicture(const QString& path) {
    try {
        return DecodePicture(path);
    } catch (...) {
        return {}; // out of memory: no picture, as for any unreadable file
    }
}

} // namespace sorvane
