#pragma once

#include <QString>

#include <cstdint>
#include <optional>

/// Number rules shared by the settings, the score display, the grade, the lesson
/// store and the teachers' tool.
namespace Numbers {

/// The one reader of decimal text, as settings and scores are written: blanks around
/// it ignored, a point as decimal separator, the C locale's rules otherwise. Empty or
/// non-numeric text gives nothing, and so does a number too large for a double.
std::optional<double> readDecimal(const QString &text);

enum class WholeNumber {
    Whole,     ///< a whole number that fits an int; it is given back
    NotWhole,  ///< a number that no int equals: 5.5, 1.50, 1e20 written out
    NotNumber, ///< empty, letters, anything else
};

/// Plain decimal text (an optional sign, digits, optionally a point and more digits;
/// no blanks) as a whole number. Places that are all zeros keep it whole: "2.00" is 2.
WholeNumber readWholeNumber(QStringView text, int *value);

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
