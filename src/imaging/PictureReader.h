#pragma once

#include "platform/FileError.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace sorvane {

// A decoded picture, or the reason there is none. naturalSize is the size the
// file declares, also when the image was decoded smaller than that.
struct Picture {
    QImage image;
    QSize naturalSize;
    FileError error = FileError::None;

    bool isNull() const { return image.isNull(); }
};

// The platform's picture loader: JPEG, BMP and GIF files by their content.
// A file that exists but is none of these, or is damaged, is an invalid picture.
// With a non-empty box, a picture larger than the box is decoded straight to
// the size that fits it (the size the preview would scale it to), which lets
// JPEG skip most of its work; the natural size is still reported.
Picture ReadPicture(const QString& path, QSize box = {});

} // namespace sorvane
