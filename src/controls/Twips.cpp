#include "controls/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace sorvane {

Twips Twips::forScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return Twips(screen ? float(screen->logicalDotsPerInch()) : 96.0f);
}

int Twips::toPixels(float twips) const {
    return int(std::lround(twips * dpi_ / 1440.0f));
}

float Twips::fromPixels(int pixels) const {
    return float(pixels) * 1440.0f / dpi_;
}

QRect Twips::toPixels(const QRectF& twips) const {
    const int left = toPixels(float(twips.left()));
    const int top = toPixels(float(twips.top()));
    const int right = toPixels(float(twips.left() + twips.width()));
    const int bottom = toPixels(float(twips.top() + twips.height()));
    return QRect(left, top, right - left, bottom - top);
}

} // namespace sorvane
