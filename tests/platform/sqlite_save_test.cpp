// Saves of many changes in one transaction, as the lesson editor makes them.
#include "platform/sqlite_store.h"
#include "platform/sqlite_writer.h"

#include "store_test_support.h"

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

    explicit Store(const char *meanwhile = "")
    {
        EXPECT_TRUE(createStore(path, kRows, Existing::Refuse).ok());
        read = sqliteRows(path);
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &db);
        EXPECT_EQ(sqlite3_exec(db, meanwhile, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
};

RowChange update(const StoredLesson &row, const QString &text)
{
    StoredLesson after = row;
    after.cloze = text;
    after.isNull = false;
    return {Kind::Update, row, after};
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
    [](const auto &info) { return std::string(info.param.name); });

// Another program's write lock: a short one is waited for, a long one refuses the save.
class SaveIntoALockedStore : public testing::TestWithParam<int> {};

TEST_P(SaveIntoALockedStore, WaitsBrieflyThenSaysLocked)
{
    const int holdMs = GetParam();
    Store store;
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(store.path).constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE; UPDATE closes SET cloze = 'held';", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([holder, holdMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
        sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    });
    QElapsedTimer clock;
    clock.start();
    const SaveOutcome saved = applyChanges(store.path, {update(store.read[1], QStringLiteral("mine"))});
    const qint64 waited = clock.elapsed();
    release.join();
    sqlite3_close(holder);
    const bool shortLock = holdMs < kSaveBusyTimeoutMs;
    EXPECT_EQ(saved.failure, shortLock ? Failure::None : Failure::Locked) << show(saved.error);
    EXPECT_GE(waited, std::min(holdMs, kSaveBusyTimeoutMs) - 100);
    EXPECT_EQ(sqliteRows(store.path)[1].cloze, shortLock ? QStringLiteral("mine") : kRows[1].cloze);
}

INSTANTIATE_TEST_SUITE_P(Saves, SaveIntoALockedStore, testing::Values(400, kSaveBusyTimeoutMs + 1500),
                         [](const auto &info) { return info.param < kSaveBusyTimeoutMs ? "short_lock" : "long_lock"; });

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
    // Saves go on until the reader has read a number of times, however busy the machine.
    constexpr int kReads = 20;
    std::atomic<int> reads = 0;
    std::atomic<int> saves = 0;
    std::thread saver([&] {
        QList<StoredLesson> rows = sqliteRows(store.path);
        for (int round = 1; reads < kReads && round <= 100000; ++round) {
            const QString text = QStringLiteral("Round %1\r\n1. &x&").arg(QChar('A' + round % 26));
            if (applyChanges(store.path, {update(rows[0], text), update(rows[1], text)}).ok()) {
                rows[0].cloze = rows[1].cloze = text;
                ++saves;
            } else {
                rows = sqliteRows(store.path); // a reader held the store a moment too long
            }
        }
    });
    while (reads < kReads) {
        const auto listing = Lessons::SqliteLessonStore(store.path).lessons(4);
        ASSERT_TRUE(listing.ok()) << show(listing.error);
        ASSERT_EQ(listing.value->size(), 2);
        ASSERT_EQ(listing.value->at(0).heading, listing.value->at(1).heading);
        ++reads;
    }
    saver.join();
    EXPECT_GT(saves, 1);
}

} // namespace
