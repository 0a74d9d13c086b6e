#include "lessons/lesson_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using LessonRules::Finding;
using Kind = Finding::Kind;
using Lessons::StoredLesson;

const auto kRowName = [](const auto &info) { return std::string(info.param.name); };

QString q(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

struct TextCase
{
    const char *name;
    const char *text; ///< nullptr for a null text
    std::vector<std::pair<Kind, int>> findings; ///< kind and line, in order
};

class CheckText : public testing::TestWithParam<TextCase> {};

// Gap 51 on line 52, a gap to a line.
const std::string kFiftyOneGaps = "Many\r\n1." + QStringLiteral(" &w&\r\n").repeated(51).toStdString();

TEST_P(CheckText, FindsEachRuleInLineOrder)
{
    const char *text = GetParam().text;
    std::vector<std::pair<Kind, int>> found;
    for (const Finding &finding : LessonRules::checkText(q(text ? text : ""), !text))
        found.emplace_back(finding.kind, finding.line);
    EXPECT_EQ(found, GetParam().findings);
}

INSTANTIATE_TEST_SUITE_P(Texts, CheckText,
    testing::Values(
        TextCase{"good", "Fill in\r\n1. She &is& here.", {}},
        TextCase{"null", nullptr, {{Kind::NullText, 0}}},
        TextCase{"empty", "", {{Kind::EmptyText, 0}}},
        TextCase{"one_in_the_heading", "A1 Fill in\r\n1. &a&", {{Kind::OneInHeading, 1}}},
        TextCase{"gap_above_the_text", "Fill &in&\r\nthe gaps\r\n1. &a&", {{Kind::GapAboveText, 1}}},
        TextCase{"unpaired_marker_above_is_no_gap", "Fill & in\r\n1. &a&", {{Kind::UnpairedMarker, 1}}},
        TextCase{"no_start_line_every_gap_above", "Fill &in&\r\n the &gaps&",
                 {{Kind::NoStartLine, 0}, {Kind::GapAboveText, 1}, {Kind::GapAboveText, 2}}},
        TextCase{"fifty_one_gaps", kFiftyOneGaps.c_str(), {{Kind::TooManyGaps, 52}}},
        TextCase{"builder_refusal_after_a_warning", "Fill in\r\n1. I &don't& swim.\r\n2. &b", {{Kind::OtherForm, 2}, {Kind::UnpairedMarker, 3}}}),
    kRowName);

TEST(Finding, EveryKindSpeaksBothLanguages)
{
    // The Hebrew names what the finding is about: pattern 17, lesson 2, line 3 or count 4.
    // A refusal says what the chooser has always shown, word for word.
    const std::pair<Kind, const char *> kinds[] = {
        {Kind::UnpairedMarker, "לא ניתן לפתוח את השיעור: בשורה 3 יש סימן & שנפתח ולא נסגר."},
        {Kind::TooManyGaps, "לא ניתן לפתוח את השיעור: יש בו יותר מ-50 מילים חסרות (שורה 3)."},
        {Kind::TooManyTextRuns, "לא ניתן לפתוח את השיעור: הוא ארוך מדי לדף התרגיל (שורה 3)."},
        {Kind::GapAboveText, "לא ניתן לפתוח את השיעור: יש בו סימן & לפני השורה שמתחילה ב-1."},
        {Kind::LineTooWide, "לא ניתן לפתוח את השיעור: השורה 3 ארוכה מדי לדף התרגיל."},
        {Kind::NullText, ""},     {Kind::EmptyText, ""},         {Kind::OneInHeading, "3"},   {Kind::NoStartLine, ""},
        {Kind::UnnamedPattern, "17"}, {Kind::LessonOutOfRange, "2"}, {Kind::StoredTwice, "4"}, {Kind::Hole, "2"},
        {Kind::UnmatchedRow, "4"},  {Kind::StrayFile, ""},         {Kind::OtherForm, "4"}};
    const auto hebrewLetters = [](const QString &text) {
        return std::count_if(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x5d0 && c.unicode() <= 0x5ea; });
    };
    for (const auto &[kind, part] : kinds) {
        const Finding finding{kind, 17, 2, 3, {}, 4, {"", "x", "y"}}; // a null pattern
        EXPECT_TRUE(!finding.english().isEmpty() && hebrewLetters(finding.english()) == 0) << int(kind);
        EXPECT_GT(hebrewLetters(finding.hebrew()), 10) << int(kind);
        const QString expected = q(part);
        EXPECT_TRUE(hebrewLetters(expected) ? finding.hebrew() == expected : finding.hebrew().contains(expected)) << int(kind);
    }
}

TEST(Finding, Severity)
{
    EXPECT_EQ((std::vector{Finding{Kind::GapAboveText}.severity(), Finding{Kind::Hole}.severity(), Finding{Kind::OtherForm}.severity()}),
              (std::vector{LessonRules::Severity::Refusal, LessonRules::Severity::Problem, LessonRules::Severity::Warning}));
}

StoredLesson row(int pattern, int lesson, const char *text = "Head\r\n1. &a&")
{
    return {pattern, lesson, q(text), false};
}

TEST(CheckStore, NumbersCopiesAndHolesInOrder)
{
    const QList<StoredLesson> rows = {row(8, 2), row(8, 3),          row(5, 4), row(5, 1, "Bad &x"), row(5, 1, "1. &y"),
                                      row(5, 1), row(5, 100), {5, 2, QString(), true}};
    QStringList described;
    for (const Finding &finding : LessonRules::checkStore(rows))
        described << LessonRules::describe(finding);
    EXPECT_EQ(described,
              (QStringList{
                  // Only the first copy of 5/1 is checked.
                  "pattern 5 lesson 1: no line begins with \"1\", so the page shows no text",
                  "pattern 5 lesson 1: stored 3 times; only the first row is read",
                  "pattern 5 lesson 1 line 1: a gap is opened with \"&\" but not closed on the same line",
                  "pattern 5 lesson 2: the text is null, so the lesson is not listed",
                  "pattern 5 lesson 3: missing: the pattern's lessons are numbered with a hole here",
                  "pattern 5 lesson 100: lesson numbers run from 1 to 99; this lesson is never listed",
                  // One finding for the unnamed pattern, not one for each lesson.
                  "pattern 8: the pattern has no name, so its lessons are never offered",
                  "pattern 8 lesson 1: missing: the pattern's lessons are numbered with a hole here",
              }));
    EXPECT_TRUE(LessonRules::checkNumbers(5, 99).isEmpty());
    EXPECT_EQ(LessonRules::checkNumbers(5, 0).size(), 1);
}

} // namespace
