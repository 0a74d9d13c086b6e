// How long the chooser waits for the store: listing the pattern with the most lessons
// and reading one lesson, from big.mdb (2,000 lessons) and from an SQLite store made
// from it, each beside what the engine cannot do without (a bare query, a bare child).
#include "platform/mdb_query.h"
#include "platform/mdb_store.h"
#include "platform/sqlite_store.h"
#include "platform/sqlite_writer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Timing
{
    double median = 0;
    double fastest = 0;
};

Timing measure(int runs, const std::function<bool()> &once, bool *ok)
{
    std::vector<double> ms;
    once(); // the first run pays for the page cache
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!once())
            *ok = false;
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front()};
}

bool rawSqlite(const QByteArray &path, const char *sql, int expectedRows)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return false;
    sqlite3_stmt *stmt = nullptr;
    int rows = 0;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            sqlite3_column_text(stmt, sqlite3_column_count(stmt) - 1);
            ++rows;
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows == expectedRows;
}

// What every Access call pays before libmdb opens the file: a child and a pipe.
bool bareChild()
{
    int ends[2];
    if (pipe(ends) != 0)
        return false;
    const pid_t child = fork();
    if (child == 0) {
        const char done = '.';
        (void)!write(ends[1], &done, 1);
        _exit(0);
    }
    ::close(ends[1]);
    char got = 0;
    const bool read1 = ::read(ends[0], &got, 1) == 1;
    ::close(ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return child > 0 && read1 && got == '.';
}

struct Row
{
    const char *engine;
    const char *what;
    Timing timing;
    double target; ///< 0 for a baseline
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 31;
    QTemporaryDir folder;
    const QString mdb = folder.filePath(QStringLiteral("big.mdb"));
    if (!QFile::copy(QStringLiteral(CLOZE_FIXTURES_DIR "/big.mdb"), mdb)) {
        std::fprintf(stderr, "store_bench: cannot copy big.mdb from %s\n", CLOZE_FIXTURES_DIR);
        return 1;
    }
    Lessons::MdbLessonStore access(mdb);
    const auto all = access.allLessons();
    if (!all.ok()) {
        std::fprintf(stderr, "store_bench: %s\n", qPrintable(all.error));
        return 1;
    }

    // The pattern with the most lessons, and a lesson in the middle of it.
    std::map<int, int> counts;
    for (const Lessons::StoredLesson &row : *all.value)
        ++counts[row.pattern];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto &a, const auto &b) { return a.second < b.second; });
    const int pattern = most->first;
    const int lessonCount = most->second;
    const int lesson = (lessonCount + 1) / 2;

    // The SQLite store as the tool imports it, and one whose pattern holds all 99 lessons.
    const QString sqlitePath = folder.filePath(QStringLiteral("big.sqlite"));
    const QString fullPath = folder.filePath(QStringLiteral("full.sqlite"));
    QList<Lessons::StoredLesson> full = *all.value;
    const QString sample = Lessons::lessonTextOf(full, pattern, 1);
    for (int extra = lessonCount + 1; extra <= 99; ++extra)
        full.append({pattern, extra, sample, false});
    using Lessons::SqliteWriter::Existing;
    if (!Lessons::SqliteWriter::createStore(sqlitePath, *all.value, Existing::Refuse).ok()
        || !Lessons::SqliteWriter::createStore(fullPath, full, Existing::Refuse).ok()) {
        std::fprintf(stderr, "store_bench: cannot make the SQLite stores\n");
        return 1;
    }
    Lessons::SqliteLessonStore sqlite(sqlitePath);
    Lessons::SqliteLessonStore sqliteFull(fullPath);
    Lessons::Mdb::QueryOptions here;
    here.containment = Lessons::Mdb::Containment::InProcess;
    Lessons::MdbLessonStore accessHere(mdb, here);

    bool ok = true;
    const QByteArray sqliteFile = QFile::encodeName(sqlitePath);
    const QByteArray listSql = Lessons::patternStatement(pattern);
    const QByteArray readSql = Lessons::lessonStatement(pattern, lesson);
    auto lists = [&](Lessons::LessonStore &store, int expected) {
        return [&store, expected, pattern] {
            const auto listing = store.lessons(pattern);
            return listing.ok() && listing.value->size() == expected;
        };
    };
    auto reads = [&](Lessons::LessonStore &store) {
        return [&store, pattern, lesson] {
            const auto text = store.lessonText(pattern, lesson);
            return text.ok() && !text.value->isEmpty();
        };
    };

    std::vector<Row> rows;
    char listing[64];
    std::snprintf(listing, sizeof listing, "list pattern %d (%d lessons)", pattern, lessonCount);
    char reading[64];
    std::snprintf(reading, sizeof reading, "read lesson %d/%d", pattern, lesson);
    rows.push_back({"access", listing, measure(runs, lists(access, lessonCount), &ok), 20});
    rows.push_back({"access", reading, measure(runs, reads(access), &ok), 5});
    rows.push_back({"  in-process libmdb", listing, measure(runs, lists(accessHere, lessonCount), &ok), 0});
    rows.push_back({"  in-process libmdb", reading, measure(runs, reads(accessHere), &ok), 0});
    rows.push_back({"  bare child process", "fork, pipe, wait", measure(runs, bareChild, &ok), 0});
    rows.push_back({"sqlite", listing, measure(runs, lists(sqlite, lessonCount), &ok), 20});
    rows.push_back({"sqlite", "list pattern with 99 lessons", measure(runs, lists(sqliteFull, 99), &ok), 20});
    rows.push_back({"sqlite", reading, measure(runs, reads(sqlite), &ok), 5});
    rows.push_back({"  raw sqlite3", listing,
                    measure(runs, [&] { return rawSqlite(sqliteFile, listSql.constData(), lessonCount); }, &ok), 0});
    rows.push_back({"  raw sqlite3", reading,
                    measure(runs, [&] { return rawSqlite(sqliteFile, readSql.constData(), 1); }, &ok), 0});

    std::printf("%d runs each, after one warm-up; times in ms\n", runs);
    std::printf("%-22s %-32s %8s %8s  %s\n", "engine", "operation", "median", "fastest", "target");
    bool met = true;
    for (const Row &row : rows) {
        char verdict[32] = "baseline";
        if (row.target > 0) {
            const bool pass = row.timing.median < row.target;
            met = met && pass;
            std::snprintf(verdict, sizeof verdict, "< %.0f %s", row.target, pass ? "met" : "MISSED");
        }
        std::printf("%-22s %-32s %8.2f %8.2f  %s\n", row.engine, row.what, row.timing.median, row.timing.fastest, verdict);
    }
    if (!ok) {
        std::fprintf(stderr, "store_bench: a read failed or gave the wrong count\n");
        return 1;
    }
    std::printf(met ? "all targets met\n" : "some targets missed\n");
    return 0;
}
