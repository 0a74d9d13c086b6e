#include "platform/sqlite_store.h"
#include "platform/sqlite_writer.h"

#include "store_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <functional>
#include <vector>

using Lessons::StoredLesson;
using namespace Lessons::SqliteWriter;
using namespace StoreTests;

namespace {

const QList<StoredLesson> kThreeLessons = {
    {4, 1, QStringLiteral("Say no\r\n1. I &am not& here."), false},
    {4, 2, QStringLiteral("Say no again\r\n1. It &is not& cold."), false},
    {9, 1, QString(), true},
};

TEST(CreateStore, RowsReadBackInTheirOrder)
{
    StoreFolder folder;
    const QString path = folder.path(QStringLiteral("new.sqlite"));
    const auto written = createStore(path, kThreeLessons, Existing::Refuse);
    ASSERT_TRUE(written.ok()) << show(written.error);
    EXPECT_EQ(*written.value, 3);
    EXPECT_EQ(sqliteRows(path), kThreeLessons);
}

TEST(CreateStore, RefusesAnExistingFileAndLeavesIt)
{
    StoreFolder folder;
    const QString path = folder.write(QStringLiteral("mine.sqlite"), "a teacher's own file");
    const auto written = createStore(path, kThreeLessons, Existing::Refuse);
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.error.contains(QStringLiteral("already exists"))) << show(written.error);
    EXPECT_EQ(readFile(path), QByteArray("a teacher's own file"));
}

TEST(CreateStore, ReplaceSwapsTheWholeFile)
{
    StoreFolder folder;
    const QString path = folder.path(QStringLiteral("db1.sqlite"));
    ASSERT_TRUE(createStore(path, kThreeLessons, Existing::Refuse).ok());
    const QList<StoredLesson> other = {{24, 1, QStringLiteral("Every day\r\n1. She &plays&."), false}};
    ASSERT_TRUE(createStore(path, other, Existing::Replace).ok());
    EXPECT_EQ(sqliteRows(path), other);
    // No half-made file is left beside the store.
    EXPECT_EQ(QDir(folder.path(QString())).entryList(QDir::Files), QStringList{QStringLiteral("db1.sqlite")});
}

TEST(CreateStore, RefusesAFolderWithoutTouchingAnything)
{
    StoreFolder folder;
    const QString missing = folder.path(QStringLiteral("no/such/folder/db1.sqlite"));
    EXPECT_FALSE(createStore(missing, kThreeLessons, Existing::Replace).ok());
    EXPECT_FALSE(QFileInfo::exists(folder.path(QStringLiteral("no"))));
    QDir().mkpath(folder.path(QStringLiteral("taken.sqlite")));
    EXPECT_FALSE(createStore(folder.path(QStringLiteral("taken.sqlite")), kThreeLessons, Existing::Replace).ok());
    EXPECT_TRUE(QFileInfo(folder.path(QStringLiteral("taken.sqlite"))).isDir());
}

TEST(CreateStore, NeverWritesAnAccessFile)
{
    StoreFolder folder;
    const QString path = folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
    const QByteArray before = readFile(path);
    EXPECT_FALSE(createStore(path, kThreeLessons, Existing::Replace).ok());
    EXPECT_EQ(readFile(path), before);
}

// --- changes to a store -------------------------------------------------------------

using Change1 = std::function<Lessons::StoreOutcome<bool>(const QString &)>;

struct RefusedCase
{
    const char *name;
    Change1 change;
    const char *reason;
};

class RefusedChange : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedChange, LeavesTheStoreByteForByte)
{
    StoreFolder folder;
    const QString path = folder.path(QStringLiteral("db1.sqlite"));
    ASSERT_TRUE(createStore(path, kThreeLessons, Existing::Refuse).ok());
    const QByteArray before = readFile(path);
    const auto done = GetParam().change(path);
    EXPECT_FALSE(done.ok());
    EXPECT_TRUE(done.error.contains(QString::fromUtf8(GetParam().reason))) << show(done.error);
    EXPECT_EQ(readFile(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, RefusedChange,
    testing::Values(
        RefusedCase{"add_over_a_lesson",
                    [](const QString &p) { return putLesson(p, 4, 2, QStringLiteral("New\r\n1. &x&"), Change::Add); },
                    "already there"},
        RefusedCase{"replace_a_missing_lesson",
                    [](const QString &p) { return putLesson(p, 4, 3, QStringLiteral("New\r\n1. &x&"), Change::Replace); },
                    "not there"},
        RefusedCase{"remove_a_missing_lesson", [](const QString &p) { return removeLesson(p, 5, 1); }, "not there"},
        RefusedCase{"while_another_program_writes",
                    [](const QString &p) {
                        sqlite3 *holder = nullptr;
                        sqlite3_open(QFile::encodeName(p).constData(), &holder);
                        sqlite3_exec(holder, "BEGIN IMMEDIATE; DELETE FROM closes;", nullptr, nullptr, nullptr);
                        auto done = putLesson(p, 4, 3, QStringLiteral("New\r\n1. &x&"), Change::Add);
                        sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
                        sqlite3_close(holder);
                        return done;
                    },
                    "locked"}),
    [](const auto &info) { return std::string(info.param.name); });

struct AppliedCase
{
    const char *name;
    Change1 change;
    QList<StoredLesson> after;
};

class AppliedChange : public testing::TestWithParam<AppliedCase> {};

TEST_P(AppliedChange, TouchesOnlyThatLesson)
{
    StoreFolder folder;
    const QString path = folder.path(QStringLiteral("db1.sqlite"));
    ASSERT_TRUE(createStore(path, kThreeLessons, Existing::Refuse).ok());
    const auto done = GetParam().change(path);
    ASSERT_TRUE(done.ok()) << show(done.error);
    EXPECT_EQ(sqliteRows(path), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, AppliedChange,
    testing::Values(
        AppliedCase{"add",
                    [](const QString &p) { return putLesson(p, 4, 3, QStringLiteral("Third\r\n1. &x&"), Change::Add); },
                    {kThreeLessons[0], kThreeLessons[1], kThreeLessons[2], {4, 3, QStringLiteral("Third\r\n1. &x&"), false}}},
        AppliedCase{"replace_a_null_text",
                    [](const QString &p) { return putLesson(p, 9, 1, QStringLiteral("Now\r\n1. &y&"), Change::Replace); },
                    {kThreeLessons[0], kThreeLessons[1], {9, 1, QStringLiteral("Now\r\n1. &y&"), false}}},
        AppliedCase{"remove", [](const QString &p) { return removeLesson(p, 4, 1); }, {kThreeLessons[1], kThreeLessons[2]}}),
    [](const auto &info) { return std::string(info.param.name); });

// A store a teacher made by hand keeps its own columns through a replace.
TEST(ReplaceLesson, KeepsTheOtherColumnsOfEveryRowOfThatNumber)
{
    StoreFolder folder;
    const QString path = folder.sqlite(QStringLiteral("db1.sqlite"),
                                       "CREATE TABLE closes (ID INTEGER PRIMARY KEY, pattern, lesson, cloze, remark);"
                                       "INSERT INTO closes VALUES (7, 3, 1, 'Old\r\n1. &a&', 'keep me');"
                                       "INSERT INTO closes VALUES (8, 3, 1, 'Older\r\n1. &b&', 'and me');"
                                       "INSERT INTO closes VALUES (9, 3, 2, 'Other\r\n1. &c&', 'untouched');");
    ASSERT_TRUE(putLesson(path, 3, 1, QStringLiteral("New\r\n1. &n&"), Change::Replace).ok());
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_stmt *stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT ID, cloze, remark FROM closes ORDER BY ID", -1, &stmt, nullptr), SQLITE_OK);
    std::vector<std::string> seen;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        seen.push_back(std::to_string(sqlite3_column_int(stmt, 0)) + "|"
                       + reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1)) + "|"
                       + reinterpret_cast<const char *>(sqlite3_column_text(stmt, 2)));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    EXPECT_EQ(seen, (std::vector<std::string>{"7|New\r\n1. &n&|keep me", "8|New\r\n1. &n&|and me",
                                              "9|Other\r\n1. &c&|untouched"}));
}

struct UnfitCase
{
    const char *name;
    std::function<QString(StoreFolder &)> make;
};

class UnfitTarget : public testing::TestWithParam<UnfitCase> {};

TEST_P(UnfitTarget, EveryChangeIsRefusedAndNothingWritten)
{
    StoreFolder folder;
    const QString path = GetParam().make(folder);
    const QByteArray before = readFile(path);
    const bool existed = QFileInfo::exists(path);
    for (const auto &done : {putLesson(path, 4, 9, QStringLiteral("A\r\n1. &a&"), Change::Add),
                             putLesson(path, 4, 1, QStringLiteral("A\r\n1. &a&"), Change::Replace),
                             removeLesson(path, 4, 1)}) {
        EXPECT_FALSE(done.ok());
        EXPECT_TRUE(done.error.startsWith(path)) << show(done.error);
    }
    EXPECT_EQ(QFileInfo::exists(path), existed);
    EXPECT_EQ(readFile(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, UnfitTarget,
    testing::Values(
        UnfitCase{"missing_file", [](StoreFolder &f) { return f.path(QStringLiteral("db1.sqlite")); }},
        UnfitCase{"access_file",
                  [](StoreFolder &f) { return f.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb")); }},
        UnfitCase{"no_table_closes",
                  [](StoreFolder &f) { return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE pupils (name TEXT);"); }},
        UnfitCase{"not_sqlite", [](StoreFolder &f) { return f.write(QStringLiteral("db1.sqlite"), noise(8192, 3)); }}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
