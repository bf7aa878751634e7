#pragma once

#include <QSize>
#include <QtGlobal>

namespace sorvane {

// The most memory one decoded picture may take, in every reader. JPEG and
// PNG are decoded straight at (about) the box's size, so this stops only
// pictures that must be decoded whole first (BMP, GIF, WebP, TIFF, HEIC, a
// raw developed) and claim tens of megapixels; they are refused from their
// header, before anything is decoded.
inline constexpr int kMostPictureMiB = 128;

// Whether a picture of that size, at that many bytes a pixel, stays within
// the limit (an empty or negative size never does).
inline bool FitsPictureMemory(QSize size, int bytesPerPixel) {
    return size.width() > 0 && size.height() > 0 &&
           qint64(size.width()) * size.height() * bytesPerPixel <= qint64(kMostPictureMiB) << 20;
}

} // namespace sorvane
