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
/// 1440 twips an inch at 96 pixels an inch: the scale the screens are designed at.
constexpr double kDesignTwipsPerPixel = 15.0;
/// The smallest zoom a screen takes, however small its monitor: the 12-point panel
/// text stays at 9 points. A screen that would need less scrolls instead.
constexpr double kMinimumZoom = 0.75;

/// Twips to pixels and back at one scale: 15 twips per logical pixel (96 dpi) as
/// designed; the toolkit scales by the device-pixel ratio.
class Scale
{
public:
    constexpr Scale() = default;
    explicit constexpr Scale(double twipsPerPixel) : m_twipsPerPixel(twipsPerPixel) {}
    /// The scale at which the design is zoom times its size.
    static Scale zoomed(double zoom) { return Scale(kDesignTwipsPerPixel / zoom); }

    double twipsPerPixel() const { return m_twipsPerPixel; }
    double zoom() const { return kDesignTwipsPerPixel / m_twipsPerPixel; }
    int toPixels(double twips) const;
    int fromPixels(int pixels) const;
    QRect rect(double left, double top, double width, double height) const;

private:
    double m_twipsPerPixel = kDesignTwipsPerPixel;
};

struct ViewSize
{
    int16_t width = 0;
    int16_t height = 0;
};

/// The view measure (ViewWidth, ViewHeight) of an inner size in pixels: its points at
/// 96 pixels an inch. A screen at its designed size measures 768 by 576; one zoomed
/// to fit its monitor measures that times its zoom.
ViewSize viewSize(QSize pixels);

/// The largest zoom at which a design of designPixels (its size at the design scale)
/// keeps its proportions and fits into available pixels; never below kMinimumZoom.
double fitZoom(QSize designPixels, QSize available);

/// A designed size in twips, grown or shrunk by view / design view, in pixels.
QSize scaledPixels(QSize designTwips, ViewSize view, const Scale &scale);

/// A designed font size scaled by the vertical ratio, never smaller than designed:
/// a small font must stay readable on a small screen.
double scaledPointSize(double designPoints, ViewSize view);

} // namespace Units
