#pragma once

#include <QString>

#include <cstdint>
#include <optional>

/// Number rules shared by the settings, the score display and the grade.
namespace Numbers {

/// A setting's text as a decimal number: blanks around it ignored, a point as
/// decimal separator, no thousands separators. Empty or non-numeric text gives nothing.
std::optional<double> readDecimal(const QString &text);

/// Nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

bool fitsInt16(double value);

/// Clamps into the 16-bit range after rounding half to even.
int16_t clampToInt16(double value);

/// Plain decimal text: no exponent for everyday values, no trailing zeros,
/// up to 15 significant digits («3», «-2», «1.5»).
QString formatPlain(double value);

/// readDecimal, then rounding half to even, within the 16-bit range.
std::optional<int16_t> readWholeInt16(const QString &text);

} // namespace Numbers
