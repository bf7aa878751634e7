#pragma once

#include <QImage>
#include <QString>

namespace sorvane {

// Reads a PNG file into a picture through the PNG decoder, so that PNG files
// are shown like any other picture. Transparent parts stay transparent (an
// ARGB32 picture) and are drawn over the window's background. A null image
// when the file is missing, is no PNG, is damaged or too large; never throws
// and never asks the user anything.
QImage LoadPngPicture(const QString& path);

} // namespace sorvane
