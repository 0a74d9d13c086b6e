#include "screens/units.h"

#include <gtest/gtest.h>

namespace {

struct ViewCase
{
    const char *name;
    QSize pixels;
    int viewWidth, viewHeight;
};

class ViewSize : public testing::TestWithParam<ViewCase> {};

// Points at 15 twips a pixel: three quarters of a pixel, a half going to the even neighbour.
TEST_P(ViewSize, IsPointsRoundedHalfToEven)
{
    const Units::ViewSize view = Units::viewSize(GetParam().pixels, Units::Scale());
    EXPECT_EQ(view.width, GetParam().viewWidth);
    EXPECT_EQ(view.height, GetParam().viewHeight);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ViewSize,
    testing::Values(ViewCase{"design_screen", {1024, 768}, 768, 576},
                    ViewCase{"four_thirds", {1365, 1024}, 1024, 768}, // 1023.75 rounds up
                    ViewCase{"half_goes_to_even_down", {1366, 6}, 1024, 4}, // 1024.5, 4.5
                    ViewCase{"half_goes_to_even_up", {1370, 2}, 1028, 2},   // 1027.5, 1.5
                    ViewCase{"nothing", {0, 0}, 0, 0}),
    [](const auto &info) { return std::string(info.param.name); });

struct ScaleCase
{
    const char *name;
    Units::ViewSize view;
    QSize pixels;
};

class ScaledPixels : public testing::TestWithParam<ScaleCase> {};

// A help window designed 9600 x 7200 twips.
TEST_P(ScaledPixels, FollowTheViewRatios)
{
    EXPECT_EQ(Units::scaledPixels(QSize(9600, 7200), GetParam().view, Units::Scale()), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Views, ScaledPixels,
    testing::Values(ScaleCase{"design_view", {768, 576}, QSize(640, 480)},
                    ScaleCase{"four_thirds", {1024, 768}, QSize(853, 640)},
                    ScaleCase{"half", {384, 288}, QSize(320, 240)},
                    ScaleCase{"wide_only", {1536, 576}, QSize(1280, 480)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ScaledPointSize, GrowsWithTheViewButNeverShrinks)
{
    EXPECT_DOUBLE_EQ(Units::scaledPointSize(8.25, {768, 576}), 8.25);
    EXPECT_DOUBLE_EQ(Units::scaledPointSize(8.25, {1024, 768}), 11.0);
    EXPECT_DOUBLE_EQ(Units::scaledPointSize(8.25, {384, 288}), 8.25);
}

TEST(Scale, TwipsAndPixelsMeetWithOneRounding)
{
    const Units::Scale design;
    EXPECT_EQ(design.toPixels(15360), 1024);
    EXPECT_EQ(design.toPixels(22.5), 2);  // 1.5
    EXPECT_EQ(design.toPixels(37.5), 2);  // 2.5
    EXPECT_EQ(design.fromPixels(1024), 15360);
    EXPECT_EQ(design.rect(120, 800, 13350, 9600), QRect(8, 53, 890, 640));
    EXPECT_EQ(Units::Scale(7.5).toPixels(15360), 2048);
}

} // namespace
