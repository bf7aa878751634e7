#include "sorting/SavedGeometry.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace sorvane {

std::optional<QSizeF> SavedOuterSize(const QString& width, const QString& height) {
    bool widthOk = false;
    const float w = width.trimmed().toFloat(&widthOk);
    if (!widthOk)
        return std::nullopt;
    if (w < 8300)
        return QSizeF(8385, 6495);
    bool heightOk = false;
    const float h = height.trimmed().toFloat(&heightOk);
    if (!heightOk)
        return std::nullopt;
    return QSizeF(w, h);
}

GeometryFields GeometryFieldsOf(const QRectF& outerTwips) {
    return {SingleText(float(outerTwips.width())), SingleText(float(outerTwips.height())),
            ClampedInt16(float(outerTwips.left())), ClampedInt16(float(outerTwips.top()))};
}

std::int16_t ClampedInt16(float value) {
    return std::int16_t(std::clamp(std::lround(value), -32768L, 32767L));
}

} // namespace sorvane
