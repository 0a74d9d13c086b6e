#include "platform/store_rows.h"

#include <gtest/gtest.h>

#include <vector>

using Lessons::StoredLesson;

namespace {

StoredLesson row(int pattern, int lesson, const char *text)
{
    return StoredLesson{pattern, lesson, QString::fromUtf8(text), false};
}

StoredLesson nullRow(int pattern, int lesson)
{
    return StoredLesson{pattern, lesson, QString(), true};
}

struct ListingCase
{
    const char *name;
    QList<StoredLesson> rows;
    int pattern;
    std::vector<std::pair<int, const char *>> listed; // lesson and heading
};

class LessonListing : public testing::TestWithParam<ListingCase> {};

TEST_P(LessonListing, ListsWhatTheLessonClickCanOpen)
{
    const auto listing = Lessons::lessonListing(GetParam().rows, GetParam().pattern);
    ASSERT_EQ(listing.size(), qsizetype(GetParam().listed.size()));
    for (size_t i = 0; i < GetParam().listed.size(); ++i) {
        EXPECT_EQ(listing.at(qsizetype(i)).lesson, GetParam().listed[i].first);
        EXPECT_EQ(listing.at(qsizetype(i)).heading, QString::fromUtf8(GetParam().listed[i].second));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LessonListing,
    testing::Values(
        ListingCase{"ascending_whatever_the_table_order",
                    {row(5, 3, "C\r\n1. c"), row(5, 1, "A\r\n1. a"), row(5, 2, "B\r\n1. b")},
                    5,
                    {{1, "A\r\n"}, {2, "B\r\n"}, {3, "C\r\n"}}},
        ListingCase{"hole_is_passed_over", {row(5, 1, "A1"), row(5, 4, "D1")}, 5, {{1, "A"}, {4, "D"}}},
        ListingCase{"empty_and_null_left_out", {row(5, 1, ""), nullRow(5, 2), row(5, 3, "C1")}, 5, {{3, "C"}}},
        ListingCase{"other_patterns_ignored", {row(4, 1, "X1"), row(5, 1, "A1"), row(6, 2, "Y1")}, 5, {{1, "A"}}},
        ListingCase{"numbers_outside_1_to_99_never_listed",
                    {row(5, 0, "Z1"), row(5, -2, "M1"), row(5, 99, "N1"), row(5, 100, "H1"), row(5, 123, "T1")},
                    5,
                    {{99, "N"}}},
        ListingCase{"first_row_of_a_number_decides", {row(5, 1, "First1"), row(5, 1, "Second1")}, 5, {{1, "First"}}},
        ListingCase{"first_row_empty_hides_a_later_text", {row(5, 1, ""), row(5, 1, "Later1")}, 5, {}},
        ListingCase{"text_without_one_is_its_own_heading", {row(5, 1, "No digit")}, 5, {{1, "No digit"}}},
        ListingCase{"heading_ends_at_first_one_anywhere", {row(5, 1, "Unit 12\r\n1. x")}, 5, {{1, "Unit "}}},
        ListingCase{"no_rows", {}, 5, {}}),
    [](const auto &info) { return std::string(info.param.name); });

struct TextCase
{
    const char *name;
    QList<StoredLesson> rows;
    int pattern;
    int lesson;
    const char *text;
};

class LessonTextOf : public testing::TestWithParam<TextCase> {};

TEST_P(LessonTextOf, FirstMatchingRow)
{
    EXPECT_EQ(Lessons::lessonTextOf(GetParam().rows, GetParam().pattern, GetParam().lesson),
              QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LessonTextOf,
    testing::Values(TextCase{"found", {row(2, 1, "a"), row(2, 2, "b")}, 2, 2, "b"},
                    TextCase{"first_of_two", {row(2, 1, "a"), row(2, 1, "b")}, 2, 1, "a"},
                    TextCase{"null_is_empty", {nullRow(2, 1)}, 2, 1, ""},
                    TextCase{"missing_is_empty", {row(2, 1, "a")}, 2, 3, ""},
                    TextCase{"same_lesson_other_pattern", {row(3, 1, "a")}, 2, 1, ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Statements, AsTheChooserAlwaysWroteThem)
{
    EXPECT_EQ(Lessons::patternStatement(13), QByteArray("Select * from closes Where pattern = 13"));
    EXPECT_EQ(Lessons::lessonStatement(13, 2), QByteArray("Select cloze from closes Where pattern = 13 AND lesson = 2"));
    EXPECT_EQ(Lessons::patternStatement(1), QByteArray("Select * from closes Where pattern = 1"));
}

struct NumberCase
{
    const char *name;
    const char *text;
    Lessons::StoredNumber kind;
    int value; ///< when Whole
};

class StoredNumberText : public testing::TestWithParam<NumberCase> {};

TEST_P(StoredNumberText, WholeWhenNoPlaceIsUsed)
{
    int value = -777;
    EXPECT_EQ(Lessons::readStoredNumber(GetParam().text, &value), GetParam().kind);
    EXPECT_EQ(value, GetParam().kind == Lessons::StoredNumber::Whole ? GetParam().value : -777);
}

using Kind = Lessons::StoredNumber;
INSTANTIATE_TEST_SUITE_P(Texts, StoredNumberText,
                         testing::Values(NumberCase{"plain", "17", Kind::Whole, 17},
                                         NumberCase{"blanks_around", " 4 ", Kind::Whole, 4},
                                         NumberCase{"negative", "-3", Kind::Whole, -3},
                                         NumberCase{"plus_sign", "+8", Kind::Whole, 8},
                                         NumberCase{"currency_places", "24.0000", Kind::Whole, 24},
                                         NumberCase{"decimal_places", "2.00", Kind::Whole, 2},
                                         NumberCase{"negative_zero_places", "-0.0", Kind::Whole, 0},
                                         NumberCase{"largest_int", "2147483647.00", Kind::Whole, 2147483647},
                                         NumberCase{"fraction", "2.5", Kind::NotWhole, 0},
                                         NumberCase{"fraction_in_the_last_place", "24.0001", Kind::NotWhole, 0},
                                         NumberCase{"decimal_half", "1.50", Kind::NotWhole, 0},
                                         NumberCase{"beyond_int", "2147483648", Kind::NotWhole, 0},
                                         NumberCase{"far_beyond_int", "100000000000000000000.0000", Kind::NotWhole, 0},
                                         NumberCase{"empty_as_a_null_reads", "", Kind::NotNumber, 0},
                                         NumberCase{"sign_alone", "-", Kind::NotNumber, 0},
                                         NumberCase{"point_without_places", "24.", Kind::NotNumber, 0},
                                         NumberCase{"places_without_digits", ".5", Kind::NotNumber, 0},
                                         NumberCase{"decimal_comma", "5,5", Kind::NotNumber, 0},
                                         NumberCase{"exponent", "1e+20", Kind::NotNumber, 0},
                                         NumberCase{"two_points", "1.0.0", Kind::NotNumber, 0},
                                         NumberCase{"letters", "abc", Kind::NotNumber, 0},
                                         NumberCase{"digits_then_letters", "12a", Kind::NotNumber, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
