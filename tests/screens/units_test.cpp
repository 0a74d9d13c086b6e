#include "screens/units.h"

#include <gtest/gtest.h>

namespace {

struct ViewCase { const char *name; QSize pixels; int viewWidth, viewHeight; };

class ViewSize : public testing::TestWithParam<ViewCase> {};

// Points at 15 twips a pixel: three quarters of a pixel, a half going to the even neighbour.
TEST_P(ViewSize, IsPointsRoundedHalfToEven)
{
    const Units::ViewSize view = Units::viewSize(GetParam().pixels);
    EXPECT_EQ(view.width, GetParam().viewWidth);
    EXPECT_EQ(view.height, GetParam().viewHeight);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ViewSize,
    testing::Values(ViewCase{"four_thirds", {1365, 1024}, 1024, 768}, // 1023.75 rounds up
                    ViewCase{"half_goes_to_even_down", {1366, 6}, 1024, 4}, // 1024.5, 4.5
                    ViewCase{"half_goes_to_even_up", {1370, 2}, 1028, 2}),  // 1027.5, 1.5
    [](const auto &info) { return std::string(info.param.name); });

// A help window designed 9600 x 7200 twips; each side follows its own ratio.
TEST(ScaledPixels, FollowTheViewRatios)
{
    EXPECT_EQ(Units::scaledPixels(QSize(9600, 7200), {1024, 768}, Units::Scale()), QSize(853, 640));
    EXPECT_EQ(Units::scaledPixels(QSize(9600, 7200), {1536, 576}, Units::Scale()), QSize(1280, 480));
}

TEST(ScaledPointSize, GrowsWithTheViewButNeverShrinks)
{
    EXPECT_DOUBLE_EQ(Units::scaledPointSize(8.25, {768, 576}), 8.25);
    EXPECT_DOUBLE_EQ(Units::scaledPointSize(8.25, {1024, 768}), 11.0);
    EXPECT_DOUBLE_EQ(Units::scaledPointSize(8.25, {384, 288}), 8.25);
}

// available: the monitor less panels, task bar and the window's frame
struct FitCase { const char *name; QSize available; double zoom; };

class FitZoom : public testing::TestWithParam<FitCase> {};

// The exercise screen is designed 1024 by 768 pixels.
TEST_P(FitZoom, LargestThatKeepsProportionsAndFits)
{
    const FitCase &c = GetParam();
    const double zoom = Units::fitZoom(QSize(1024, 768), c.available);
    EXPECT_NEAR(zoom, c.zoom, 0.001);
    const QSize screen = QSize(1024, 768) * zoom;
    if (zoom > Units::kMinimumZoom)
        EXPECT_TRUE(c.available.expandedTo(screen) == c.available) << screen.width() << "x" << screen.height();
}

INSTANTIATE_TEST_SUITE_P(Monitors, FitZoom,
    testing::Values(FitCase{"projector_1280x720", {1272, 682}, 682.0 / 768},
                    FitCase{"monitor_3840x2160", {3832, 2042}, 2042.0 / 768},
                    FitCase{"narrow_but_high", {1000, 1200}, 1000.0 / 1024},
                    FitCase{"too_small_keeps_the_readable_minimum", {792, 562}, Units::kMinimumZoom}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Scale, TwipsAndPixelsMeetWithOneRounding)
{
    const Units::Scale design;
    EXPECT_EQ(design.toPixels(15360), 1024);
    EXPECT_EQ(design.toPixels(22.5), 2);  // 1.5
    EXPECT_EQ(design.toPixels(37.5), 2);  // 2.5
    EXPECT_EQ(design.fromPixels(1024), 15360);
    EXPECT_EQ(design.rect(120, 800, 13350, 9600), QRect(8, 53, 890, 640));
    // Edges round, so that controls that meet in twips meet in pixels at any zoom.
    const Units::Scale zoomed = Units::Scale::zoomed(0.9);
    EXPECT_EQ(zoomed.rect(10, 0, 1010, 10).right() + 1, zoomed.rect(1020, 0, 1000, 10).left());
    EXPECT_EQ(Units::Scale::zoomed(2).toPixels(15360), 2048);
}

} // namespace
