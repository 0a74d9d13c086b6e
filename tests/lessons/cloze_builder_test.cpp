#include "lessons/cloze_builder.h"

#include "state/variables.h"

#include <gtest/gtest.h>

namespace {

QString q(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

const auto kRowName = [](const auto &info) { return std::string(info.param.name); };

Cloze::Lesson build(const QString &text)
{
    auto result = Cloze::buildLesson(text);
    EXPECT_TRUE(result) << "refused at line " << (result.error ? result.error->line : 0);
    return result.lesson.value_or(Cloze::Lesson{});
}

// Gaps "w1".."wN", ten to a line below a one-line heading.
QString lessonWithGaps(int gaps)
{
    QString text = QStringLiteral("Heading");
    for (int g = 1; g <= gaps; ++g)
        text += (g % 10 == 1 ? QStringLiteral("\r\n") : QString()) + QStringLiteral("%1 &w%1& ").arg(g);
    return text;
}

// A heading and that many lines of text.
QString manyLines(int lines)
{
    return QStringLiteral("Heading") + QStringLiteral("\r\n1 line").repeated(lines);
}

TEST(ClozeText, LinesAndStartLine)
{
    // The working file is written with a CR LF appended; a lone LF stays in its line.
    EXPECT_EQ(Cloze::splitLines(q("a\r\n")), (QStringList{"a", ""}));
    EXPECT_EQ(Cloze::splitLines(q("")), QStringList{""});
    EXPECT_EQ(Cloze::splitLines(q("a\nb\rc")), (QStringList{"a\nb", "c"}));
    EXPECT_TRUE(Cloze::isStartLine(q("1")));
    EXPECT_FALSE(Cloze::isStartLine(q(" 1.")));
}

TEST(SignMask, CodesSixtyFiveToOneTwentyTwoBecomeSigns)
{
    const std::pair<const char *, const char *> masks[] = {
        {"Az", "##"}, {"@{~", "@{~"}, {"[\\]^_`", "######"}, {" isn't ", " ###'# "}, {"x-1.", "#-1."},
        {"it\u2019s \u05e9", "##\u2019# \u05e9"}};
    for (const auto &[answer, mask] : masks)
        EXPECT_EQ(Cloze::signMask(q(answer)), q(mask)) << answer;
}

struct ParseCase { const char *name; QString text; QStringList answers; QStringList wordBank; int textRuns; int longestAnswer; };

class Parse : public testing::TestWithParam<ParseCase> {};

TEST_P(Parse, GapsWordBankAndRuns)
{
    const auto lesson = build(GetParam().text);
    EXPECT_EQ(lesson.answers, GetParam().answers);
    EXPECT_EQ(lesson.wordBank, GetParam().wordBank);
    EXPECT_EQ(std::pair(lesson.textRuns, lesson.longestAnswer), std::pair(GetParam().textRuns, GetParam().longestAnswer));
}

INSTANTIATE_TEST_SUITE_P(Lessons, Parse,
    testing::Values(
        ParseCase{"one_gap", "Fill in\r\n1. I &am& a pupil.", {"am"}, {"am"}, 2, 2},
        ParseCase{"spaces_belong_to_the_answer", "1. I & am & here.", {" am "}, {" am "}, 2, 4},
        // A single character before a gap takes no run: "&is&" and "&am&" follow directly.
        ParseCase{"immediate_repeats_left_out", "1. &am& &am& &is& &am&", {"am", "am", "is", "am"}, {"am", "is", "am"}, 2, 2},
        ParseCase{"gap_at_line_start_takes_an_empty_run", "1\r\n&am& &is&", {"am", "is"}, {"am", "is"}, 3, 2},
        ParseCase{"case_matters_for_repeats", "1. &Am& &am&", {"Am", "am"}, {"Am", "am"}, 2, 2},
        ParseCase{"empty_answer", "1. x &&.", {""}, {""}, 2, 0},
        ParseCase{"no_gaps_one_empty_bank_entry", "Just text\r\n1. Nothing.", {}, {""}, 1, 0},
        ParseCase{"heading_gaps_counted_without_runs", "Say &hi&\r\nMore\r\n1. &yes&", {"hi", "yes"}, {"hi", "yes"}, 2, 3},
        ParseCase{"cr_alone_breaks_lines", "Head\r1. &a&\r2. &b&", {"a", "b"}, {"a", "b"}, 4, 1},
        ParseCase{"lf_alone_keeps_one_heading_line", "Head\n1. &a&\n2. &bc&", {"a", "bc"}, {"a", "bc"}, 0, 2},
        // The most lines a page holds; fifty gaps, the most, build in the exercise record's test.
        ParseCase{"ninety_nine_lines", manyLines(99), {}, {""}, 99, 0}),
    kRowName);

struct RefusalCase { const char *name; QString text; Cloze::BuildError::Kind kind; int line; };

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, NamesTheProblemAndItsLine)
{
    const auto result = Cloze::buildLesson(GetParam().text);
    ASSERT_FALSE(result);
    EXPECT_EQ(std::pair(result.error->kind, result.error->line), std::pair(GetParam().kind, GetParam().line));
}

using Kind = Cloze::BuildError::Kind;
INSTANTIATE_TEST_SUITE_P(Lessons, Refusal,
    testing::Values(RefusalCase{"unpaired_marker", q("Head\r\n1. ok &a&\r\n2. bad &b here"), Kind::UnpairedMarker, 3},
                    RefusalCase{"unpaired_in_heading", q("Head &x\r\n1. &a&"), Kind::UnpairedMarker, 1},
                    // Ten gaps a line: gap 51 stands on the sixth body line.
                    RefusalCase{"fifty_one_gaps", lessonWithGaps(51), Kind::TooManyGaps, 7},
                    RefusalCase{"hundred_body_lines", manyLines(100), Kind::TooManyTextRuns, 101}),
    kRowName);

TEST(ApplyLesson, FillsSlotsOneOnAndLeavesNoTraceOfTheLastLesson)
{
    Variables state;
    Cloze::applyLesson(build(lessonWithGaps(50)), state);
    EXPECT_EQ(std::tuple(state.GapCount, state.WordBankCount), std::tuple(50, 50));
    EXPECT_EQ(QStringList({state.GapWords[50][0], state.GapWords[50][1], state.WordBank[50]}).join(' ').toStdString(), "w50 #50 w50");

    Cloze::applyLesson(build(q("1. &x& &x&")), state);
    EXPECT_EQ(std::tuple(state.GapCount, state.GapsLeft, state.WordBankCount), std::tuple(2, 2, 1));
    EXPECT_EQ(state.RightAnswers[2].toStdString(), "x");
    for (int slot = 0; slot < Variables::kSlots; ++slot) {
        const QString left = state.GapWords[slot][0] + state.GapWords[slot][1] + state.RightAnswers[slot] + state.WordBank[slot];
        EXPECT_TRUE(slot == 1 || slot == 2 || left.isEmpty()) << slot;
    }
}

TEST(Variables, SettingsStartOn)
{
    const Variables state;
    EXPECT_TRUE(state.TimeLimitOn && state.MagazineOn && state.SignsOn && !state.ExerciseRunning);
}

} // namespace
