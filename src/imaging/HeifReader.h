#pragma once

#include "imaging/PictureReader.h"

#include <QByteArray>
#include <QSize>

namespace sorvane {

// Whether the first bytes of a file are those of a HEIF picture libheif can
// decode (HEIC, AVIF and their kin).
bool IsHeif(const QByteArray& head);

// The primary picture of the HEIF file open at fd: upright (libheif applies
// the file's turn and mirror boxes), shrunk to fit the box, in sRGB. A file
// whose picture would not fit in the picture memory limit is refused from
// its header, as a damaged one is: an invalid picture.
Picture ReadHeif(int fd, QSize box);

} // namespace sorvane
