#include "platform/NumberText.h"

#include <cmath>

namespace sorvane {

QString SingleText(float value) {
    if (std::nearbyint(value) == value && std::fabs(value) < 1e7f)
        return QString::number(static_cast<qint64>(value));
    return QString::number(static_cast<double>(value), 'g', 7);
}

} // namespace sorvane
