#include "lessons/patterns.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

TEST(PatternList, HoldsTheTwentyFourNamedPatternsInOrder)
{
    const QStringList entries = Patterns::patternListEntries();
    ASSERT_EQ(entries.size(), 24);
    EXPECT_EQ(entries.first(), QStringLiteral("1  opposites,be,have,pronouns,plurals,i-my,you-your,a,an,some,any"));
    EXPECT_EQ(entries.last(), QStringLiteral("33  going to"));
}

TEST(EntryNumbers, ReadFromTheLeadingCharacters)
{
    std::vector<std::pair<int, int>> numbers;
    for (const char *entry : {"7 Fill in", "154  x", " 5x", "x12"})
        numbers.emplace_back(Patterns::patternNumberFromEntry(entry), Patterns::lessonNumberFromEntry(entry));
    EXPECT_EQ(numbers, (std::vector<std::pair<int, int>>{{7, 7}, {154, 15}, {5, 5}, {0, 0}}));
}

// The percent of the best score, rounded half to even; 32767 points x 100 overflows
// 16 bits, so the product must be widened.
TEST(ComputeGrade, PercentRoundedHalfToEven)
{
    const std::array<int16_t, 4> cases[] = {{9, 2, 14, 78},          {10, 1, -3, -30},      {8, 1, 1, 12},         {8, 1, 3, 38},
                                            {1000, 32767, 32767, 0}, {50, 1, 32767, 32767}, {1, 1, -32768, -32768}, {10, 0, 5, 0}};
    for (const auto &[gaps, credit, points, grade] : cases)
        EXPECT_EQ(Patterns::ComputeGrade(gaps, credit, points), grade) << gaps << " gaps, credit " << credit << ", " << points << " points";
}

} // namespace
