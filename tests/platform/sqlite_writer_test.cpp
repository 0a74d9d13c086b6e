#include "platform/sqlite_store.h"
#include "platform/sqlite_writer.h"

#include "store_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <functional>

using Lessons::StoredLesson;
using namespace Lessons::SqliteWriter;
using namespace StoreTests;

namespace {

const QList<StoredLesson> kRows = {
    {4, 1, QStringLiteral("Say no\r\n1. I &am not& here."), false},
    {4, 2, QStringLiteral("Say no again\r\n1. It &is not& cold."), false},
    {9, 1, QString(), true},
    {4, 1, QStringLiteral("Hidden\r\n1. &x&"), false}, // a second row of 4/1: readers take the first
};

QString madeStore(StoreFolder &folder)
{
    const QString path = folder.path(QStringLiteral("db1.sqlite"));
    EXPECT_EQ(createStore(path, kRows, Existing::Refuse).value, 4);
    return path;
}

QList<StoredLesson> readBack(const QString &path)
{
    return Lessons::SqliteLessonStore(path).allLessons().value.value_or(QList<StoredLesson>());
}

// Everything in a folder: names, then each file's bytes.
QByteArrayList contents(const QString &folder)
{
    QByteArrayList all;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        all << QFile::encodeName(entry.fileName()) << readFile(entry.filePath());
    return all;
}

TEST(CreateStore, RowsReadBackInTheirOrderAndReplaceSwapsTheWholeFile)
{
    StoreFolder folder;
    const QString path = madeStore(folder);
    EXPECT_EQ(readBack(path), kRows);
    EXPECT_EQ(Lessons::SqliteLessonStore(path).lessonText(4, 1).value, kRows[0].cloze);
    const QList<StoredLesson> other = {{24, 1, QStringLiteral("Every day\r\n1. She &plays&."), false}};
    ASSERT_TRUE(createStore(path, other, Existing::Replace).ok());
    EXPECT_EQ(readBack(path), other);
    // No half-made file is left beside the store.
    EXPECT_EQ(QDir(folder.path(QString())).entryList(QDir::Files), QStringList{QStringLiteral("db1.sqlite")});
}

using Target = std::function<QString(StoreFolder &)>;
using Act = std::function<QString(const QString &path)>; ///< does something to the store, gives the error

Act put(Change change, int pattern, int lesson)
{
    return [=](const QString &p) { return putLesson(p, pattern, lesson, QStringLiteral("New\r\n1. &n&"), change).error; };
}

Act remove(int pattern, int lesson)
{
    return [=](const QString &p) { return removeLesson(p, pattern, lesson).error; };
}

Act create(Existing existing)
{
    return [=](const QString &p) { return createStore(p, kRows, existing).error; };
}

QString whileAnotherProgramWrites(const QString &path)
{
    sqlite3 *holder = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &holder);
    sqlite3_exec(holder, "BEGIN IMMEDIATE; DELETE FROM closes;", nullptr, nullptr, nullptr);
    const QString error = put(Change::Add, 4, 3)(path);
    sqlite3_close(holder);
    return error;
}

struct RefusedCase
{
    const char *name;
    Target make;
    Act act;
    const char *reason;
};

class Refused : public testing::TestWithParam<RefusedCase> {};

TEST_P(Refused, LeavesEveryFileAsItWas)
{
    StoreFolder folder;
    const QString path = GetParam().make(folder);
    const QByteArrayList before = contents(folder.path(QString()));
    const QString error = GetParam().act(path);
    EXPECT_TRUE(error.startsWith(path + QStringLiteral(": "))) << show(error);
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().reason))) << show(error);
    EXPECT_EQ(contents(folder.path(QString())), before);
}

const Target kAccessFile = [](StoreFolder &f) { return f.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb")); };

INSTANTIATE_TEST_SUITE_P(
    Changes, Refused,
    testing::Values(
        RefusedCase{"create_over_a_file", [](StoreFolder &f) { return f.write(QStringLiteral("db1.sqlite"), "mine"); },
                    create(Existing::Refuse), "already exists"},
        RefusedCase{"create_over_a_folder",
                    [](StoreFolder &f) {
                        QDir().mkpath(f.path(QStringLiteral("db1.sqlite")));
                        return f.path(QStringLiteral("db1.sqlite"));
                    },
                    create(Existing::Replace), "already exists"},
        RefusedCase{"create_in_a_missing_folder", [](StoreFolder &f) { return f.path(QStringLiteral("no/db1.sqlite")); },
                    create(Existing::Replace), "its folder does not exist"},
        RefusedCase{"create_an_access_file", kAccessFile, create(Existing::Replace), "SQLite stores only"},
        RefusedCase{"add_over_a_lesson", madeStore, put(Change::Add, 4, 2), "already there"},
        RefusedCase{"replace_a_missing_lesson", madeStore, put(Change::Replace, 4, 3), "not there"},
        RefusedCase{"remove_a_missing_lesson", madeStore, remove(5, 1), "not there"},
        RefusedCase{"while_another_program_writes", madeStore, whileAnotherProgramWrites, "locked"},
        RefusedCase{"change_a_missing_file", [](StoreFolder &f) { return f.path(QStringLiteral("db1.sqlite")); },
                    put(Change::Add, 4, 9), "no such file"},
        RefusedCase{"change_an_access_file", kAccessFile, remove(4, 1), "an Access file is never changed"},
        RefusedCase{"change_a_store_without_closes",
                    [](StoreFolder &f) { return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE pupils (name TEXT);"); },
                    put(Change::Replace, 4, 1), "no table closes"},
        RefusedCase{"change_what_is_not_sqlite", [](StoreFolder &f) { return f.write(QStringLiteral("db1.sqlite"), "mine"); },
                    remove(4, 1), "not a database"}),
    [](const auto &info) { return std::string(info.param.name); });

struct AppliedCase
{
    const char *name;
    Act change;
    QList<StoredLesson> after;
};

class Applied : public testing::TestWithParam<AppliedCase> {};

TEST_P(Applied, TouchesOnlyThatLesson)
{
    StoreFolder folder;
    const QString path = madeStore(folder);
    EXPECT_EQ(show(GetParam().change(path)), "");
    EXPECT_EQ(readBack(path), GetParam().after);
}

const QString kNew = QStringLiteral("New\r\n1. &n&");

INSTANTIATE_TEST_SUITE_P(
    Changes, Applied,
    testing::Values(AppliedCase{"add", put(Change::Add, 4, 3), {kRows[0], kRows[1], kRows[2], kRows[3], {4, 3, kNew, false}}},
                    AppliedCase{"replace_every_row_of_the_number", put(Change::Replace, 4, 1),
                                {{4, 1, kNew, false}, kRows[1], kRows[2], {4, 1, kNew, false}}},
                    AppliedCase{"replace_a_null_text", put(Change::Replace, 9, 1), {kRows[0], kRows[1], {9, 1, kNew, false}, kRows[3]}},
                    AppliedCase{"remove_every_row_of_the_number", remove(4, 1), {kRows[1], kRows[2]}}),
    [](const auto &info) { return std::string(info.param.name); });

// A store a teacher made by hand keeps its own columns through a replace.
TEST(ReplaceLesson, KeepsTheOtherColumns)
{
    StoreFolder folder;
    const QString path = folder.sqlite(QStringLiteral("db1.sqlite"),
                                       "CREATE TABLE closes (ID INTEGER PRIMARY KEY, pattern, lesson, cloze, remark);"
                                       "INSERT INTO closes VALUES (7, 3, 1, 'Old', 'keep me'), (9, 3, 2, 'Other', 'untouched');");
    ASSERT_EQ(show(put(Change::Replace, 3, 1)(path)), "");
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    std::string seen;
    sqlite3_exec(db, "SELECT ID, cloze, remark FROM closes ORDER BY ID", [](void *out, int n, char **values, char **) {
        for (int i = 0; i < n; ++i)
            *static_cast<std::string *>(out) += std::string(values[i]) + "|";
        return 0;
    }, &seen, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(seen, "7|New\r\n1. &n&|keep me|9|Other|untouched|");
}

} // namespace
