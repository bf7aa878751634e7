#pragma once

#include <Qt>

namespace sorvane {

// A mouse button as the window handlers number it: 1 left, 2 right, 4 middle, 0 any other.
inline int ButtonNumber(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

} // namespace sorvane
