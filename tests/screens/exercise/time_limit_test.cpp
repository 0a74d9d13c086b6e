#include "screens/exercise/time_limit.h"

#include "state/variables.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeLimit, TimelineOfSixtyOneTicks)
{
    Variables state;
    state.TicksLeft = 60;
    std::vector<int> progress;
    int timeUpAt = 0;
    for (int t = 1; t <= 70 && !timeUpAt; ++t) {
        const auto tick = TimeLimit::tick(state);
        progress.push_back(tick.progress);
        if (tick.timeUp)
            timeUpAt = t;
    }
    EXPECT_EQ(timeUpAt, 61);
    EXPECT_EQ(state.TicksLeft, -1);
    ASSERT_EQ(progress.size(), 61u);
    EXPECT_EQ(progress[0], 0);
    EXPECT_EQ(progress[1], 2);
    EXPECT_EQ(progress[2], 3);
    EXPECT_EQ(progress[3], 5);
    EXPECT_EQ(progress[4], 7);
    EXPECT_EQ(progress[30], 50);
    EXPECT_EQ(progress[59], 98);
    EXPECT_EQ(progress[60], 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
}

struct IntervalCase
{
    const char *name;
    const char *minutes;
    std::optional<int> ms;
};

class TickInterval : public testing::TestWithParam<IntervalCase> {};

TEST_P(TickInterval, MinutesTimesAThousand)
{
    EXPECT_EQ(TimeLimit::tickIntervalMs(QString::fromUtf8(GetParam().minutes)), GetParam().ms);
}

INSTANTIATE_TEST_SUITE_P(Settings, TickInterval,
    testing::Values(IntervalCase{"two", "2", 2000}, IntervalCase{"half", "0.5", 500},
                    IntervalCase{"zero_never_ticks", "0", 0}, IntervalCase{"rounded", "0.0015", 2},
                    IntervalCase{"negative", "-1", std::nullopt}, IntervalCase{"text", "abc", std::nullopt},
                    IntervalCase{"empty", "", std::nullopt},
                    IntervalCase{"too_long_for_a_timer", "3000000", std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
