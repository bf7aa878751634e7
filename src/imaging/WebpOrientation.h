#pragma once

#include "imaging/Orientation.h"

#include <QByteArray>
#include <QIODevice>

namespace sorvane {

// The Orientation entry of an EXIF block (a TIFF header and its first
// directory, with or without the "Exif\0\0" that JPEG puts before it), as a
// transformation; upright when there is none or the block is damaged.
Orientation ExifBlockOrientation(const QByteArray& exif);

// The orientation a WebP file's EXIF chunk gives, which Qt's WebP reader
// leaves unread. The device is left where it was.
Orientation WebpOrientation(QIODevice& device);

} // namespace sorvane
