#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace sorvane::test {

// Pictures made the way cameras and phones make them, by real encoders,
// for tests that check what a reader shows. Each writer returns false when
// the file could not be made.

// The colours of the four quarters of CornerPicture: top left, top right,
// bottom left, bottom right. Far apart, so lossy coding keeps them apart.
inline const QColor TopLeftColour(220, 30, 30);
inline const QColor TopRightColour(30, 200, 30);
inline const QColor BottomLeftColour(30, 30, 220);
inline const QColor BottomRightColour(230, 230, 30);

// A picture whose four quarters have the four colours above, so a test can
// tell where each corner landed after turning or flipping.
QImage CornerPicture(QSize size);

// Which of the four corner colours is nearest to the pixel at (x, y), as 0
// (top left), 1 (top right), 2 (bottom left), 3 (bottom right).
int CornerAt(const QImage& image, int x, int y);

// The four corners of an image as CornerAt reads them, e.g. {0, 1, 2, 3}
// for a CornerPicture shown upright.
QList<int> Corners(const QImage& image);

// The stored pixels a camera writes for a picture that, shown with EXIF
// orientation `orientation` (1 to 8) applied, looks like `upright`.
QImage StoredForOrientation(const QImage& upright, int orientation);

// An EXIF APP1 segment (marker, length, "Exif", a little-endian TIFF block)
// whose first directory holds one Orientation entry.
QByteArray ExifOrientationSegment(int orientation);

// A JPEG of `upright` as a camera held at `orientation` writes it: the
// pixels stored turned, with an EXIF block saying how to turn them back.
QByteArray OrientedJpeg(const QImage& upright, int orientation);

// The picture coded by Qt's writer for `format` ("JPEG", "PNG", "WEBP",
// "TIFF"), the pixels stored turned for `orientation`, which is recorded in
// TIFF's Orientation tag or a WebP EXIF chunk (added here, as Qt's writer
// has none).
QByteArray EncodedPicture(const QImage& upright, const char* format, int orientation = 1);

// A JPEG of a uniform colour given in Adobe RGB (1998), carrying that
// colour space's ICC profile.
QByteArray AdobeRgbJpeg(QSize size, QColor adobeColour);

// HEIC (HEVC through x265) or AVIF (AV1 through aom) by libheif's encoder
// at its fastest settings, with the orientation written as libheif writes
// it (irot/imir boxes).
enum class HeifCodec { Hevc, Av1 };
QByteArray HeifPicture(const QImage& upright, HeifCodec codec, int orientation = 1);

// A minimal DNG: a 16-bit colour-filter raw of rawSize and, when preview is
// not null, a JPEG preview of it in the first directory, as cameras and
// converters write them. The orientation goes into the Orientation tag and
// the preview's pixels are stored turned for it.
QByteArray MinimalDng(QSize rawSize, const QImage& preview, int orientation = 1);

// Rewrites a HEIF file's (first ispe box) or a little-endian TIFF or DNG
// file's (every ImageWidth and ImageLength entry) declared picture size to
// 100000 x 100000, leaving the rest as it was; false when none was found.
bool ClaimHugeSize(QByteArray& picture);

} // namespace sorvane::test
