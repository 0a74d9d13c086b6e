// Saves of many changes in one transaction, as the lesson editor makes them.
#include "platform/sqlite_store.h"
#include "platform/sqlite_writer.h"

#include "store_test_support.h"
#include "unprivileged_child.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <functional>
#include <thread>

using Lessons::StoredLesson;
using namespace Lessons::SqliteWriter;
using namespace StoreTests;
using Kind = RowChange::Kind;

namespace {

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

    Store()
    {
        EXPECT_TRUE(createStore(path, kRows, Existing::Refuse).ok());
        read = sqliteRows(path);
    }

    void exec(const char *sql) const
    {
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &db);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
};

StoredLesson with(StoredLesson row, int pattern, int lesson, const QString &text)
{
    row.pattern = pattern;
    row.lesson = lesson;
    row.cloze = text;
    row.isNull = false;
    return row;
}

TEST(ApplyChanges, RowIdsComeWithTheWholeTable)
{
    Store store;
    ASSERT_EQ(store.read, kRows);
    for (int i = 0; i < store.read.size(); ++i)
        EXPECT_EQ(store.read[i].rowId, i + 1);
}

TEST(ApplyChanges, EveryKindInOneSave)
{
    Store store;
    const StoredLesson added{4, 3, QStringLiteral("Third\r\n1. &x&"), false};
    const QList<RowChange> changes = {
        {Kind::Update, store.read[0], with(store.read[0], 4, 1, QStringLiteral("Changed\r\n1. &a&"))},
        {Kind::Delete, store.read[1], {}},
        {Kind::Update, store.read[2], with(store.read[2], 9, 7, QStringLiteral("Moved\r\n1. &m&"))},
        {Kind::Insert, {}, added},
    };
    const SaveOutcome saved = applyChanges(store.path, changes);
    ASSERT_TRUE(saved.ok()) << show(saved.error);
    const QList<StoredLesson> after = sqliteRows(store.path);
    EXPECT_EQ(after, (QList<StoredLesson>{with(kRows[0], 4, 1, QStringLiteral("Changed\r\n1. &a&")),
                                          with(kRows[2], 9, 7, QStringLiteral("Moved\r\n1. &m&")), added}));
    ASSERT_EQ(saved.insertedIds.size(), 1);
    EXPECT_EQ(saved.insertedIds[0], after.last().rowId);
}

TEST(ApplyChanges, KeepsTheOtherColumnsOfAChangedRow)
{
    StoreFolder folder;
    const QString path = folder.sqlite(QStringLiteral("db1.sqlite"),
                                       "CREATE TABLE closes (ID INTEGER PRIMARY KEY, pattern, lesson, cloze, remark);"
                                       "INSERT INTO closes VALUES (7, '3', '1', 'Old\r\n1. &a&', 'keep me');");
    const QList<StoredLesson> read = sqliteRows(path);
    ASSERT_EQ(read.size(), 1);
    ASSERT_TRUE(applyChanges(path, {{Kind::Update, read[0], with(read[0], 3, 2, QStringLiteral("New\r\n1. &n&"))}}).ok());
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_stmt *stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT ID || '|' || lesson || '|' || remark FROM closes", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)), "7|2|keep me");
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

struct RefusedSave
{
    const char *name;
    const char *meanwhile; ///< what another program does to the store after it was read
    std::function<QList<RowChange>(const QList<StoredLesson> &)> changes;
    Failure failure;
};

class RefusedSaves : public testing::TestWithParam<RefusedSave> {};

TEST_P(RefusedSaves, LeaveEveryRowAsItWas)
{
    Store store;
    if (*GetParam().meanwhile)
        store.exec(GetParam().meanwhile);
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
                    [](const QList<StoredLesson> &r) {
                        return QList<RowChange>{{Kind::Update, r[1], with(r[1], 4, 2, QStringLiteral("mine"))}};
                    },
                    Failure::Changed},
        RefusedSave{"row_removed_meanwhile", "DELETE FROM closes WHERE lesson = 2",
                    [](const QList<StoredLesson> &r) { return QList<RowChange>{{Kind::Delete, r[1], {}}}; },
                    Failure::Changed},
        RefusedSave{"null_filled_meanwhile", "UPDATE closes SET cloze = '' WHERE pattern = 9",
                    [](const QList<StoredLesson> &r) { return QList<RowChange>{{Kind::Delete, r[2], {}}}; },
                    Failure::Changed},
        // The first change would apply; the second finds its row changed, so neither is made.
        RefusedSave{"all_or_nothing", "UPDATE closes SET lesson = 5 WHERE lesson = 2",
                    [](const QList<StoredLesson> &r) {
                        return QList<RowChange>{{Kind::Update, r[0], with(r[0], 4, 1, QStringLiteral("first"))},
                                                {Kind::Insert, {}, {6, 1, QStringLiteral("new"), false}},
                                                {Kind::Update, r[1], with(r[1], 4, 2, QStringLiteral("second"))}};
                    },
                    Failure::Changed},
        RefusedSave{"table_gone", "DROP TABLE closes; CREATE TABLE pupils (name TEXT);",
                    [](const QList<StoredLesson> &r) { return QList<RowChange>{{Kind::Delete, r[0], {}}}; },
                    Failure::NotAStore}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ApplyChanges, RefusesFilesThatAreNoSqliteStore)
{
    StoreFolder folder;
    const QString access = folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
    const QByteArray accessBytes = readFile(access);
    const QList<RowChange> insert = {{Kind::Insert, {}, {5, 1, QStringLiteral("A\r\n1. &a&"), false}}};
    EXPECT_EQ(applyChanges(access, insert).failure, Failure::ReadOnly);
    EXPECT_EQ(readFile(access), accessBytes);
    const QString foreign = folder.write(QStringLiteral("db1.sqlite"), noise(8192, 5));
    EXPECT_EQ(applyChanges(foreign, insert).failure, Failure::NotAStore);
    EXPECT_EQ(readFile(foreign), noise(8192, 5));
    EXPECT_EQ(applyChanges(folder.path(QStringLiteral("missing.sqlite")), insert).failure, Failure::NotAStore);
}

// Another program's write lock: a short one is waited for, a long one refuses the save.
struct HeldLock
{
    int holdMs;
    bool saved;
};

class LockedStore : public testing::TestWithParam<HeldLock> {};

TEST_P(LockedStore, WaitsBrieflyThenSaysLocked)
{
    Store store;
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(store.path).constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE; UPDATE closes SET cloze = 'held' WHERE lesson = 1;", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    std::thread release([holder, ms = GetParam().holdMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    });
    QElapsedTimer clock;
    clock.start();
    const SaveOutcome saved =
        applyChanges(store.path, {{Kind::Update, store.read[1], with(store.read[1], 4, 2, QStringLiteral("mine"))}});
    const qint64 waited = clock.elapsed();
    release.join();
    sqlite3_close(holder);
    if (GetParam().saved) {
        EXPECT_TRUE(saved.ok()) << show(saved.error);
        EXPECT_GE(waited, GetParam().holdMs - 50);
        EXPECT_EQ(sqliteRows(store.path)[1].cloze, QStringLiteral("mine"));
    } else {
        EXPECT_EQ(saved.failure, Failure::Locked) << show(saved.error);
        EXPECT_GE(waited, kSaveBusyTimeoutMs - 100);
        EXPECT_EQ(sqliteRows(store.path), kRows);
    }
}

INSTANTIATE_TEST_SUITE_P(Saves, LockedStore, testing::Values(HeldLock{400, true}, HeldLock{kSaveBusyTimeoutMs + 1500, false}),
                         [](const auto &info) { return info.param.saved ? "short_lock" : "long_lock"; });

TEST(ApplyChanges, AFileThatMayNotBeWrittenIsReadOnly)
{
    Store store;
    const QList<StoredLesson> read = store.read;
    // The child reaches the file through its folder; the file itself stays root's.
    QFile::setPermissions(store.folder.path(QString()), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                            | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                            | QFileDevice::ExeOther);
    const std::string failure = TestSupport::runUnprivileged([&] {
        const SaveOutcome saved = applyChanges(store.path, {{Kind::Delete, read[0], {}}});
        return saved.failure == Failure::ReadOnly ? std::string() : "not read only: " + show(saved.error);
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(sqliteRows(store.path), kRows);
}

// A disk that takes no more: the file may not grow in a child, and the save fails whole.
TEST(ApplyChanges, AWriteThatFailsLeavesTheStoreWhole)
{
    Store store;
    const QList<RowChange> big = {{Kind::Update, store.read[0], with(store.read[0], 4, 1, QString(400000, QLatin1Char('x')))},
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
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save did not fail as a write that failed";
    EXPECT_EQ(sqliteRows(store.path), kRows);
    EXPECT_TRUE(applyChanges(store.path, {{Kind::Insert, {}, {7, 1, QStringLiteral("new"), false}}}).ok());
}

// The pupil program reading while saves go on sees all of a save or none of it.
TEST(ApplyChanges, AReaderSeesTheStoreBeforeOrAfterASave)
{
    Store store;
    const QString start = QStringLiteral("Start\r\n1. &x&");
    ASSERT_TRUE(applyChanges(store.path, {{Kind::Update, store.read[0], with(store.read[0], 4, 1, start)},
                                          {Kind::Update, store.read[1], with(store.read[1], 4, 2, start)}})
                    .ok());
    std::atomic<bool> done = false;
    std::thread saver([&] {
        QList<StoredLesson> rows = sqliteRows(store.path);
        for (int round = 1; round <= 60; ++round) {
            const QString heading = QStringLiteral("Round %1 ").arg(QChar('A' + round % 26));
            QList<RowChange> changes;
            for (int i : {0, 1}) {
                const StoredLesson next = with(rows[i], 4, i + 1, heading + QStringLiteral("\r\n1. &x&"));
                changes.append({Kind::Update, rows[i], next});
                rows[i] = next;
            }
            if (!applyChanges(store.path, changes).ok())
                rows = sqliteRows(store.path); // a reader held the store a moment too long
        }
        done = true;
    });
    int reads = 0;
    while (!done) {
        const auto listing = Lessons::SqliteLessonStore(store.path).lessons(4);
        ASSERT_TRUE(listing.ok()) << show(listing.error);
        ASSERT_EQ(listing.value->size(), 2);
        ASSERT_EQ(listing.value->at(0).heading, listing.value->at(1).heading);
        ++reads;
    }
    saver.join();
    EXPECT_GT(reads, 10);
}

} // namespace
