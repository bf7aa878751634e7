#pragma once

#include <QString>

namespace sorvane {

// A file counts as a picture by the last four characters of its name, exactly
// as written: ".jpg", ".JPG", "JPEG", "jpeg", ".bmp", ".BMP", ".GIF", ".gif",
// ".PNG", ".png". So "a.jpeg" is one and "a.Jpg" is not.
bool IsImageFile(const QString& name);

// PNG files go through the PNG decoder; every other file through the
// platform's picture loader.
bool IsPngFile(const QString& name);

} // namespace sorvane
