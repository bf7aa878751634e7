#pragma once

#include <QRect>
#include <QRectF>

namespace sorvane {

// The window's geometry is reckoned in twips (1/1440 inch), in single
// precision, as the layout arithmetic is written; this is the one place
// where twips become screen pixels.
class Twips {
public:
    explicit Twips(float dotsPerInch = 96.0f) : dpi_(dotsPerInch) {}

    // At the primary screen's logical resolution, as every window lays out.
    static Twips forScreen();

    int toPixels(float twips) const;
    float fromPixels(int pixels) const;

    // Edges are rounded, not sizes, so controls that touch in twips touch on screen.
    QRect toPixels(const QRectF& twips) const;

private:
    float dpi_;
};

} // namespace sorvane
