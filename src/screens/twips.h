#pragma once

#include <QRect>

#include <cmath>

/// Screens are designed in twips; this is the one place they become pixels:
/// 15 twips per logical pixel (96 dpi), the toolkit scales by the device-pixel ratio.
namespace Twips {

constexpr double kPerPixel = 15.0;

inline int toPixels(double twips)
{
    return int(std::lround(twips / kPerPixel));
}

inline int fromPixels(int pixels)
{
    return int(std::lround(pixels * kPerPixel));
}

inline QRect rect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

/// A size in points (twips / 20), the unit ViewWidth and ViewHeight are kept in.
inline int pixelsToPoints(int pixels)
{
    return int(std::lround(pixels * kPerPixel / 20.0));
}

} // namespace Twips
