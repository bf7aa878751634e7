#pragma once

#include <QImage>

namespace sorvane {

// A picture that carries a colour space other than sRGB (an embedded ICC
// profile, or PNG's gamma and chromaticities) converted to sRGB, which is
// what the screen is taken to show. An untagged or sRGB picture is left
// exactly as it is and costs nothing.
void ConvertToSrgb(QImage& image);

} // namespace sorvane
