#include "lessons/patterns.h"

#include <gtest/gtest.h>

namespace {

TEST(PatternList, HoldsTheTwentyFourNamedPatternsInOrder)
{
    const QStringList entries = Patterns::patternListEntries();
    ASSERT_EQ(entries.size(), 24);
    EXPECT_EQ(entries.first(), QStringLiteral("1  opposites,be,have,pronouns,plurals,i-my,you-your,a,an,some,any"));
    EXPECT_EQ(entries.last(), QStringLiteral("33  going to"));
    EXPECT_TRUE(entries.contains(QStringLiteral("13  singular into plural, plural into singular")));
    // Pattern 27 keeps its leading blank: three blanks after the number.
    EXPECT_TRUE(entries.contains(QStringLiteral("27   present simple - iterrogative")));
    int previous = 0;
    for (const QString &entry : entries) {
        const int number = Patterns::patternNumberFromEntry(entry);
        EXPECT_GT(number, previous) << entry.toStdString();
        previous = number;
    }
}

TEST(PatternName, UnnamedNumbersAreEmpty)
{
    for (int n : {0, 7, 8, 12, 22, 23, 32, 34, 154, -1})
        EXPECT_TRUE(Patterns::PatternName(n).isEmpty()) << n;
    EXPECT_EQ(Patterns::PatternName(33), QStringLiteral("going to"));
}

struct EntryNumberCase
{
    const char *name;
    const char *entry;
    int pattern;
    int lesson;
};

class EntryNumbers : public testing::TestWithParam<EntryNumberCase> {};

TEST_P(EntryNumbers, ReadFromTheLeadingCharacters)
{
    const QString entry = QString::fromUtf8(GetParam().entry);
    EXPECT_EQ(Patterns::patternNumberFromEntry(entry), GetParam().pattern);
    EXPECT_EQ(Patterns::lessonNumberFromEntry(entry), GetParam().lesson);
}

INSTANTIATE_TEST_SUITE_P(Entries, EntryNumbers,
    testing::Values(EntryNumberCase{"one_digit_pattern", "1  opposites", 1, 1},
                    EntryNumberCase{"two_digit_pattern", "13  singular", 13, 13},
                    EntryNumberCase{"leading_blank_name", "27   present", 27, 27},
                    EntryNumberCase{"one_digit_lesson", "7 Fill in", 7, 7},
                    EntryNumberCase{"two_digit_lesson", "12 Fill in", 12, 12},
                    EntryNumberCase{"three_digit_pattern", "154  x", 154, 15},
                    EntryNumberCase{"empty", "", 0, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LessonEntry, NumberBlankHeading)
{
    EXPECT_EQ(Patterns::lessonEntry(4, QStringLiteral("Fill in the gaps")), QStringLiteral("4 Fill in the gaps"));
    EXPECT_EQ(Patterns::lessonEntry(2, QStringLiteral("Short forms\r\n")), QStringLiteral("2 Short forms\r\n"));
}

struct GradeCase
{
    const char *name;
    int16_t gaps, credit, points;
    int16_t grade;
};

class ComputeGrade : public testing::TestWithParam<GradeCase> {};

TEST_P(ComputeGrade, PercentRoundedHalfToEven)
{
    const auto &c = GetParam();
    EXPECT_EQ(Patterns::ComputeGrade(c.gaps, c.credit, c.points), c.grade);
}

INSTANTIATE_TEST_SUITE_P(Grades, ComputeGrade,
    testing::Values(GradeCase{"seventy", 10, 1, 7, 70}, GradeCase{"rounds_up", 9, 2, 14, 78},
                    GradeCase{"full", 10, 2, 20, 100}, GradeCase{"negative", 10, 1, -3, -30},
                    GradeCase{"half_down_to_12", 8, 1, 1, 12}, GradeCase{"half_up_to_38", 8, 1, 3, 38},
                    GradeCase{"half_down_to_62", 8, 1, 5, 62},
                    // 32767 points x 100 overflows 16 bits; the product must be widened.
                    GradeCase{"wide_product", 1000, 32767, 32767, 0},
                    GradeCase{"wide_points", 50, 1, 32767, 32767}, // 65534 clamps to the 16-bit top
                    GradeCase{"wide_negative", 1, 1, -32768, -32768},
                    GradeCase{"no_gaps", 0, 1, 5, 0}, GradeCase{"no_credit", 10, 0, 5, 0}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
