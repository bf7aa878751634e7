#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>

namespace sorvane::test {

// Pictures made the way cameras and phones make them, by real encoders, for
// tests that check what a reader shows; an empty array when one could not
// be made. `upright` is the picture as it must look; `orientation` (EXIF, 1
// to 8) is how the camera was held: the pixels are stored turned for it and
// the file says how to turn them back.

// A picture whose four quarters have four colours far apart (so lossy
// coding keeps them apart), and where those corners landed in an image:
// {0, 1, 2, 3} (top left, top right, bottom left, bottom right) upright.
QImage CornerPicture(QSize size);
QList<int> Corners(const QImage& image);

// A JPEG with an EXIF orientation block right after its start, as cameras write.
QByteArray OrientedJpeg(const QImage& upright, int orientation);

// Qt's writer for `format` ("JPEG", "PNG", "WEBP", "TIFF"); a WebP's
// orientation goes into an EXIF chunk added here, as Qt's writer has none.
QByteArray EncodedPicture(const QImage& upright, const char* format, int orientation = 1);

// HEIC (x265) or AVIF (aom) by libheif's encoder at its fastest.
enum class HeifCodec { Hevc, Av1 };
QByteArray HeifPicture(const QImage& picture, HeifCodec codec);

// A minimal DNG: a 16-bit colour-filter raw of rawSize and, unless preview
// is null, a JPEG preview in the first directory, as cameras and converters
// write them.
QByteArray MinimalDng(QSize rawSize, const QImage& preview);

// Rewrites a HEIF file's (first ispe box) or a little-endian TIFF or DNG
// file's (every ImageWidth and ImageLength entry) declared size to 100000 x
// 100000; false when none was found.
bool ClaimHugeSize(QByteArray& picture);

} // namespace sorvane::test
