#include "screens/units.h"

#include "state/numbers.h"

#include <algorithm>

namespace Units {

namespace {
int whole(double value)
{
    return int(Numbers::roundHalfEven(value));
}
} // namespace

int Scale::toPixels(double twips) const
{
    return whole(twips / m_twipsPerPixel);
}

int Scale::fromPixels(int pixels) const
{
    return whole(pixels * m_twipsPerPixel);
}

QRect Scale::rect(double left, double top, double width, double height) const
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

ViewSize viewSize(QSize pixels, const Scale &scale)
{
    const double perUnit = kTwipsPerViewUnit / scale.twipsPerPixel();
    return {Numbers::clampToInt16(pixels.width() / perUnit), Numbers::clampToInt16(pixels.height() / perUnit)};
}

QSize scaledPixels(QSize designTwips, ViewSize view, const Scale &scale)
{
    return QSize(scale.toPixels(designTwips.width() * double(view.width) / kDesignViewWidth),
                 scale.toPixels(designTwips.height() * double(view.height) / kDesignViewHeight));
}

double scaledPointSize(double designPoints, ViewSize view)
{
    return std::max(designPoints, designPoints * view.height / kDesignViewHeight);
}

} // namespace Units
