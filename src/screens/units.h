#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>

/// Screens are designed in twips (1/1440 inch); this is the one place where twips,
/// pixels and the view units by which the screens scale meet. Every rounding here
/// sends a half to the even neighbour.
namespace Units {

/// The exercise screen's inner area as designed, in view units (points, 20 twips).
constexpr int kDesignViewWidth = 768;
constexpr int kDesignViewHeight = 576;
constexpr int kTwipsPerViewUnit = 20;

/// Twips to pixels and back at one scale: 15 twips per logical pixel (96 dpi) as
/// designed; the toolkit scales by the device-pixel ratio.
class Scale
{
public:
    constexpr Scale() = default;
    explicit constexpr Scale(double twipsPerPixel) : m_twipsPerPixel(twipsPerPixel) {}

    double twipsPerPixel() const { return m_twipsPerPixel; }
    int toPixels(double twips) const;
    int fromPixels(int pixels) const;
    QRect rect(double left, double top, double width, double height) const;

private:
    double m_twipsPerPixel = 15.0;
};

struct ViewSize
{
    int16_t width = 0;
    int16_t height = 0;
};

/// The view measure (ViewWidth, ViewHeight) of an inner size in pixels.
ViewSize viewSize(QSize pixels, const Scale &scale);

/// A designed size in twips, grown or shrunk by view / design view, in pixels.
QSize scaledPixels(QSize designTwips, ViewSize view, const Scale &scale);

/// A designed font size scaled by the vertical ratio, never smaller than designed:
/// a small font must stay readable on a small screen.
double scaledPointSize(double designPoints, ViewSize view);

} // namespace Units
