#include "lessons/patterns.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PatternList, HoldsTheTwentyFourNamedPatternsInOrder)
{
    const QStringList entries = Patterns::patternListEntries();
    ASSERT_EQ(entries.size(), 24);
    EXPECT_EQ(entries.first(), QStringLiteral("1  opposites,be,have,pronouns,plurals,i-my,you-your,a,an,some,any"));
    EXPECT_EQ(entries.last(), QStringLiteral("33  going to"));
    // Pattern 27 keeps its leading blank: three blanks after the number.
    EXPECT_TRUE(entries.contains(QStringLiteral("27   present simple - iterrogative")));
    EXPECT_TRUE(Patterns::PatternName(7).isEmpty());
    EXPECT_EQ(Patterns::lessonEntry(2, QStringLiteral("Short forms\r\n")), QStringLiteral("2 Short forms\r\n"));
}

TEST(EntryNumbers, ReadFromTheLeadingCharacters)
{
    std::vector<std::pair<int, int>> numbers;
    for (const char *entry : {"7 Fill in", "154  x", " 5x", "x12"})
        numbers.emplace_back(Patterns::patternNumberFromEntry(entry), Patterns::lessonNumberFromEntry(entry));
    EXPECT_EQ(numbers, (std::vector<std::pair<int, int>>{{7, 7}, {154, 15}, {5, 5}, {0, 0}}));
}

struct GradeCase { const char *name; int16_t gaps, credit, points, grade; };

class ComputeGrade : public testing::TestWithParam<GradeCase> {};

TEST_P(ComputeGrade, PercentRoundedHalfToEven)
{
    const auto &c = GetParam();
    EXPECT_EQ(Patterns::ComputeGrade(c.gaps, c.credit, c.points), c.grade);
}

INSTANTIATE_TEST_SUITE_P(Grades, ComputeGrade,
    testing::Values(GradeCase{"rounds_up", 9, 2, 14, 78}, GradeCase{"negative", 10, 1, -3, -30},
                    GradeCase{"half_down_to_12", 8, 1, 1, 12}, GradeCase{"half_up_to_38", 8, 1, 3, 38},
                    // 32767 points x 100 overflows 16 bits; the product must be widened.
                    GradeCase{"wide_product", 1000, 32767, 32767, 0}, GradeCase{"wide_points", 50, 1, 32767, 32767},
                    GradeCase{"wide_negative", 1, 1, -32768, -32768}, GradeCase{"no_credit", 10, 0, 5, 0}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
