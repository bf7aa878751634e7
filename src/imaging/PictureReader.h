#pragma once

#include "platform/FileError.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace sorvane {

// A decoded picture, or the reason there is none. naturalSize is the size the
// file declares, upright, also when the image was decoded smaller than that.
struct Picture {
    QImage image;
    QSize naturalSize;
    FileError error = FileError::None;

    bool isNull() const { return image.isNull(); }
};

// The picture loader, by the file's content: JPEG, BMP, GIF, WebP and TIFF
// through Qt's readers, HEIC/HEIF and AVIF through libheif, camera raw files
// through LibRaw. A file that exists but is none of these, or is damaged, is
// an invalid picture. The picture comes upright (the file's orientation
// applied) and in sRGB (an embedded colour profile applied).
// With a non-empty box (in device pixels), a picture larger than the box is
// decoded straight to the size that fits it (the size the preview would
// scale it to), which lets JPEG skip most of its work; naturalSize is the
// upright size of the whole picture.
Picture ReadPicture(const QString& path, QSize box = {});

} // namespace sorvane
