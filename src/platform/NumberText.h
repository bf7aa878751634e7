#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace sorvane {

// Plain decimal text of a single-precision value: whole values without a
// fraction, others with their fraction to at most seven significant digits.
QString SingleText(float value);

// The number a user typed at the start of a text, as a signed 16-bit value.
// Full-width characters (an input method's digits, minus, blank) read as
// their ASCII forms. Blanks, tabs and line feeds anywhere are ignored; then
// a decimal number (sign, digits, point, exponent with E or D) or an &H / &O
// integer is read up to the first character that cannot continue it, and no
// number reads as 0. Fractions round half to even. Empty when the value does
// not fit 16 bits, so the caller can refuse it instead of wrapping it.
std::optional<std::int16_t> readNumber(const QString& text);

} // namespace sorvane
