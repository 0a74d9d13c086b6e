#include "platform/store_rows.h"

#include <gtest/gtest.h>

#include <vector>

using Lessons::StoredLesson;

namespace {

// A row of that text; a null one for nullptr.
StoredLesson row(int pattern, int lesson, const char *text)
{
    return StoredLesson{pattern, lesson, QString::fromUtf8(text), !text};
}

struct ListingCase
{
    const char *name;
    QList<StoredLesson> rows;
    std::vector<std::pair<int, QString>> listed; ///< lessons of pattern 5 and their headings
};

class LessonListing : public testing::TestWithParam<ListingCase> {};

TEST_P(LessonListing, ListsWhatTheLessonClickCanOpen)
{
    std::vector<std::pair<int, QString>> listed;
    for (const Lessons::LessonInfo &info : Lessons::lessonListing(GetParam().rows, 5))
        listed.emplace_back(info.lesson, info.heading);
    EXPECT_EQ(listed, GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(Rows, LessonListing,
    testing::Values(
        ListingCase{"ascending_holes_passed_over", {row(5, 4, "D1"), row(4, 1, "X1"), row(5, 1, "A\r\n1. a"), row(6, 2, "Y1")},
                    {{1, "A\r\n"}, {4, "D"}}},
        ListingCase{"empty_and_null_left_out", {row(5, 1, ""), row(5, 2, nullptr), row(5, 3, "C1")}, {{3, "C"}}},
        ListingCase{"outside_1_to_99_never_listed", {row(5, 0, "Z1"), row(5, 99, "N1"), row(5, 100, "H1")}, {{99, "N"}}},
        ListingCase{"first_row_of_a_number_decides", {row(5, 1, "First1"), row(5, 1, "Second1")}, {{1, "First"}}},
        ListingCase{"first_row_empty_hides_a_later_text", {row(5, 1, ""), row(5, 1, "Later1")}, {}},
        ListingCase{"heading_ends_at_the_first_one", {row(5, 1, "Unit 12\r\n1. x"), row(5, 2, "No digit")},
                    {{1, "Unit "}, {2, "No digit"}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LessonTextOf, FirstRowOfThePatternAndLesson)
{
    const QList<StoredLesson> rows = {row(2, 1, "a"), row(2, 1, "b"), row(3, 2, "c"), row(2, 3, nullptr)};
    for (const auto &[pattern, lesson, text] : {std::tuple{2, 1, "a"}, {3, 2, "c"}, {2, 2, ""}, {2, 3, ""}})
        EXPECT_EQ(Lessons::lessonTextOf(rows, pattern, lesson).toStdString(), text) << pattern << "/" << lesson;
}

} // namespace
