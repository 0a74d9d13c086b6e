#include "screens/exercise/page_scroll.h"

#include <gtest/gtest.h>

namespace {

struct VerticalCase { const char *name; int gapTop, gapHeight, current; int expected; int pageHeight = 15000; };

class VerticalScroll : public testing::TestWithParam<VerticalCase> {};

// A viewport of 9600 twips on a page of 15000: the bar runs from -500 to 5400.
TEST_P(VerticalScroll, FocusedGapEndsUpFullyVisible)
{
    const auto &c = GetParam();
    const PageScroll::Range bar{-500, c.pageHeight - 9600, c.pageHeight > 9600};
    const int value = PageScroll::verticalValue(c.gapTop, c.gapHeight, 9600, c.current, bar);
    EXPECT_EQ(value, c.expected);
    EXPECT_GE(c.gapTop - value, 0);
    EXPECT_LE(c.gapTop + c.gapHeight - value, 9600);
}

INSTANTIATE_TEST_SUITE_P(Gaps, VerticalScroll,
    testing::Values(VerticalCase{"already_visible", 3000, 420, 0, 0},
                    VerticalCase{"partly_below_the_viewport", 9400, 420, 0, 220},
                    VerticalCase{"above_the_viewport", 1000, 420, 4000, 1000},
                    VerticalCase{"at_the_bottom_of_the_page", 14500, 420, 0, 5320},
                    VerticalCase{"visible_after_an_earlier_scroll", 6000, 420, 2000, 2000},
                    VerticalCase{"page_that_fits_stays_put", 3000, 420, 0, 0, 9000}),
    [](const auto &info) { return std::string(info.param.name); });

struct HorizontalCase { const char *name; int gapLeft, gapWidth, previousLeft, previousWidth; int expected;
                        int barMaximum = 20000; };

class HorizontalScroll : public testing::TestWithParam<HorizontalCase> {};

// Screen 15360 wide (85 % is 13056), viewport 13350, bar from 0 to 20000 unless a row says.
TEST_P(HorizontalScroll, FocusedGapEndsUpFullyVisible)
{
    const auto &c = GetParam();
    const PageScroll::Range bar{0, c.barMaximum, true};
    const int value = PageScroll::horizontalValue(c.gapLeft, c.gapWidth, 15360, c.previousLeft, c.previousWidth, 13350, bar);
    EXPECT_EQ(value, c.expected);
    EXPECT_GE(c.gapLeft - value, 0);
    EXPECT_LE(c.gapLeft + c.gapWidth - value, 13350);
}

INSTANTIATE_TEST_SUITE_P(Gaps, HorizontalScroll,
    testing::Values(HorizontalCase{"follows_the_gap_before", 13000, 855, 10000, 1000, 10300},
                    HorizontalCase{"near_the_left_edge", 1000, 855, 100, 1000, 0},
                    HorizontalCase{"exactly_at_eighty_five_percent", 12201, 855, 0, 0, 0},
                    HorizontalCase{"far_from_the_gap_before", 16000, 1500, 2000, 1000, 4150},
                    HorizontalCase{"gap_before_ends_a_longer_row", 13000, 855, 20000, 1000, 13000},
                    HorizontalCase{"within_the_bars_range", 14000, 855, 10000, 1000, 3000, 3000}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
