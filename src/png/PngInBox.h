#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

namespace sorvane {

struct BoxedPng {
    QImage image;
    QSize naturalSize; // what the file's header declares
};

// Reads a PNG file row by row straight into a picture of the size that
// sizeFor gives for the file's natural size (never larger than that), so
// the memory used follows the picture shown, not the picture in the file.
// Each pixel of the picture is the average of up to 4 x 4 pixels spread
// over the part of the file's picture it stands for. Pictures with
// transparency come premultiplied (ARGB32_Premultiplied), others as RGB32,
// tagged with the colour space the file declares (see PngColourSpace).
// A null image, and no size, for a file the PNG decoder would not read.
BoxedPng LoadPngPictureInBox(const QString& path, const std::function<QSize(QSize)>& sizeFor);

} // namespace sorvane
