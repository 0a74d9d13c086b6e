#include "lessons/cloze_builder.h"
#include "lessons/lesson_rules.h"

#include "state/variables.h"

#include <gtest/gtest.h>

namespace {

QString q(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

Cloze::Lesson build(const QString &text)
{
    auto result = Cloze::buildLesson(text);
    EXPECT_TRUE(result) << (result.error ? result.error->line : 0);
    return result.lesson.value_or(Cloze::Lesson{});
}

struct SplitCase
{
    const char *name;
    const char *text;
    QStringList lines;
};

class SplitLines : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLines, AsTheWorkingFileReadsBack)
{
    EXPECT_EQ(Cloze::splitLines(q(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(LineBreaks, SplitLines,
    testing::Values(SplitCase{"crlf", "a\r\nb", {"a", "b"}},
                    SplitCase{"cr_alone_ends_a_line", "a\rb", {"a", "b"}},
                    SplitCase{"lf_alone_does_not", "a\nb", {"a\nb"}},
                    SplitCase{"trailing_crlf_gives_empty_line", "a\r\n", {"a", ""}},
                    SplitCase{"empty_text_is_one_empty_line", "", {""}},
                    SplitCase{"cr_then_crlf", "a\r\r\nb", {"a", "", "b"}},
                    SplitCase{"empty_middle_line", "a\r\n\r\nb", {"a", "", "b"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Heading, EverythingBeforeTheFirstOne)
{
    EXPECT_EQ(Cloze::heading(q("Fill in the gaps\r\n1. I &am& a pupil.")), q("Fill in the gaps\r\n"));
    EXPECT_EQ(Cloze::heading(q("No digit one here")), q("No digit one here"));
    EXPECT_EQ(Cloze::heading(q("Page 21\r\n1. x")), q("Page 2"));
    EXPECT_EQ(Cloze::heading(q("1. at once")), QString());
}

struct MaskCase
{
    const char *name;
    const char *answer;
    const char *mask;
};

class SignMask : public testing::TestWithParam<MaskCase> {};

TEST_P(SignMask, LettersBecomeSigns)
{
    EXPECT_EQ(Cloze::signMask(q(GetParam().answer)), q(GetParam().mask));
}

INSTANTIATE_TEST_SUITE_P(Answers, SignMask,
    testing::Values(MaskCase{"apostrophe_kept", "isn't", "###'#"},
                    MaskCase{"space_kept", "is not", "## ###"},
                    MaskCase{"outer_spaces_kept", " am ", " ## "},
                    MaskCase{"tilde_above_z_kept", "a~b", "#~#"},
                    MaskCase{"bracket_and_underscore_masked", "[_x_]", "#####"},
                    MaskCase{"grave_and_caret_masked", "`^\\", "###"},
                    MaskCase{"digits_and_hyphen_kept", "x-1.", "#-1."},
                    MaskCase{"typographic_apostrophe_kept", "it\u2019s", "##\u2019#"},
                    MaskCase{"hebrew_kept", "\u05e9\u05dc\u05d5\u05dd", "\u05e9\u05dc\u05d5\u05dd"},
                    MaskCase{"empty", "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

struct ParseCase
{
    const char *name;
    const char *text;
    QStringList answers;
    QStringList wordBank;
};

class Parse : public testing::TestWithParam<ParseCase> {};

TEST_P(Parse, FindsGapsAndWordBank)
{
    const auto lesson = build(q(GetParam().text));
    EXPECT_EQ(lesson.answers, GetParam().answers);
    EXPECT_EQ(lesson.wordBank, GetParam().wordBank);
}

INSTANTIATE_TEST_SUITE_P(Lessons, Parse,
    testing::Values(
        ParseCase{"one_gap", "Fill in the gaps\r\n1. I &am& a pupil.", {"am"}, {"am"}},
        ParseCase{"two_gaps_one_line", "1. She &is not& here &today&.", {"is not", "today"}, {"is not", "today"}},
        ParseCase{"spaces_belong_to_answer", "1. I & am & here.", {" am "}, {" am "}},
        ParseCase{"immediate_repeats_left_out", "1. &am& &am& &is& &am&", {"am", "am", "is", "am"}, {"am", "is", "am"}},
        ParseCase{"case_matters_for_repeats", "1. &Am& &am&", {"Am", "am"}, {"Am", "am"}},
        ParseCase{"empty_answer", "1. x &&.", {""}, {""}},
        ParseCase{"no_gaps_gives_one_empty_bank_entry", "Just text\r\n1. Nothing to fill.", {}, {""}},
        ParseCase{"heading_lines_are_parsed_too", "Say &hi&\r\n1. &yes&", {"hi", "yes"}, {"hi", "yes"}},
        ParseCase{"gaps_counted_without_any_one", "No body &here&", {"here"}, {"here"}},
        ParseCase{"cr_only_breaks", "Head\r1. &a&\r2. &b&", {"a", "b"}, {"a", "b"}},
        ParseCase{"lf_only_keeps_one_line", "Head\n1. &a&\n2. &b&", {"a", "b"}, {"a", "b"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Parse, FirstExampleOfTheFormat)
{
    const auto lesson = build(q("Fill in the gaps\r\n1. I &am& a pupil."));
    EXPECT_EQ(lesson.heading, q("Fill in the gaps\r\n"));
    EXPECT_EQ(lesson.masks, QStringList{"##"});
    EXPECT_EQ(lesson.longestAnswer, 2);
    EXPECT_EQ(lesson.lines, (QStringList{"Fill in the gaps", "1. I &am& a pupil."}));
}

TEST(Parse, LongestAnswerCountsCharacters)
{
    EXPECT_EQ(build(q("1. &a& &is not& & am &")).longestAnswer, 6);
    EXPECT_EQ(build(q("1. nothing")).longestAnswer, 0);
}

QString lessonWithGaps(int gaps, int perLine)
{
    QString text = QStringLiteral("Heading\r\n");
    for (int g = 1; g <= gaps; ++g) {
        if (g > 1 && (g - 1) % perLine == 0)
            text += QStringLiteral("\r\n");
        text += QStringLiteral("%1 &w%1& ").arg(g);
    }
    return text;
}

struct RefusalCase
{
    const char *name;
    QString text;
    Cloze::BuildError::Kind kind;
    int line;
};

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, NamesTheProblemAndItsLine)
{
    const auto result = Cloze::buildLesson(GetParam().text);
    ASSERT_FALSE(result);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind, GetParam().kind);
    EXPECT_EQ(result.error->line, GetParam().line);
    EXPECT_TRUE(LessonRules::builderRefusal(*result.error).hebrew().contains(QString::number(GetParam().line)));
}

QString manyLines(int lines)
{
    QString text = QStringLiteral("Heading");
    for (int i = 1; i <= lines; ++i)
        text += QStringLiteral("\r\n%1 line").arg(i);
    return text;
}

INSTANTIATE_TEST_SUITE_P(Lessons, Refusal,
    testing::Values(
        RefusalCase{"unpaired_marker", q("Head\r\n1. ok &a&\r\n2. bad &b here"), Cloze::BuildError::Kind::UnpairedMarker, 3},
        RefusalCase{"unpaired_in_heading", q("Head &x\r\n1. &a&"), Cloze::BuildError::Kind::UnpairedMarker, 1},
        RefusalCase{"third_marker_unpaired", q("1. &a& &b"), Cloze::BuildError::Kind::UnpairedMarker, 1},
        // 51 gaps, ten per line: gap 51 stands on the sixth body line, line 7.
        RefusalCase{"fifty_one_gaps", lessonWithGaps(51, 10), Cloze::BuildError::Kind::TooManyGaps, 7},
        // Heading plus 100 body lines needs 100 text runs: the 100th body line is line 101.
        RefusalCase{"hundred_body_lines", manyLines(100), Cloze::BuildError::Kind::TooManyTextRuns, 101}),
    [](const auto &info) { return std::string(info.param.name); });

struct ScanCase
{
    const char *name;
    const char *line;
    QStringList answers;
    int unpairedAt;
};

class ScanGaps : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanGaps, PairsMarkersFromTheLeft)
{
    const QString line = q(GetParam().line);
    int unpairedAt = -2;
    QStringList answers;
    for (const Cloze::GapSpan &gap : Cloze::scanGaps(line, &unpairedAt)) {
        EXPECT_EQ(line.at(gap.open), QLatin1Char('&'));
        EXPECT_EQ(line.at(gap.close), QLatin1Char('&'));
        answers << gap.answer(line);
    }
    EXPECT_EQ(answers, GetParam().answers);
    EXPECT_EQ(unpairedAt, GetParam().unpairedAt);
}

INSTANTIATE_TEST_SUITE_P(Lines, ScanGaps,
    testing::Values(ScanCase{"no_marker", "plain text", {}, -1},
                    ScanCase{"two_gaps", "She &is not& here &today&.", {"is not", "today"}, -1},
                    ScanCase{"markers_side_by_side", "a && b", {""}, -1},
                    ScanCase{"third_marker_unpaired", "&a& and &b", {"a"}, 8},
                    ScanCase{"lone_marker", "x & y", {}, 2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TextRuns, CountedAsThePageUsesThem)
{
    // «1. I &am& a pupil.»: the run before the gap and the run after it.
    EXPECT_EQ(build(q("1. I &am& a pupil.")).textRuns, 2);
    // «&am& &is&»: an empty run for gap 1, none for gap 2 (one character before it), one at the end.
    EXPECT_EQ(build(q("1\r\n&am& &is&")).textRuns, 3);
    // Heading lines take no run.
    EXPECT_EQ(build(q("Head\r\nMore head\r\n1. x")).textRuns, 1);
    EXPECT_EQ(build(manyLines(99)).textRuns, 99);
}

TEST(ApplyLesson, FiftyGapsFillSlotsOneToFifty)
{
    const auto lesson = build(lessonWithGaps(50, 10));
    Variables state;
    Cloze::applyLesson(lesson, state);
    EXPECT_EQ(state.GapCount, 50);
    EXPECT_EQ(state.GapsLeft, 50);
    EXPECT_TRUE(state.GapWords[0][0].isEmpty());
    EXPECT_TRUE(state.RightAnswers[0].isEmpty());
    EXPECT_TRUE(state.WordBank[0].isEmpty());
    for (int g = 1; g <= 50; ++g) {
        EXPECT_EQ(state.GapWords[g][0], QStringLiteral("w%1").arg(g));
        EXPECT_EQ(state.GapWords[g][1], Cloze::signMask(QStringLiteral("w%1").arg(g)));
        EXPECT_EQ(state.RightAnswers[g], state.GapWords[g][0]);
        EXPECT_EQ(state.WordBank[g], state.GapWords[g][0]);
    }
    EXPECT_EQ(state.WordBankCount, 50);
}

TEST(ApplyLesson, SecondSmallerLessonLeavesNoTrace)
{
    Variables state;
    Cloze::applyLesson(build(q("1. &a& &b& &c& &d&")), state);
    Cloze::applyLesson(build(q("1. &x&")), state);
    EXPECT_EQ(state.GapCount, 1);
    EXPECT_EQ(state.GapsLeft, 1);
    EXPECT_EQ(state.WordBankCount, 1);
    EXPECT_EQ(state.RightAnswers[1], QStringLiteral("x"));
    for (int slot = 2; slot < Variables::kSlots; ++slot) {
        EXPECT_TRUE(state.GapWords[slot][0].isEmpty()) << slot;
        EXPECT_TRUE(state.GapWords[slot][1].isEmpty()) << slot;
        EXPECT_TRUE(state.RightAnswers[slot].isEmpty()) << slot;
        EXPECT_TRUE(state.WordBank[slot].isEmpty()) << slot;
    }
}

TEST(ApplyLesson, LessonWithoutGaps)
{
    Variables state;
    Cloze::applyLesson(build(q("Read only\r\n1. Nothing.")), state);
    EXPECT_EQ(state.GapCount, 0);
    EXPECT_EQ(state.GapsLeft, 0);
    EXPECT_EQ(state.WordBankCount, 1);
    EXPECT_TRUE(state.WordBank[1].isEmpty());
}

TEST(Variables, InitialValues)
{
    const Variables state;
    EXPECT_TRUE(state.TimeLimitOn);
    EXPECT_TRUE(state.MagazineOn);
    EXPECT_TRUE(state.SignsOn);
    EXPECT_FALSE(state.ExerciseRunning);
    EXPECT_EQ(state.GapCount + state.GapsLeft + state.Credit + state.Points + state.TicksLeft, 0);
    EXPECT_EQ(state.ViewWidth + state.ViewHeight + state.HelpFromExercise, 0);
    for (int16_t tries : state.TriesLeft)
        EXPECT_EQ(tries, 0);
    EXPECT_EQ(&variables(), &variables());
}

} // namespace
