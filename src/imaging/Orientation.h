#pragma once

#include <QImage>
#include <QImageIOHandler>
#include <QSize>

namespace sorvane {

// How the stored pixels of a picture are turned or flipped to stand upright:
// Qt's transformations, which name the eight EXIF orientations one to one.
using Orientation = QImageIOHandler::Transformations;

// The EXIF Orientation value (1 to 8) as a transformation; anything else is
// upright already.
Orientation FromExifOrientation(int exif);

// LibRaw's flip (0 upright, 3 half a turn, 5 a quarter turn anticlockwise,
// 6 a quarter turn clockwise) as a transformation.
Orientation FromRawFlip(int flip);

bool Transposes(Orientation orientation);

// The size a stored picture has upright, and back.
QSize UprightSize(QSize stored, Orientation orientation);
QSize StoredSize(QSize upright, Orientation orientation);

// The stored pixels turned upright, the way Qt's reader turns them.
QImage Upright(QImage stored, Orientation orientation);

} // namespace sorvane
