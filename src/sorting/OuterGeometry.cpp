#include "sorting/OuterGeometry.h"

#include "settings/Module1.h"
#include "sorting/SavedGeometry.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>
#include <climits>

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
    keepOnScreen();
    return size.has_value();
}

void OuterGeometry::keepOnScreen() {
    std::vector<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(screen->availableGeometry());
    window_.move(ReachablePlace(QRect(window_.pos(), window_.frameGeometry().size()), areas));
}

QPoint ReachablePlace(const QRect& outer, const std::vector<QRect>& areas) {
    // The top edge must show over this much of its width to be taken.
    const int grip = std::min(outer.width(), 100);
    const QRect top(outer.topLeft(), QSize(outer.width(), 1));
    const QRect* nearest = nullptr;
    long long nearestDistance = LLONG_MAX;
    for (const QRect& area : areas) {
        if (area.intersected(top).width() >= grip)
            return outer.topLeft();
        const QPoint gap = area.center() - outer.center();
        const long long distance = 1LL * gap.x() * gap.x() + 1LL * gap.y() * gap.y();
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = &area;
        }
    }
    if (!nearest)
        return outer.topLeft(); // no screen known: nothing to measure against
    const int x = std::clamp(outer.x(), nearest->left(),
                             std::max(nearest->left(), nearest->right() + 1 - outer.width()));
    const int y = std::clamp(outer.y(), nearest->top(),
                             std::max(nearest->top(), nearest->bottom() + 1 - outer.height()));
    return QPoint(x, y);
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
