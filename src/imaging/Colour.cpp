#include "imaging/Colour.h"

#include <QColorSpace>

namespace sorvane {

void ConvertToSrgb(QImage& image) {
    const QColorSpace space = image.colorSpace();
    if (!space.isValid() || space == QColorSpace(QColorSpace::SRgb))
        return;
    // The conversion works on 32-bit pixels; palettes and packed formats
    // are widened first.
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
}

} // namespace sorvane
