#pragma once

#include "controls/Twips.h"

#include <QRect>
#include <QRectF>
#include <QSize>

#include <vector>

class QMainWindow;

namespace sorvane {

struct Module1;

// The main window's outer size and position in twips, as the settings keep
// them (SavedGeometry.h), read from and put onto the real window, and its
// least size.
class OuterGeometry {
public:
    OuterGeometry(QMainWindow& window, const Twips& twips) : window_(window), twips_(twips) {}

    QRectF outerTwips() const;
    void setOuterSize(QSizeF outerTwips);
    // The remembered place and size, when the settings remember them. False
    // when a remembered size is not a number (start-up goes no further).
    bool applySaved(const Module1& module);
    // A place saved on a screen that is gone or smaller now is moved onto the
    // nearest screen, so the window never opens where nobody can reach it.
    void keepOnScreen();
    void saveInto(Module1& module) const;
    // The window never gets smaller than 8775 x 8040 twips outside.
    void keepMinimumSize();

private:
    QSize pixelsOfOuter(QSizeF outerTwips) const;

    QMainWindow& window_;
    const Twips& twips_;
};

// Where a window of that outer rectangle (pixels) goes among the screens'
// available areas: where it is while a piece of its top edge, where it is
// taken and moved, lies on one of them; otherwise into the nearest area,
// as far as it fits there.
QPoint ReachablePlace(const QRect& outer, const std::vector<QRect>& areas);

} // namespace sorvane
