#include "screens/exercise/page_placement.h"

#include "lessons/cloze_builder.h"
#include "screens/exercise/lesson_preparation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PlacementCase { const char *name, *lesson; bool magazine, signs; const char *pieces; int innerWidth, innerHeight; };

// A heading at 120, 0 of height 1336; text runs 100 twips a character; a row widens
// the frame to its end plus one typed gap of the next slot (855). The frame
// starts 0 wide so that every widening shows.
Placement::Input inputFor(const Cloze::Lesson &lesson, bool magazine, bool signs)
{
    Placement::Input input{magazine, signs, 120, 0, 1336, /* innerWidth */ 0, {}, {},
                           [](const QString &run) { return int(run.size()) * 100; }};
    input.typedWidths.fill(855);
    input.choiceWidths.fill(2000);
    Placement::applyGapWidths(input, lesson);
    return input;
}

class PagePlacement : public testing::TestWithParam<PlacementCase> {};

// Row tops: 0 + (0.45 r + 0.63) 1336, so row 1 at 1443, row 2 at 2044, row 3 at 2645.
TEST_P(PagePlacement, PlacesRunsAndGapsRowByRow)
{
    const auto &c = GetParam();
    const Cloze::BuildResult built = Cloze::buildLesson(QString::fromUtf8(c.lesson));
    ASSERT_TRUE(built);
    const Placement::Result placed = Placement::place(*built.lesson, inputFor(*built.lesson, c.magazine, c.signs));

    QStringList pieces;
    for (const Placement::Piece &got : placed.pieces) {
        const bool run = got.kind == Placement::Piece::Kind::TextRun;
        EXPECT_EQ(got.setText, run || c.signs) << got.index;
        pieces << QStringLiteral("%1 %2 (%3,%4) '%5'").arg(run ? "run" : "gap").arg(got.index).arg(got.left).arg(got.top).arg(got.text);
    }
    EXPECT_EQ(pieces.join(QStringLiteral(" | ")).toStdString(), c.pieces);
    EXPECT_EQ(placed.innerWidth, c.innerWidth);
    EXPECT_EQ(placed.innerHeight, c.innerHeight);
    EXPECT_EQ(placed.scrollMax, c.innerHeight);
    EXPECT_FALSE(placed.tooWideLine);
}

INSTANTIATE_TEST_SUITE_P(Lessons, PagePlacement,
    testing::Values(
        // Typed gaps of a 4-letter answer are (4 + 2) 130 = 780 wide.
        PlacementCase{"text_gap_text", "Head\r\n1. She &goes& home.", false, true,
                      "run 1 (120,1443) '1. She ' | gap 1 (820,1443) '####' | run 2 (1600,1443) ' home.'", 1600 + 600 + 855, 2044},
        // Choice gaps are (4 + 2) 150 = 900 wide; without signs no text is set.
        PlacementCase{"choice_gap_without_signs", "Head\r\n1. She &goes& home.", true, false,
                      "run 1 (120,1443) '1. She ' | gap 1 (820,1443) '####' | run 2 (1720,1443) ' home.'", 1720 + 600 + 855, 2044},
        // A single character between two gaps is dropped: the second gap follows the
        // first, (5 + 2) 130 = 910 wide, and the frame holds one more such gap.
        PlacementCase{"one_blank_between_gaps", "Head\r\n1. &abcde& &fghij&", false, false,
                      "run 1 (120,1443) '1. ' | gap 1 (420,1443) '#####' | gap 2 (1330,1443) '#####' | run 2 (2240,1443) ''",
                      2240 + 910, 2044},
        // Heading lines make no rows; every body line is one, an empty one too.
        PlacementCase{"rows_below_the_heading", "Head\r\nmore head\r\n1. &a&\r\n\r\nend", false, false,
                      "run 1 (120,1443) '1. ' | gap 1 (420,1443) '#' | run 2 (810,1443) '' | run 3 (120,2044) '' | "
                      "run 4 (120,2645) 'end'",
                      810 + 855, 3246}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(GapWidths, OnlyTheKindInUseChanges)
{
    const Cloze::BuildResult built = Cloze::buildLesson(QStringLiteral("Head\r\n1. &abc& &de&"));
    ASSERT_TRUE(built);
    for (bool magazine : {false, true}) {
        Placement::Input input = inputFor(*built.lesson, magazine, true);
        EXPECT_EQ(input.typedWidths[1], magazine ? 855 : 5 * 130);
        EXPECT_EQ(input.choiceWidths[2], magazine ? 5 * 150 : 2000);
        EXPECT_EQ(input.typedWidths[3], 855) << "gap slots past the lesson keep their width";
    }
}

struct RefusalCase { const char *name; QString lesson; LessonRules::Finding::Kind kind; int line; };

class Preparation : public testing::TestWithParam<RefusalCase> {};

TEST_P(Preparation, GivesTheFirstRefusalInTheChoosersOrder)
{
    const Placement::Preparation prepared = Placement::prepareLesson(GetParam().lesson, inputFor({}, false, false));
    ASSERT_TRUE(prepared.refusal);
    EXPECT_FALSE(prepared.prepared);
    EXPECT_EQ(prepared.refusal->kind, GetParam().kind);
    EXPECT_EQ(prepared.refusal->line, GetParam().line);
}

const QString kLongLine = QString(330, QLatin1Char('x')) + QStringLiteral(" &b&");
using Refused = LessonRules::Finding::Kind;
INSTANTIATE_TEST_SUITE_P(Lessons, Preparation,
    testing::Values(RefusalCase{"builder_first", "Head &x&\r\n1. &a\r\n2. " + kLongLine, Refused::UnpairedMarker, 2},
                    RefusalCase{"gap_above_the_text", "Head &x&\r\n1. &a&\r\n2. " + kLongLine, Refused::GapAboveText, 0},
                    RefusalCase{"line_reaching_the_sixteen_bit_edge", "Head\r\n1. short &a&\r\n2. " + kLongLine,
                                Refused::LineTooWide, 3}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Preparation, SizesAndPlacesALessonItOpens)
{
    Placement::Input page = inputFor({}, false, true);
    page.innerWidth = 20000;
    const Placement::Preparation prepared = Placement::prepareLesson(QStringLiteral("Head\r\n1. She &goes& home."), page);
    ASSERT_TRUE(prepared.prepared);
    EXPECT_FALSE(prepared.refusal);
    EXPECT_EQ(prepared.prepared->input.typedWidths[1], 780);
    EXPECT_EQ(prepared.prepared->placed.innerWidth, 20000) << "the frame is only ever widened";
}

} // namespace
