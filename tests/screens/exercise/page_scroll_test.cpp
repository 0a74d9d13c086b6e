#include "screens/exercise/page_scroll.h"

#include <gtest/gtest.h>

namespace {

struct VerticalCase
{
    const char *name;
    int gapTop, gapHeight, current;
    int expected;
};

class VerticalScroll : public testing::TestWithParam<VerticalCase> {};

// A viewport of 9600 twips on a page of 15000: the bar runs from -500 to 5400.
TEST_P(VerticalScroll, FocusedGapEndsUpFullyVisible)
{
    const auto &c = GetParam();
    const PageScroll::Range bar{-500, 5400, true};
    const int value = PageScroll::verticalValue(c.gapTop, c.gapHeight, 9600, c.current, bar);
    EXPECT_EQ(value, c.expected);
    EXPECT_GE(c.gapTop - value, 0);
    EXPECT_LE(c.gapTop + c.gapHeight - value, 9600);
}

INSTANTIATE_TEST_SUITE_P(Gaps, VerticalScroll,
    testing::Values(VerticalCase{"already_visible", 3000, 420, 0, 0},
                    VerticalCase{"below_the_viewport", 12000, 420, 0, 2820},
                    VerticalCase{"above_the_viewport", 1000, 420, 4000, 1000},
                    VerticalCase{"at_the_bottom_of_the_page", 14500, 420, 0, 5320},
                    VerticalCase{"visible_after_an_earlier_scroll", 6000, 420, 2000, 2000}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(VerticalScroll, PageThatFitsStaysPut)
{
    const PageScroll::Range bar{-500, 15000, false};
    EXPECT_EQ(PageScroll::verticalValue(3000, 420, 9600, 0, bar), 0);
}

TEST(HorizontalScroll, FollowsThePreviousGapPastEightyFivePercent)
{
    const PageScroll::Range bar{0, 20000, true};
    // Screen 15360 wide: 85 % is 13056.
    EXPECT_EQ(PageScroll::horizontalValue(13000, 855, 15360, 10000, 1000, bar), 10300);
    EXPECT_EQ(PageScroll::horizontalValue(1000, 855, 15360, 100, 1000, bar), 0);
    EXPECT_EQ(PageScroll::horizontalValue(12201, 855, 15360, 0, 0, bar), 0); // 13056 exactly is not past
}

TEST(HorizontalScroll, StaysWithinTheBarsRange)
{
    const PageScroll::Range bar{0, 3000, true};
    EXPECT_EQ(PageScroll::horizontalValue(14000, 855, 15360, 10000, 1000, bar), 3000);
}

} // namespace
