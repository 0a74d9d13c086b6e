#include "screens/chooser/settings.h"

#include <gtest/gtest.h>

namespace {

// firstRefused: -2: accepted; -1: the lesson
struct SettingsCase { const char *name; Settings::Texts texts; bool timeLimitOn; int gapCount; int firstRefused; };

class Check : public testing::TestWithParam<SettingsCase> {};

TEST_P(Check, AcceptsOrNamesTheFieldToMend)
{
    const SettingsCase &c = GetParam();
    const Settings::Check checked = Settings::check(c.texts, c.timeLimitOn, c.gapCount);
    if (c.firstRefused == -2) {
        ASSERT_TRUE(checked.accepted);
        EXPECT_TRUE(checked.refusals.isEmpty());
    } else {
        EXPECT_FALSE(checked.accepted);
        ASSERT_FALSE(checked.refusals.isEmpty());
        EXPECT_EQ(checked.refusals.first().index, c.firstRefused);
        EXPECT_FALSE(checked.refusals.first().hint.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, Check,
    testing::Values(SettingsCase{"defaults", {"1", "5", "1", "1"}, true, 3, -2},
                    SettingsCase{"blanks_around", {" 2 ", " 3", "4 ", " 0.5 "}, true, 3, -2},
                    SettingsCase{"attempts_of_zero", {"1", "0", "1", "1"}, true, 3, Settings::Attempts},
                    SettingsCase{"attempts_beyond_sixteen_bits", {"1", "40000", "1", "1"}, true, 3, Settings::Attempts},
                    SettingsCase{"credit_of_zero_would_divide_by_zero", {"1", "5", "0", "1"}, true, 3, Settings::Credit},
                    SettingsCase{"credit_not_a_number", {"1", "5", "x", "1"}, true, 3, Settings::Credit},
                    SettingsCase{"negative_debit", {"1", "5", "1", "-1"}, true, 3, Settings::Debit},
                    SettingsCase{"debit_of_zero", {"1", "5", "1", "0"}, true, 3, -2},
                    SettingsCase{"empty_time", {"", "5", "1", "1"}, true, 3, Settings::Time},
                    SettingsCase{"time_not_read_without_a_limit", {"x", "5", "1", "1"}, false, 3, -2},
                    SettingsCase{"attempts_named_before_time", {"x", "x", "1", "1"}, true, 3, Settings::Attempts},
                    SettingsCase{"lesson_without_gaps", {"1", "5", "1", "1"}, true, 0, -1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Check, AcceptedSettingsAreConverted)
{
    const auto checked = Settings::check({"0.5", "3", "2.5", "0.5"}, true, 3);
    ASSERT_TRUE(checked.accepted);
    EXPECT_EQ(checked.accepted->tickMs, 500);
    EXPECT_EQ(checked.accepted->attempts, 3);
    EXPECT_EQ(checked.accepted->credit, 2); // a half goes to the even neighbour
    EXPECT_DOUBLE_EQ(checked.accepted->debit, 0.5);
    EXPECT_EQ(checked.accepted->texts[Settings::Credit], QStringLiteral("2.5"));
    EXPECT_EQ(Settings::check({"x", "3", "3.5", "1"}, false, 3).accepted->credit, 4);
}

} // namespace
