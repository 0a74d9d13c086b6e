#include "editor/lesson_text.h"

#include "store_test_support.h"

#include <gtest/gtest.h>

using namespace Editor::LessonText;
using Refusal = GapEdit::Refusal;
using StoreTests::show;

namespace {

struct TextCase
{
    const char *name;
    const char *stored;
    const char *shown;
};

class EditorText : public testing::TestWithParam<TextCase> {};

TEST_P(EditorText, ShowsTheLessonsLinesAndGivesTheTextBack)
{
    const QString stored = QString::fromUtf8(GetParam().stored);
    EXPECT_EQ(show(toEditor(stored)), GetParam().shown);
    EXPECT_EQ(show(fromEditor(toEditor(stored))), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Lessons, EditorText,
    testing::Values(TextCase{"crlf_lines", "Verbs\r\n1. She &goes&.\r\n2. We &live&.", "Verbs\n1. She &goes&.\n2. We &live&."},
                    TextCase{"final_line_break", "Verbs\r\n1. &a&\r\n", "Verbs\n1. &a&\n"},
                    TextCase{"blank_lines", "\r\n\r\nVerbs\r\n\r\n1. &a&", "\n\nVerbs\n\n1. &a&"},
                    TextCase{"lone_line_feed_stays_in_its_line", "Verbs\n more\r\n1. &a&", "Verbs␊ more\n1. &a&"}),
    [](const auto &info) { return std::string(info.param.name); });

struct GapCase
{
    const char *name;
    const char *line;
    int from, to;
    const char *after;
    int afterFrom, afterTo;
    Refusal refusal;
};

class ToggleGap : public testing::TestWithParam<GapCase> {};

TEST_P(ToggleGap, MakesOrRemovesOneGap)
{
    const GapCase &c = GetParam();
    const GapEdit edit = toggleGap(QString::fromUtf8(c.line), c.from, c.to);
    // Where a refused edit leaves the selection is not its business.
    const bool made = edit.refusal == Refusal::None;
    EXPECT_EQ(std::tuple(edit.refusal, show(edit.line), made ? edit.from : 0, made ? edit.to : 0),
              std::tuple(c.refusal, std::string(c.after), c.afterFrom, c.afterTo));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ToggleGap,
    testing::Values(
        GapCase{"selected_word", "1. She goes home.", 7, 11, "1. She &goes& home.", 8, 12, Refusal::None},
        GapCase{"selected_backwards", "1. She goes home.", 11, 7, "1. She &goes& home.", 8, 12, Refusal::None},
        GapCase{"blanks_stay_outside", "1. She goes home.", 6, 12, "1. She &goes& home.", 8, 12, Refusal::None},
        GapCase{"several_words", "1. She is not here.", 7, 13, "1. She &is not& here.", 8, 14, Refusal::None},
        GapCase{"word_at_the_caret", "1. She isn't here.", 9, 9, "1. She &isn't& here.", 8, 13, Refusal::None},
        GapCase{"caret_after_the_last_word", "1. She goes", 11, 11, "1. She &goes&", 8, 12, Refusal::None},
        GapCase{"caret_in_the_last_word", "1. She goes", 9, 9, "1. She &goes&", 8, 12, Refusal::None},
        GapCase{"caret_in_a_gap_removes_it", "1. She &goes& home.", 9, 9, "1. She goes home.", 7, 11, Refusal::None},
        GapCase{"selection_of_a_whole_gap", "1. She &goes& home.", 7, 13, "1. She goes home.", 7, 11, Refusal::None},
        GapCase{"caret_on_a_closing_marker", "1. &a& &b&", 5, 5, "1. a &b&", 3, 4, Refusal::None},
        GapCase{"second_of_two_gaps", "1. &a& and &b&.", 12, 12, "1. &a& and b.", 11, 12, Refusal::None},
        GapCase{"empty_gap_unwrapped", "1. She && home.", 8, 8, "1. She  home.", 7, 7, Refusal::None},
        GapCase{"blanks_only", "1. She   home.", 7, 8, "1. She   home.", 0, 0, Refusal::NoWords},
        GapCase{"caret_between_blanks", "1. a  b", 5, 5, "1. a  b", 0, 0, Refusal::NoWords},
        GapCase{"over_a_gap", "1. She &goes& home.", 3, 18, "1. She &goes& home.", 0, 0, Refusal::HoldsMarker},
        GapCase{"after_an_unclosed_marker", "1. She &goes home.", 13, 17, "1. She &goes home.", 0, 0,
                Refusal::UnclosedMarker},
        GapCase{"before_an_unclosed_marker", "1. She &goes home.", 3, 6, "1. &She& &goes home.", 4, 7, Refusal::None}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
