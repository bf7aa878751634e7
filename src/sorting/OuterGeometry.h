#pragma once

#include "controls/Twips.h"

#include <QRectF>
#include <QSize>

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
    void saveInto(Module1& module) const;
    // The window never gets smaller than 8775 x 8040 twips outside.
    void keepMinimumSize();

private:
    QSize pixelsOfOuter(QSizeF outerTwips) const;

    QMainWindow& window_;
    const Twips& twips_;
};

} // namespace sorvane
