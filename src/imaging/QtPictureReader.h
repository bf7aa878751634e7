#pragma once

#include "imaging/Orientation.h"
#include "imaging/PictureReader.h"

#include <QIODevice>
#include <QSize>

#include <optional>

namespace sorvane {

// A picture read through Qt's image readers, by its content: JPEG, BMP,
// GIF, WebP and TIFF, and nothing else those readers know (a format without
// a signature, such as TGA, would take arbitrary files for pictures). The
// picture comes upright, shrunk to fit the box, and in sRGB. The orientation
// is the file's own (JPEG's EXIF, TIFF's tag, WebP's EXIF chunk) unless one
// is given, as for a camera raw's preview, whose raw file says how to turn it.
Picture ReadWithQt(QIODevice& device, QSize box,
                   std::optional<Orientation> orientation = std::nullopt);

} // namespace sorvane
