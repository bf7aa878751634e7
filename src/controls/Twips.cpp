#include "controls/Twips.h"

#include <cmath>

namespace sorvane {

int Twips::ToPixels(float twips) const {
    return int(std::lround(twips * dpi_ / 1440.0f));
}

float Twips::FromPixels(int pixels) const {
    return float(pixels) * 1440.0f / dpi_;
}

QRect Twips::ToPixels(const QRectF& twips) const {
    const int left = ToPixels(float(twips.left()));
    const int top = ToPixels(float(twips.top()));
    const int right = ToPixels(float(twips.left() + twips.width()));
    const int bottom = ToPixels(float(twips.top() + twips.height()));
    return QRect(left, top, right - left, bottom - top);
}

} // namespace sorvane
