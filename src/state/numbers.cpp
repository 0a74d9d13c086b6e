#include "state/numbers.h"

#include <QLocale>

#include <cfenv>
#include <cmath>
#include <limits>

namespace Numbers {

std::optional<double> readDecimal(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

WholeNumber readWholeNumber(QStringView text, int *value)
{
    const auto digitsEnd = [&text](qsizetype from) {
        while (from < text.size() && text.at(from) >= QLatin1Char('0') && text.at(from) <= QLatin1Char('9'))
            ++from;
        return from;
    };
    const qsizetype signEnd = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    const qsizetype wholeEnd = digitsEnd(signEnd);
    const bool point = wholeEnd < text.size() && text.at(wholeEnd) == QLatin1Char('.');
    const qsizetype placesEnd = point ? digitsEnd(wholeEnd + 1) : wholeEnd;
    if (wholeEnd == signEnd || placesEnd != text.size() || (point && placesEnd == wholeEnd + 1))
        return WholeNumber::NotNumber;
    for (qsizetype i = wholeEnd + 1; i < placesEnd; ++i) {
        if (text.at(i) != QLatin1Char('0'))
            return WholeNumber::NotWhole;
    }
    const auto number = readDecimal(text.first(wholeEnd).toString());
    if (!number || *number < std::numeric_limits<int>::min() || *number > std::numeric_limits<int>::max())
        return WholeNumber::NotWhole;
    *value = int(*number);
    return WholeNumber::Whole;
}

double roundHalfEven(double value)
{
    // nearbyint follows the current rounding mode; make sure it is to-nearest-even.
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previous);
    return rounded;
}

bool fitsInt16(double value)
{
    return value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max();
}

int16_t clampToInt16(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = roundHalfEven(value);
    if (rounded < std::numeric_limits<int16_t>::min())
        return std::numeric_limits<int16_t>::min();
    if (rounded > std::numeric_limits<int16_t>::max())
        return std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(rounded);
}

QString formatPlain(double value)
{
    if (value == 0.0)
        return QStringLiteral("0"); // also folds -0
    QString text = QString::number(value, 'g', 15);
    if (text.contains(QLatin1Char('e'))) {
        // Very large or tiny scores: spell them out rather than in exponent form.
        text = QString::number(value, 'f', 15);
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
    }
    return text;
}

std::optional<int16_t> readWholeInt16(const QString &text)
{
    const auto value = readDecimal(text);
    if (!value)
        return std::nullopt;
    const double rounded = roundHalfEven(*value);
    if (!fitsInt16(rounded))
        return std::nullopt;
    return static_cast<int16_t>(rounded);
}

} // namespace Numbers
