#include "screens/exercise/colours.h"

#include <gtest/gtest.h>

namespace {

int32_t rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

struct ContrastCase { const char *name; int32_t background; int32_t text; };

class Contrast : public testing::TestWithParam<ContrastCase> {};

TEST_P(Contrast, EachChannelFlipsAtHalf)
{
    EXPECT_EQ(Colours::contrastTextColour(GetParam().background), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, Contrast,
    testing::Values(ContrastCase{"black", rgb(0, 0, 0), rgb(255, 255, 255)},
                    ContrastCase{"white", rgb(255, 255, 255), rgb(0, 0, 0)},
                    ContrastCase{"grey_128", rgb(128, 128, 128), rgb(0, 0, 0)},
                    ContrastCase{"grey_127", rgb(127, 127, 127), rgb(255, 255, 255)},
                    ContrastCase{"mixed", rgb(200, 30, 90), rgb(0, 255, 255)},
                    ContrastCase{"pure_blue", rgb(0, 0, 255), rgb(255, 255, 0)}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
