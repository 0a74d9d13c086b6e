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
    // Edges, not sizes, are rounded, so that controls that meet in twips meet in pixels.
    const int x = toPixels(left);
    const int y = toPixels(top);
    return QRect(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

ViewSize viewSize(QSize pixels)
{
    const double perUnit = kTwipsPerViewUnit / kDesignTwipsPerPixel;
    return {Numbers::clampToInt16(pixels.width() / perUnit), Numbers::clampToInt16(pixels.height() / perUnit)};
}

double fitZoom(QSize designPixels, QSize available)
{
    if (designPixels.isEmpty() || available.isEmpty())
        return 1.0;
    const double zoom = std::min(double(available.width()) / designPixels.width(),
                                 double(available.height()) / designPixels.height());
    return std::max(kMinimumZoom, zoom);
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
