#include "sorting/OuterGeometry.h"

#include "settings/Module1.h"
#include "sorting/SavedGeometry.h"

#include <QMainWindow>
#include <QMenuBar>

namespace sorvane {

QRectF OuterGeometry::outerTwips() const {
    const int innerHeight = window_.height() - window_.menuBar()->sizeHint().height();
    return QRectF(twips_.fromPixels(window_.x()), twips_.fromPixels(window_.y()),
                  twips_.fromPixels(window_.width()) + FrameTwips.width(),
                  twips_.fromPixels(innerHeight) + FrameTwips.height());
}

QSize OuterGeometry::pixelsOfOuter(QSizeF outerTwips) const {
    return QSize(twips_.toPixels(float(outerTwips.width() - FrameTwips.width())),
                 twips_.toPixels(float(outerTwips.height() - FrameTwips.height())) +
                     window_.menuBar()->sizeHint().height());
}

void OuterGeometry::setOuterSize(QSizeF outerTwips) {
    window_.resize(pixelsOfOuter(outerTwips));
}

bool OuterGeometry::applySaved(const Module1& module) {
    if (module.RememberWindowSize != 1)
        return true;
    window_.move(twips_.toPixels(module.WindowLeft), twips_.toPixels(module.WindowTop));
    const std::optional<QSizeF> size = SavedOuterSize(module.WindowWidth, module.WindowHeight);
    if (size)
        setOuterSize(*size);
    return size.has_value();
}

void OuterGeometry::saveInto(Module1& module) const {
    const GeometryFields fields = GeometryFieldsOf(outerTwips());
    module.WindowWidth = fields.width;
    module.WindowHeight = fields.height;
    module.WindowLeft = fields.left;
    module.WindowTop = fields.top;
}

// Its size hints ask the window manager for the least size, but not every
// window manager obeys them, and without one nothing does: the window snaps
// back itself.
void OuterGeometry::keepMinimumSize() {
    if (window_.isMinimized() || window_.isMaximized() || window_.isFullScreen())
        return; // the window system holds the size then
    const QSize least = pixelsOfOuter(QSizeF(8775, 8040));
    if (window_.width() < least.width())
        window_.resize(least.width(), window_.height());
    if (window_.height() < least.height())
        window_.resize(window_.width(), least.height());
}

} // namespace sorvane
