#include "platform/program_store.h"
#include "platform/sqlite_writer.h"

#include "store_test_support.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using Lessons::StoredLesson;
using namespace StoreTests;

namespace {

// An embedded store that can be told apart from the fixture: pattern 1 holds lesson 5 only.
void embeddedStore(StoreFolder &folder)
{
    const QList<StoredLesson> rows = {{1, 5, QStringLiteral("Embedded\r\n1. &a&"), false}};
    ASSERT_TRUE(Lessons::SqliteWriter::createStore(folder.path(QStringLiteral("db1.sqlite")), rows,
                                                   Lessons::SqliteWriter::Existing::Refuse)
                    .ok());
}

void accessStore(StoreFolder &folder)
{
    folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
}

struct FolderCase
{
    const char *name;
    std::function<void(StoreFolder &)> fill;
    const char *readsFile;
    bool ok;
    std::vector<int> patternOne; ///< lessons listed for pattern 1 when ok
    const char *firstHeading;    ///< heading of the first of them
};

class ProgramFolder : public testing::TestWithParam<FolderCase> {};

TEST_P(ProgramFolder, ReadsTheFileItNames)
{
    StoreFolder folder;
    GetParam().fill(folder);
    const auto store = Lessons::programLessonStore(folder.path(QString()));
    EXPECT_EQ(store->filePath(), folder.path(QString::fromUtf8(GetParam().readsFile)));
    EXPECT_EQ(Lessons::programStorePath(folder.path(QString())), store->filePath());

    const auto listing = store->lessons(1);
    const auto text = store->lessonText(1, listing.ok() && !listing.value->isEmpty() ? listing.value->first().lesson : 1);
    ASSERT_EQ(listing.ok(), GetParam().ok) << show(listing.error);
    ASSERT_EQ(text.ok(), GetParam().ok) << show(text.error);
    if (!GetParam().ok) {
        // The chooser shows its one failure message; the reason is for teachers.
        EXPECT_TRUE(listing.error.contains(store->filePath())) << show(listing.error);
        EXPECT_TRUE(text.error.contains(store->filePath())) << show(text.error);
        return;
    }
    std::vector<int> lessons;
    for (const auto &info : *listing.value)
        lessons.push_back(info.lesson);
    EXPECT_EQ(lessons, GetParam().patternOne);
    EXPECT_TRUE(text.value->startsWith(QString::fromUtf8(GetParam().firstHeading))) << show(*text.value);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ProgramFolder,
    testing::Values(
        FolderCase{"access_only", accessStore, "db1.mdb", true, {1, 2, 3}, "Fill in the gaps"},
        FolderCase{"embedded_only", embeddedStore, "db1.sqlite", true, {5}, "Embedded"},
        FolderCase{"both_access_wins",
                   [](StoreFolder &f) {
                       embeddedStore(f);
                       accessStore(f);
                   },
                   "db1.mdb", true, {1, 2, 3}, "Fill in the gaps"},
        FolderCase{"damaged_access_is_not_passed_over",
                   [](StoreFolder &f) {
                       embeddedStore(f);
                       f.write(QStringLiteral("db1.mdb"), noise(4096, 5));
                   },
                   "db1.mdb", false, {}, ""},
        FolderCase{"neither", [](StoreFolder &) {}, "db1.sqlite", false, {}, ""},
        FolderCase{"access_name_in_other_case_is_not_it",
                   [](StoreFolder &f) {
                       embeddedStore(f);
                       f.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("DB1.MDB"));
                   },
                   "db1.sqlite", true, {5}, "Embedded"}),
    [](const auto &info) { return std::string(info.param.name); });

// The file is chosen again at every call, so a teacher may drop db1.mdb in while
// the program runs, or take it away.
TEST(ProgramFolder, ChoosesAgainAtEveryCall)
{
    StoreFolder folder;
    embeddedStore(folder);
    const auto store = Lessons::programLessonStore(folder.path(QString()));
    ASSERT_EQ(store->lessons(1).value->size(), 1);
    accessStore(folder);
    ASSERT_EQ(store->lessons(1).value->size(), 3);
    ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("db1.mdb"))));
    EXPECT_EQ(store->lessons(1).value->size(), 1);
}

} // namespace
