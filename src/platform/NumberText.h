#pragma once

#include <QString>

namespace sorvane {

// Plain decimal text of a single-precision value: whole values without a
// fraction, others with their fraction to at most seven significant digits.
QString SingleText(float value);

} // namespace sorvane
