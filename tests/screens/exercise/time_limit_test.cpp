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
    const std::vector<int> at{progress[0], progress[1], progress[2], progress[3], progress[4], progress[30], progress[59], progress[60]};
    EXPECT_EQ(at, (std::vector<int>{0, 2, 3, 5, 7, 50, 98, 100}));
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
}

struct IntervalCase { const char *name; const char *minutes; std::optional<int> ms; };

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
