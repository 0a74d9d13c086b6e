// The SQLite store's writer: whole stores, single lessons as the teachers' tool makes
// them, and saves of many changes in one transaction as the lesson editor makes them.
#include "platform/sqlite_store.h"
#include "platform/sqlite_support.h"
#include "platform/sqlite_writer.h"
#include "platform/store_engine.h"

#include "store_test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

using Lessons::StoredLesson;
using namespace Lessons::SqliteWriter;
using namespace StoreTests;
using Kind = RowChange::Kind;

namespace {

const auto kRowName = [](const auto &info) { return std::string(info.param.name); };

const QList<StoredLesson> kRows = {
    {4, 1, QStringLiteral("Say no\r\n1. I &am not& here."), false},
    {4, 2, QStringLiteral("Say no again\r\n1. It &is not& cold."), false},
    {9, 1, QString(), true},
};

// A store of kRows and its rows as read, with their rowids.
struct Store
{
    StoreFolder folder;
    QString path = folder.path(QStringLiteral("db1.sqlite"));
    QList<StoredLesson> read;

    explicit Store(const char *meanwhile = "")
    {
        EXPECT_TRUE(createStore(path, kRows, Existing::Refuse).ok());
        read = sqliteRows(path);
        folder.sqlite(QStringLiteral("db1.sqlite"), meanwhile);
    }
};

// --- whole stores and single lessons -------------------------------------------------

// kRows and a second row of 4/1, which readers pass over for the first.
const QList<StoredLesson> kTwice = kRows + QList<StoredLesson>{{4, 1, QStringLiteral("Hidden\r\n1. &x&"), false}};
const QString kNew = QStringLiteral("New\r\n1. &n&");

QString madeStore(StoreFolder &folder)
{
    const QString path = folder.path(QStringLiteral("db1.sqlite"));
    EXPECT_EQ(createStore(path, kTwice, Existing::Refuse).value, 4);
    EXPECT_EQ(Lessons::SqliteLessonStore(path).lessonText(4, 1).value, kRows[0].cloze);
    return path;
}

// Everything in a folder: names, then each file's bytes.
QByteArrayList contents(const QString &folder)
{
    QByteArrayList all;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        all << QFile::encodeName(entry.fileName()) << readFile(entry.filePath());
    return all;
}

using Target = std::function<QString(StoreFolder &)>;
using Act = std::function<QString(const QString &path)>; ///< does something to the store, gives the error

Act put(Change change, int pattern, int lesson)
{
    return [=](const QString &p) { return putLesson(p, pattern, lesson, kNew, change).error; };
}

Act remove(int pattern, int lesson)
{
    return [=](const QString &p) { return removeLesson(p, pattern, lesson).error; };
}

Act create(Existing existing)
{
    return [=](const QString &p) { return createStore(p, kRows, existing).error; };
}

// A change to one lesson is made to it alone, or refused leaving every file as it was.
struct ChangeCase
{
    const char *name;
    Target make;
    Act act;
    const char *reason;             ///< part of the error; null when the change is made
    QList<StoredLesson> after = {}; ///< the rows of a store that was changed
};

class OneLesson : public testing::TestWithParam<ChangeCase> {};

TEST_P(OneLesson, ChangedAloneOrRefusedLeavingEveryFile)
{
    const ChangeCase &c = GetParam();
    StoreFolder folder;
    const QString path = c.make(folder);
    const QByteArrayList before = contents(folder.path(QString()));
    const QString error = c.act(path);
    if (!c.reason) {
        EXPECT_EQ(show(error), "");
        EXPECT_EQ(sqliteRows(path), c.after);
        // No half-made file is left beside the store.
        EXPECT_EQ(QDir(folder.path(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("db1.sqlite")});
        return;
    }
    EXPECT_TRUE(error.startsWith(path + QStringLiteral(": "))) << show(error);
    EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << show(error);
    EXPECT_EQ(contents(folder.path(QString())), before);
}

const Target kAccessFile = [](StoreFolder &f) { return f.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb")); };
const Target kNotSqlite = [](StoreFolder &f) { return f.write(QStringLiteral("db1.sqlite"), "mine"); };
const StoredLesson kNewRow{4, 1, kNew, false};

INSTANTIATE_TEST_SUITE_P(
    Changes, OneLesson,
    testing::Values(
        ChangeCase{"create_replacing_the_whole_file", madeStore, create(Existing::Replace), nullptr, kRows},
        ChangeCase{"add", madeStore, put(Change::Add, 4, 3), nullptr, kTwice + QList<StoredLesson>{{4, 3, kNew, false}}},
        ChangeCase{"replace_every_row_of_the_number", madeStore, put(Change::Replace, 4, 1), nullptr,
                   {kNewRow, kRows[1], kRows[2], kNewRow}},
        ChangeCase{"replace_a_null_text", madeStore, put(Change::Replace, 9, 1), nullptr,
                   {kTwice[0], kRows[1], {9, 1, kNew, false}, kTwice[3]}},
        ChangeCase{"remove_every_row_of_the_number", madeStore, remove(4, 1), nullptr, {kRows[1], kRows[2]}},
        ChangeCase{"create_over_a_file", kNotSqlite, create(Existing::Refuse), "already exists"},
        ChangeCase{"create_over_a_folder",
                   [](StoreFolder &f) {
                       QDir().mkpath(f.path(QStringLiteral("db1.sqlite")));
                       return f.path(QStringLiteral("db1.sqlite"));
                   },
                   create(Existing::Replace), "already exists"},
        ChangeCase{"create_in_a_missing_folder", [](StoreFolder &f) { return f.path(QStringLiteral("no/db1.sqlite")); },
                   create(Existing::Replace), "its folder does not exist"},
        ChangeCase{"create_an_access_file", kAccessFile, create(Existing::Replace), "SQLite stores only"},
        ChangeCase{"add_over_a_lesson", madeStore, put(Change::Add, 4, 2), "already there"},
        ChangeCase{"replace_a_missing_lesson", madeStore, put(Change::Replace, 4, 3), "not there"},
        ChangeCase{"remove_a_missing_lesson", madeStore, remove(5, 1), "not there"},
        ChangeCase{"change_a_missing_file", [](StoreFolder &f) { return f.path(QStringLiteral("db1.sqlite")); },
                   put(Change::Add, 4, 9), "no such file"},
        ChangeCase{"change_an_access_file", kAccessFile, remove(4, 1), "an Access file is never changed"},
        ChangeCase{"change_a_store_without_closes",
                   [](StoreFolder &f) { return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE pupils (name TEXT);"); },
                   put(Change::Replace, 4, 1), "no table closes"},
        ChangeCase{"change_what_is_not_sqlite", kNotSqlite, remove(4, 1), "not a database"}),
    kRowName);

// A store a teacher made by hand keeps its own columns through a replace.
TEST(ReplaceLesson, KeepsTheOtherColumns)
{
    StoreFolder folder;
    const QString path = folder.sqlite(QStringLiteral("db1.sqlite"),
                                       "CREATE TABLE closes (ID INTEGER PRIMARY KEY, Pattern, Lesson, Cloze, remark);"
                                       "INSERT INTO closes VALUES (7, 3, 1, 'Old', 'keep me'), (9, 3, 2, 'Other', 'untouched');");
    ASSERT_EQ(show(put(Change::Replace, 3, 1)(path)), "");
    std::string seen;
    folder.sqlite(QStringLiteral("db1.sqlite"), "SELECT ID, cloze, remark FROM closes ORDER BY ID", &seen);
    EXPECT_EQ(seen, "7|New\r\n1. &n&|keep me|9|Other|untouched|");
}

// --- saves of many changes ----------------------------------------------------------

RowChange update(const StoredLesson &row, const QString &text)
{
    return {Kind::Update, row, {row.pattern, row.lesson, text, false}};
}

struct RefusedSave
{
    const char *name;
    const char *meanwhile; ///< what another program does to the store after it was read
    std::function<QList<RowChange>(const QList<StoredLesson> &)> changes;
    Failure failure;
};

class RefusedSaves : public testing::TestWithParam<RefusedSave> {};

TEST_P(RefusedSaves, LeaveTheStoreByteForByte)
{
    Store store(GetParam().meanwhile);
    const QByteArray before = readFile(store.path);
    const SaveOutcome saved = applyChanges(store.path, GetParam().changes(store.read));
    EXPECT_EQ(saved.failure, GetParam().failure) << show(saved.error);
    EXPECT_TRUE(saved.error.startsWith(store.path)) << show(saved.error);
    EXPECT_EQ(readFile(store.path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Saves, RefusedSaves,
    testing::Values(
        RefusedSave{"text_changed_meanwhile", "UPDATE closes SET cloze = 'theirs' WHERE lesson = 2",
                    [](auto r) { return QList<RowChange>{update(r[1], QStringLiteral("mine"))}; }, Failure::Changed},
        RefusedSave{"row_removed_meanwhile", "DELETE FROM closes WHERE lesson = 2",
                    [](auto r) { return QList<RowChange>{{Kind::Delete, r[1], {}}}; }, Failure::Changed},
        RefusedSave{"null_filled_meanwhile", "UPDATE closes SET cloze = '' WHERE pattern = 9",
                    [](auto r) { return QList<RowChange>{{Kind::Delete, r[2], {}}}; }, Failure::Changed},
        // The first two changes would apply; the third finds its row moved, so none is made.
        RefusedSave{"all_or_nothing", "UPDATE closes SET lesson = 5 WHERE lesson = 2",
                    [](auto r) {
                        return QList<RowChange>{update(r[0], QStringLiteral("first")),
                                                {Kind::Insert, {}, {6, 1, QStringLiteral("new"), false}},
                                                update(r[1], QStringLiteral("second"))};
                    },
                    Failure::Changed},
        RefusedSave{"table_gone", "DROP TABLE closes; CREATE TABLE pupils (name TEXT);",
                    [](auto r) { return QList<RowChange>{{Kind::Delete, r[0], {}}}; }, Failure::NotAStore}),
    kRowName);

// Another program's write lock: the pupil's reader, the tool's change and the editor's
// save wait out a short one, as a teacher's save commits, and give up on one that is
// not let go.
struct LockCase
{
    const char *name;
    int holdMs;
    int waitsMs; ///< how long the reader or the save waits
    std::function<QString(const Store &)> act; ///< gives the error, "" when done
    bool saves = false;
};

QString save(const Store &store)
{
    const SaveOutcome saved = applyChanges(store.path, {update(store.read[1], QStringLiteral("mine"))});
    return saved.ok() || saved.failure == Failure::Locked ? saved.error : "not refused as locked: " + saved.error;
}

const auto kRead = [](const Store &store) { return Lessons::openStoreEngine(store.path)->lessons(4).error; };

class LockedStore : public testing::TestWithParam<LockCase> {};

TEST_P(LockedStore, WaitsBrieflyThenGivesUp)
{
    const LockCase &c = GetParam();
    Store store;
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(store.path).constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE; UPDATE closes SET cloze = 'held';", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([holder, &c] {
        std::this_thread::sleep_for(std::chrono::milliseconds(c.holdMs));
        sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    });
    QElapsedTimer clock;
    clock.start();
    const QString error = c.act(store);
    const qint64 waited = clock.elapsed();
    release.join();
    sqlite3_close(holder);
    const bool shortLock = c.holdMs < c.waitsMs;
    EXPECT_EQ(error.isEmpty(), shortLock) << show(error);
    EXPECT_TRUE(shortLock || error.contains(QStringLiteral("locked"))) << show(error);
    EXPECT_GE(waited, std::min(c.holdMs, c.waitsMs) - 100);
    EXPECT_LT(waited, c.waitsMs + 2500);
    EXPECT_EQ(sqliteRows(store.path)[1].cloze, shortLock && c.saves ? QStringLiteral("mine") : kRows[1].cloze);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, LockedStore,
    testing::Values(LockCase{"reader_short_write", 300, Lessons::Sqlite::kBusyTimeoutMs, kRead},
                    LockCase{"reader_held_on", 3000, Lessons::Sqlite::kBusyTimeoutMs, kRead},
                    LockCase{"change_held_on", 3000, Lessons::Sqlite::kBusyTimeoutMs,
                             [](const Store &s) { return put(Change::Replace, 4, 2)(s.path); }},
                    LockCase{"save_short_lock", 400, kSaveBusyTimeoutMs, save, true},
                    LockCase{"save_long_lock", kSaveBusyTimeoutMs + 1500, kSaveBusyTimeoutMs, save, true}),
    kRowName);

// A disk that takes no more: the file may not grow in a child, and the save fails whole.
TEST(ApplyChanges, AWriteThatFailsLeavesTheStoreWhole)
{
    Store store;
    const QList<RowChange> big = {update(store.read[0], QString(400000, QLatin1Char('x'))),
                                  {Kind::Insert, {}, {7, 1, QStringLiteral("new"), false}}};
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(applyChanges(store.path, big).failure == Failure::WriteFailed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save did not fail as a write that failed";
    EXPECT_EQ(sqliteRows(store.path), kRows);
    EXPECT_TRUE(applyChanges(store.path, big).ok());
}

// The pupil program reading while saves go on sees all of a save or none of it.
TEST(ApplyChanges, AReaderSeesTheStoreBeforeOrAfterASave)
{
    Store store("UPDATE closes SET cloze = 'Start\r\n1. &x&' WHERE pattern = 4");
    // The reader reads for as long as the saves go on, leaving the writer a moment
    // between reads as the pupil program's clicks do.
    constexpr int kSaves = 30;
    std::atomic<bool> done = false;
    int saves = 0;
    std::thread saver([&] {
        QList<StoredLesson> rows = sqliteRows(store.path);
        for (int round = 1; saves < kSaves && round <= 10 * kSaves; ++round) {
            const QString text = QStringLiteral("Round %1\r\n1. &x&").arg(QChar('A' + round % 26));
            if (applyChanges(store.path, {update(rows[0], text), update(rows[1], text)}).ok()) {
                rows[0].cloze = rows[1].cloze = text;
                ++saves;
            } else {
                rows = sqliteRows(store.path); // a reader held the store a moment too long
            }
        }
        done = true;
    });
    int reads = 0;
    bool whole = true;
    while (!done && whole) {
        const auto listing = Lessons::SqliteLessonStore(store.path).lessons(4);
        whole = listing.ok() && listing.value->size() == 2 && listing.value->at(0).heading == listing.value->at(1).heading;
        EXPECT_TRUE(whole) << show(listing.error);
        ++reads;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    saver.join();
    EXPECT_EQ(saves, kSaves);
    EXPECT_GT(reads, 0);
}

} // namespace
