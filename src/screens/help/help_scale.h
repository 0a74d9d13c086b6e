#pragma once

#include <QSize>

#include <cstdint>

/// How the help windows take their size from the exercise screen. The windows are
/// designed, in twips, for an exercise screen whose inner area measures 768 by 576
/// points; they grow and shrink by the same ratios as the exercise screen.
namespace HelpScale {

constexpr int kDesignViewWidth = 768;
constexpr int kDesignViewHeight = 576;
constexpr int kTwipsPerPixel = 15; // 1440 twips per inch at 96 logical pixels per inch

struct ViewSize
{
    int16_t width = 0;
    int16_t height = 0;
};

/// The view measure from an inner size in logical pixels: points (3/4 of a pixel),
/// each rounded to a whole number, a half going to the even neighbour.
ViewSize viewSizeFromPixels(int widthPixels, int heightPixels);

/// A designed size in twips, scaled by view / design view, in whole logical pixels.
QSize scaledPixels(QSize designTwips, ViewSize view);

/// A designed font size scaled by the vertical ratio, never smaller than designed:
/// a small font must stay readable on a small screen.
double scaledPointSize(double designPoints, ViewSize view);

} // namespace HelpScale
