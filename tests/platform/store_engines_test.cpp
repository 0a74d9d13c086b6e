#include "platform/mdb_store.h"
#include "platform/program_store.h"
#include "platform/sqlite_store.h"
#include "platform/sqlite_writer.h"

#include "lessons/cloze_builder.h"
#include "lessons/patterns.h"

#include "store_test_support.h"
#include "unprivileged_child.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <thread>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <vector>

using Lessons::StoredLesson;
using namespace StoreTests;

namespace {

enum class Engine { Access, Sqlite };

std::string engineName(Engine engine)
{
    return engine == Engine::Access ? "access" : "sqlite";
}

std::unique_ptr<Lessons::StoreEngine> engineFor(Engine engine, const QString &path)
{
    if (engine == Engine::Access)
        return std::make_unique<Lessons::MdbLessonStore>(path);
    return std::make_unique<Lessons::SqliteLessonStore>(path);
}

QString storeName(Engine engine)
{
    return engine == Engine::Access ? QStringLiteral("db1.mdb") : QStringLiteral("db1.sqlite");
}

// The fixture in each engine's own file: the Access file itself, or its expected rows
// written by the store writer the tool uses.
QString fixtureStore(StoreFolder &folder, Engine engine)
{
    if (engine == Engine::Access)
        return folder.copyFixture(QStringLiteral("db1.mdb"), storeName(engine));
    const QString path = folder.path(storeName(engine));
    const auto made = Lessons::SqliteWriter::createStore(path, expectedRows(), Lessons::SqliteWriter::Existing::Refuse);
    EXPECT_TRUE(made.ok()) << show(made.error);
    return path;
}

// Access hands a null text back as an empty one; SQLite keeps nulls apart.
StoredLesson asRead(Engine engine, StoredLesson row)
{
    if (engine == Engine::Access && row.isNull)
        row.isNull = false;
    return row;
}

class FixtureStore : public testing::TestWithParam<Engine>
{
protected:
    StoreFolder folder;
    QString path = fixtureStore(folder, GetParam());
    std::unique_ptr<Lessons::StoreEngine> store = engineFor(GetParam(), path);
};

TEST_P(FixtureStore, EveryRowInTableOrder)
{
    const auto rows = store->allLessons();
    ASSERT_TRUE(rows.ok()) << show(rows.error);
    const QList<StoredLesson> expected = expectedRows();
    ASSERT_EQ(rows.value->size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const StoredLesson want = asRead(GetParam(), expected.at(i));
        const StoredLesson &got = rows.value->at(i);
        EXPECT_EQ(got.pattern, want.pattern) << "row " << i;
        EXPECT_EQ(got.lesson, want.lesson) << "row " << i;
        EXPECT_EQ(got.cloze.toUtf8(), want.cloze.toUtf8()) << "row " << i;
        EXPECT_EQ(got.isNull, want.isNull) << "row " << i;
    }
}

TEST_P(FixtureStore, EveryTextReadsBackExactly)
{
    for (const StoredLesson &row : expectedRows()) {
        const auto text = store->lessonText(row.pattern, row.lesson);
        ASSERT_TRUE(text.ok()) << show(text.error);
        EXPECT_EQ(text.value->toUtf8(), row.cloze.toUtf8()) << "pattern " << row.pattern << " lesson " << row.lesson;
    }
}

TEST_P(FixtureStore, LongTextKeepsItsLinesAndGaps)
{
    const auto text = store->lessonText(21, 1);
    ASSERT_TRUE(text.ok()) << show(text.error);
    EXPECT_GT(text.value->toUtf8().size(), 16 * 1024);
    EXPECT_EQ(text.value->count(QStringLiteral("\r\n")), 99);
    EXPECT_EQ(text.value->count(QLatin1Char('&')), 100);
}

TEST_P(FixtureStore, MissingLessonReadsAsEmpty)
{
    for (const auto &[pattern, lesson] : std::vector<std::pair<int, int>>{{17, 3}, {1, 99}, {7, 1}, {0, 0}}) {
        const auto text = store->lessonText(pattern, lesson);
        ASSERT_TRUE(text.ok()) << show(text.error);
        EXPECT_TRUE(text.value->isEmpty());
    }
}

// Part of the old search: count the pattern's rows, then read lesson after lesson,
// listing each non-empty one, until as many are listed as there are rows. It stops
// only when the numbering is whole; the bound stands for "never".
std::optional<QList<Lessons::LessonInfo>> oldSearch(Lessons::StoreEngine &store, int pattern)
{
    const auto rows = store.allLessons();
    const qsizetype count = std::count_if(rows.value->cbegin(), rows.value->cend(),
                                          [&](const StoredLesson &row) { return row.pattern == pattern; });
    QList<Lessons::LessonInfo> listed;
    for (int lesson = 1; listed.size() < count; ++lesson) {
        if (lesson > 200)
            return std::nullopt;
        const QString text = *store.lessonText(pattern, lesson).value;
        if (!text.isEmpty())
            listed.append({lesson, Cloze::heading(text)});
    }
    return listed;
}

TEST_P(FixtureStore, ListingMatchesTheOldSearchWhereverItEnds)
{
    int compared = 0;
    for (int pattern : Patterns::namedPatternNumbers()) {
        const auto old = oldSearch(*store, pattern);
        const auto listing = store->lessons(pattern);
        ASSERT_TRUE(listing.ok()) << show(listing.error);
        if (!old) {
            EXPECT_EQ(pattern, 18) << "only a pattern with an empty or null text sends it past the end";
            continue;
        }
        ++compared;
        ASSERT_EQ(listing.value->size(), old->size()) << "pattern " << pattern;
        for (qsizetype i = 0; i < old->size(); ++i) {
            EXPECT_EQ(listing.value->at(i).lesson, old->at(i).lesson);
            EXPECT_EQ(listing.value->at(i).heading, old->at(i).heading);
        }
    }
    EXPECT_EQ(compared, 23);
}

INSTANTIATE_TEST_SUITE_P(Engines, FixtureStore, testing::Values(Engine::Access, Engine::Sqlite),
                         [](const auto &info) { return engineName(info.param); });

struct ListingCase
{
    const char *name;
    int pattern;
    std::vector<int> lessons;
    int headingOf;       ///< a listed lesson whose heading is checked
    const char *heading; ///< its heading
};

class FixtureListing : public testing::TestWithParam<std::tuple<Engine, ListingCase>> {};

TEST_P(FixtureListing, ListsLessonsWithHeadings)
{
    const auto &[engine, c] = GetParam();
    StoreFolder folder;
    const auto store = engineFor(engine, fixtureStore(folder, engine));
    const auto listing = store->lessons(c.pattern);
    ASSERT_TRUE(listing.ok()) << show(listing.error);
    std::vector<int> lessons;
    for (const Lessons::LessonInfo &info : *listing.value) {
        lessons.push_back(info.lesson);
        if (info.lesson == c.headingOf) {
            EXPECT_EQ(info.heading.toUtf8(), QByteArray(c.heading));
        }
    }
    EXPECT_EQ(lessons, c.lessons);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FixtureListing,
    testing::Combine(
        testing::Values(Engine::Access, Engine::Sqlite),
        testing::Values(ListingCase{"three_lessons", 1, {1, 2, 3}, 2, "Write the opposite\r\n"},
                        ListingCase{"hebrew_heading", 2, {1, 2}, 1,
                                    "\u05d4\u05e9\u05dc\u05d9\u05de\u05d5 \u05d0\u05ea \u05d4\u05de\u05d9\u05dc\u05d9\u05dd "
                                    "\u05d4\u05d7\u05e1\u05e8\u05d5\u05ea\r\n"},
                        ListingCase{"heading_of_three_lines", 2, {1, 2}, 2, "Short forms\r\n\r\nRead and write\r\n"},
                        ListingCase{"hole_in_numbering", 17, {1, 2, 4}, 4, "At the park\r\n"},
                        ListingCase{"null_and_empty_texts_left_out", 18, {2}, 2, "Not now\r\n"},
                        ListingCase{"table_order_3_1_2", 24, {1, 2, 3}, 3, "Every day\r\n"},
                        ListingCase{"long_text", 21, {1}, 1, "Read the story and fill in the gaps\r\n"},
                        ListingCase{"lesson_without_gaps", 6, {1}, 1, "No gaps here\r\n"},
                        ListingCase{"pattern_without_name", 8, {1}, 1, "Hidden\r\n"},
                        ListingCase{"pattern_without_rows", 13, {}, 0, ""},
                        ListingCase{"pattern_zero", 0, {}, 0, ""})),
    [](const auto &info) { return engineName(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name; });

// --- files that cannot serve as a store -------------------------------------------

using Maker = std::function<QString(StoreFolder &, Engine)>;

struct BrokenCase
{
    const char *name;
    Maker make;
};

QString cutFixture(StoreFolder &folder, Engine engine, qsizetype size)
{
    const QByteArray whole = readFile(fixtureStore(folder, engine));
    return folder.write(QStringLiteral("cut-") + storeName(engine), whole.left(size));
}

class BrokenStore : public testing::TestWithParam<std::tuple<Engine, BrokenCase>> {};

TEST_P(BrokenStore, EveryCallFailsWithAReason)
{
    const auto &[engine, c] = GetParam();
    StoreFolder folder;
    const QString path = c.make(folder, engine);
    const auto store = engineFor(engine, path);
    QElapsedTimer clock;
    clock.start();
    const auto listing = store->lessons(1);
    const auto text = store->lessonText(1, 1);
    const auto rows = store->allLessons();
    EXPECT_FALSE(listing.ok());
    EXPECT_FALSE(text.ok());
    EXPECT_FALSE(rows.ok());
    for (const QString &error : {listing.error, text.error, rows.error})
        EXPECT_TRUE(error.startsWith(path)) << show(error);
    EXPECT_LT(clock.elapsed(), 20000);
}

// What the pupil meets: the same file as the store beside the program fails every
// click, so the chooser shows its failure message.
TEST_P(BrokenStore, AsTheProgramsStoreEveryClickFails)
{
    const auto &[engine, c] = GetParam();
    StoreFolder folder;
    const QString made = c.make(folder, engine);
    StoreFolder program;
    ASSERT_TRUE(QFile::rename(made, program.path(storeName(engine))) || !QFileInfo::exists(made));
    const auto store = Lessons::programLessonStore(program.path(QString()));
    const QString placed = program.path(storeName(engine));
    EXPECT_EQ(store->filePath(), QFileInfo::exists(placed) ? placed : program.path(QStringLiteral("db1.sqlite")));
    EXPECT_FALSE(store->lessons(1).ok());
    EXPECT_FALSE(store->lessonText(1, 1).ok());
}

const std::vector<BrokenCase> kBrokenForBoth = {
    {"missing_file", [](StoreFolder &f, Engine e) { return f.path(storeName(e)); }},
    {"zero_length", [](StoreFolder &f, Engine e) { return f.write(storeName(e), QByteArray()); }},
    {"random_bytes", [](StoreFolder &f, Engine e) { return f.write(storeName(e), noise(64 * 1024, 7)); }},
    {"random_whole_pages", [](StoreFolder &f, Engine e) { return f.write(storeName(e), noise(40 * 4096, 11)); }},
    {"text_file", [](StoreFolder &f, Engine e) { return f.write(storeName(e), "pattern;lesson;cloze\n1;1;x\n"); }},
    {"cut_to_one_page", [](StoreFolder &f, Engine e) { return cutFixture(f, e, 4096); }},
    {"cut_mid_page", [](StoreFolder &f, Engine e) { return cutFixture(f, e, 10000); }},
    {"folder_in_its_place",
     [](StoreFolder &f, Engine e) {
         QDir().mkpath(f.path(storeName(e)));
         return f.path(storeName(e));
     }},
    {"pipe_in_its_place",
     [](StoreFolder &f, Engine e) {
         mkfifo(QFile::encodeName(f.path(storeName(e))).constData(), 0600);
         return f.path(storeName(e));
     }},
    {"the_other_engines_file",
     [](StoreFolder &f, Engine e) {
         if (e == Engine::Access)
             return f.sqlite(QStringLiteral("db1.mdb"), "CREATE TABLE closes (pattern, lesson, cloze);");
         return f.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.sqlite"));
     }},
};

INSTANTIATE_TEST_SUITE_P(Files, BrokenStore,
                         testing::Combine(testing::Values(Engine::Access, Engine::Sqlite),
                                          testing::ValuesIn(kBrokenForBoth)),
                         [](const auto &info) {
                             return engineName(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name;
                         });

const std::vector<BrokenCase> kBrokenAccess = {
    {"saved_by_access_without_closes",
     [](StoreFolder &f, Engine) { return f.copyFixture(QStringLiteral("other-tables.mdb"), QStringLiteral("db1.mdb")); }},
    {"cut_before_the_long_text", [](StoreFolder &f, Engine e) { return cutFixture(f, e, 40 * 4096); }},
    // Whole pages, nothing said on stderr, and every row of closes gone.
    {"cut_where_the_rows_vanish", [](StoreFolder &f, Engine e) { return cutFixture(f, e, 25 * 4096); }},
    {"access_header_then_noise",
     [](StoreFolder &f, Engine e) {
         QByteArray bytes = noise(48 * 4096, 13);
         bytes.replace(0, 4096, readFile(fixturePath(QStringLiteral("db1.mdb"))).left(4096));
         return f.write(storeName(e), bytes);
     }},
    {"catalogue_page_overwritten",
     [](StoreFolder &f, Engine e) {
         QByteArray bytes = readFile(fixturePath(QStringLiteral("db1.mdb")));
         bytes.replace(2 * 4096, 4096, noise(4096, 17));
         return f.write(storeName(e), bytes);
     }},
};

INSTANTIATE_TEST_SUITE_P(AccessFiles, BrokenStore,
                         testing::Combine(testing::Values(Engine::Access), testing::ValuesIn(kBrokenAccess)),
                         [](const auto &info) { return std::get<1>(info.param).name; });

const std::vector<BrokenCase> kBrokenSqlite = {
    {"no_table_closes", [](StoreFolder &f, Engine) { return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE pupils (name TEXT);"); }},
    {"no_column_lesson",
     [](StoreFolder &f, Engine) {
         return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE closes (pattern INTEGER, cloze TEXT);"
                                                       "INSERT INTO closes VALUES (1, 'A\r\n1. &x&');");
     }},
    {"lesson_not_a_number",
     [](StoreFolder &f, Engine) {
         return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE closes (pattern, lesson, cloze);"
                                                       "INSERT INTO closes VALUES (1, 'first', 'A\r\n1. &x&');");
     }},
    {"lesson_a_fraction",
     [](StoreFolder &f, Engine) {
         return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE closes (pattern, lesson, cloze);"
                                                       "INSERT INTO closes VALUES (1, 1.5, 'A\r\n1. &x&');");
     }},
    {"cloze_a_blob",
     [](StoreFolder &f, Engine) {
         return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE closes (pattern, lesson, cloze);"
                                                       "INSERT INTO closes VALUES (1, 1, x'41310d0a');");
     }},
    {"pattern_a_blob",
     [](StoreFolder &f, Engine) {
         return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE closes (pattern, lesson, cloze);"
                                                       "INSERT INTO closes VALUES (x'01', 1, 'A\r\n1. &x&');");
     }},
    {"zero_length_is_an_empty_database", [](StoreFolder &f, Engine) { return f.write(QStringLiteral("db1.sqlite"), {}); }},
    {"cloze_a_number",
     [](StoreFolder &f, Engine) {
         return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE closes (pattern, lesson, cloze);"
                                                       "INSERT INTO closes VALUES (1, 1, 12);");
     }},
};

INSTANTIATE_TEST_SUITE_P(SqliteFiles, BrokenStore,
                         testing::Combine(testing::Values(Engine::Sqlite), testing::ValuesIn(kBrokenSqlite)),
                         [](const auto &info) { return std::get<1>(info.param).name; });

// Any cut at a page boundary is either noticed or loses nothing; a store never gives
// a part of its lessons as if they were all.
TEST(CutStore, EveryPageCutIsRefusedOrHarmless)
{
    for (Engine engine : {Engine::Access, Engine::Sqlite}) {
        StoreFolder folder;
        const QByteArray whole = readFile(fixtureStore(folder, engine));
        const int page = engine == Engine::Access ? 4096 : 4096;
        int refused = 0;
        for (qsizetype size = page; size < whole.size(); size += page) {
            const QString path = folder.write(QStringLiteral("cut-%1-").arg(size) + storeName(engine), whole.left(size));
            const auto rows = engineFor(engine, path)->allLessons();
            if (!rows.ok()) {
                ++refused;
                continue;
            }
            ASSERT_EQ(rows.value->size(), expectedRows().size()) << engineName(engine) << " cut at " << size;
            for (qsizetype i = 0; i < rows.value->size(); ++i)
                EXPECT_EQ(rows.value->at(i), asRead(engine, expectedRows().at(i)))
                    << engineName(engine) << " cut at " << size << " row " << i;
        }
        EXPECT_GT(refused, 0) << engineName(engine);
    }
}

class UnreadableStore : public testing::TestWithParam<Engine> {};

// Root reads any file, so the store is opened by a child that is not root.
TEST_P(UnreadableStore, FailsWithoutTouchingIt)
{
    StoreFolder folder;
    const QString path = fixtureStore(folder, GetParam());
    const QByteArray before = readFile(path);
    ASSERT_EQ(chmod(QFile::encodeName(folder.path(QString())).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0), 0);
    const std::string failure = TestSupport::runUnprivileged([&]() -> std::string {
        if (!QFileInfo::exists(path))
            return "the child cannot reach " + show(path) + "; every folder above it must be searchable";
        if (QFile(path).open(QIODevice::ReadOnly))
            return "the child can read the file, so nothing is tested";
        const auto store = Lessons::programLessonStore(folder.path(QString()));
        if (store->filePath() != path)
            return "the program store reads " + show(store->filePath());
        const auto listing = store->lessons(1);
        const auto text = store->lessonText(1, 1);
        if (listing.ok() || text.ok())
            return "an unreadable store was read";
        for (const QString &error : {listing.error, text.error}) {
            if (!error.contains(path + QStringLiteral(": not readable")))
                return "the reason does not say the file is not readable: " + show(error);
        }
        return std::string();
    });
    EXPECT_EQ(failure, "");
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_EQ(readFile(path), before);
}

INSTANTIATE_TEST_SUITE_P(Engines, UnreadableStore, testing::Values(Engine::Access, Engine::Sqlite),
                         [](const auto &info) { return engineName(info.param); });

TEST(LockedStore, SqliteGivesUpInsteadOfWaiting)
{
    StoreFolder folder;
    const QString path = fixtureStore(folder, Engine::Sqlite);
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    QElapsedTimer clock;
    clock.start();
    const auto listing = Lessons::SqliteLessonStore(path).lessons(1);
    EXPECT_FALSE(listing.ok());
    EXPECT_TRUE(listing.error.contains(QStringLiteral("locked"))) << show(listing.error);
    EXPECT_LT(clock.elapsed(), 5000);
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(Lessons::SqliteLessonStore(path).lessons(1).ok());
}

// The pupil program opening a lesson while a teacher's save commits waits for it.
TEST(LockedStore, SqliteWaitsForAShortWrite)
{
    StoreFolder folder;
    const QString path = fixtureStore(folder, Engine::Sqlite);
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    });
    QElapsedTimer clock;
    clock.start();
    const auto listing = Lessons::SqliteLessonStore(path).lessons(1);
    const auto text = Lessons::SqliteLessonStore(path).lessonText(1, 1);
    const qint64 waited = clock.elapsed();
    release.join();
    sqlite3_close(holder);
    EXPECT_TRUE(listing.ok()) << show(listing.error);
    EXPECT_TRUE(text.ok()) << show(text.error);
    EXPECT_GE(waited, 250);
}

// --- Access number columns a hair off a whole number ------------------------------

template <typename Number>
QByteArray bytesOf(Number value)
{
    return QByteArray(reinterpret_cast<const char *>(&value), sizeof value); // the files are little endian, as is x86
}

// A small positive Decimal as Jet keeps it: a sign byte, then the mantissa in four
// little-endian words, the most significant first.
QByteArray decimalBytes(quint32 mantissa)
{
    return QByteArray(13, '\0') + bytesOf(mantissa);
}

struct OffWholeCase
{
    const char *name;
    const char *fixture;
    QByteArray from; ///< every occurrence in the file is replaced
    QByteArray to;
    int occurrences;
    std::vector<int> listed;          ///< lessons of pattern 24 afterwards
    std::vector<int> unmatchedRows;   ///< table rows no whole number selects afterwards
    const char *shown;                ///< how the changed value reads
};

void PrintTo(const OffWholeCase &c, std::ostream *out)
{
    *out << c.name;
}

class OffWholeNumber : public testing::TestWithParam<OffWholeCase> {};

TEST_P(OffWholeNumber, IsNeverTakenForTheWholeNumber)
{
    const OffWholeCase &c = GetParam();
    StoreFolder folder;
    QByteArray bytes = readFile(fixturePath(QString::fromUtf8(c.fixture)));
    ASSERT_EQ(bytes.count(c.from), c.occurrences) << "the fixture changed; find the values anew";
    bytes.replace(c.from, c.to);
    Lessons::MdbLessonStore store(folder.write(QStringLiteral("db1.mdb"), bytes));

    const auto listing = store.lessons(24);
    ASSERT_TRUE(listing.ok()) << show(listing.error);
    std::vector<int> listed;
    for (const Lessons::LessonInfo &info : *listing.value)
        listed.push_back(info.lesson);
    EXPECT_EQ(listed, c.listed);
    const auto table = store.table();
    ASSERT_TRUE(table.ok()) << show(table.error);
    std::vector<int> unmatched;
    for (const Lessons::UnmatchedRow &row : table.value->unmatched) {
        unmatched.push_back(row.row);
        if (row.row == c.unmatchedRows.front()) {
            EXPECT_TRUE(row.pattern == c.shown || row.lesson == c.shown) << row.pattern.constData() << " " << row.lesson.constData();
        }
    }
    EXPECT_EQ(unmatched, c.unmatchedRows);
    // The other patterns read as before.
    const auto text = store.lessonText(33, 1);
    ASSERT_TRUE(text.ok()) << show(text.error);
    EXPECT_TRUE(text.value->startsWith(QStringLiteral("Going to\r\n")));
}

INSTANTIATE_TEST_SUITE_P(
    Values, OffWholeNumber,
    testing::Values(
        // libmdb itself prints this Double as "24".
        OffWholeCase{"double_one_step_above", "numbers-double-byte.mdb", bytesOf(24.0), bytesOf(24.000000000000004), 3,
                     {}, {1, 2, 4, 5}, "24.000000000000004"},
        OffWholeCase{"single_one_step_above", "numbers-single-decimal.mdb", bytesOf(24.0f), bytesOf(24.000002f), 3,
                     {}, {1, 2, 4, 5, 6}, "24.000002"},
        OffWholeCase{"currency_in_the_last_place", "numbers-currency-integer.mdb", bytesOf(qint64(240000)),
                     bytesOf(qint64(240001)), 3, {}, {1, 2, 4}, "24.0001"},
        OffWholeCase{"decimal_in_the_last_place", "numbers-single-decimal.mdb", decimalBytes(200), decimalBytes(201), 1,
                     {1, 3}, {1, 5, 6}, "2.01"}),
    [](const auto &info) { return std::string(info.param.name); });

// The column descriptors of closes in numbers-double-byte.mdb: 25 bytes each, the type
// first, ID (Long), pattern (Double), lesson (Byte), cloze (Memo) in a row.
qsizetype columnDescriptors(const QByteArray &bytes)
{
    qsizetype found = -1;
    for (qsizetype i = 0; i + 80 < bytes.size(); ++i) {
        if (bytes.at(i) == 0x04 && bytes.at(i + 25) == 0x07 && bytes.at(i + 50) == 0x02 && bytes.at(i + 75) == 0x0c
            && bytes.at(i + 30) == 0x01 && bytes.at(i + 55) == 0x02) {
            if (found >= 0)
                return -1;
            found = i;
        }
    }
    return found;
}

struct ColumnTypeCase
{
    const char *name;
    int column; ///< 1 pattern, 2 lesson
    char type;
    const char *error;
};

class ColumnType : public testing::TestWithParam<ColumnTypeCase> {};

TEST_P(ColumnType, OtherThanANumberIsRefused)
{
    StoreFolder folder;
    QByteArray bytes = readFile(fixturePath(QStringLiteral("numbers-double-byte.mdb")));
    const qsizetype descriptors = columnDescriptors(bytes);
    ASSERT_GE(descriptors, 0) << "the fixture changed; find the column descriptors anew";
    bytes[descriptors + 25 * GetParam().column] = GetParam().type;
    const QString path = folder.write(QStringLiteral("db1.mdb"), bytes);
    for (const auto &outcome : {Lessons::MdbLessonStore(path).lessons(24).error, Lessons::MdbLessonStore(path).table().error})
        EXPECT_EQ(show(outcome), show(path + QStringLiteral(": ") + QString::fromUtf8(GetParam().error)));
}

INSTANTIATE_TEST_SUITE_P(
    Types, ColumnType,
    testing::Values(ColumnTypeCase{"pattern_text", 1, 0x0a, "column pattern of closes is not a whole number"},
                    ColumnTypeCase{"pattern_date", 1, 0x08, "column pattern of closes is not a whole number"},
                    ColumnTypeCase{"pattern_yes_no", 1, 0x01, "column pattern of closes is not a whole number"},
                    ColumnTypeCase{"lesson_text", 2, 0x0a, "column lesson of closes is not a whole number"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- stores a teacher makes --------------------------------------------------------

struct MadeCase
{
    const char *name;
    QList<StoredLesson> rows;
    int pattern;
    std::vector<int> listed;
};

QString tenKilobyteLesson()
{
    QString text = QStringLiteral("A long practice\r\n");
    for (int line = 1; text.toUtf8().size() < 10 * 1024; ++line)
        text += QStringLiteral("%1. Every morning my brother &walks& to the old school near the river.\r\n").arg(line);
    return text + QStringLiteral("The end.");
}

class MadeStore : public testing::TestWithParam<MadeCase> {};

TEST_P(MadeStore, ReadsBackWhatWasWritten)
{
    StoreFolder folder;
    const QString path = folder.path(QStringLiteral("made.sqlite"));
    ASSERT_TRUE(Lessons::SqliteWriter::createStore(path, GetParam().rows, Lessons::SqliteWriter::Existing::Refuse).ok());
    Lessons::SqliteLessonStore store(path);
    const auto rows = store.allLessons();
    ASSERT_TRUE(rows.ok()) << show(rows.error);
    EXPECT_EQ(*rows.value, GetParam().rows);
    const auto listing = store.lessons(GetParam().pattern);
    ASSERT_TRUE(listing.ok());
    std::vector<int> listed;
    for (const auto &info : *listing.value) {
        listed.push_back(info.lesson);
        const QString text = *store.lessonText(GetParam().pattern, info.lesson).value;
        EXPECT_EQ(info.heading, Cloze::heading(text));
        EXPECT_EQ(text, Lessons::lessonTextOf(GetParam().rows, GetParam().pattern, info.lesson));
    }
    EXPECT_EQ(listed, GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MadeStore,
    testing::Values(
        MadeCase{"ten_kilobyte_text", {{24, 1, tenKilobyteLesson(), false}}, 24, {1}},
        MadeCase{"hebrew_headings",
                 {{2, 1, QString::fromUtf8("\u05de\u05dc\u05d0\u05d5 \u05d0\u05ea \u05d4\u05d7\u05e1\u05e8\r\n1. I &am&."), false},
                  {2, 2, QString::fromUtf8("\u05db\u05ea\u05d1\u05d5\r\n\u05d1\u05d0\u05e0\u05d2\u05dc\u05d9\u05ea\r\n1. &It's& hot."), false}},
                 2,
                 {1, 2}},
        MadeCase{"hole_in_numbering", {{17, 1, "A\r\n1. &a&", false}, {17, 3, "C\r\n1. &c&", false}}, 17, {1, 3}},
        MadeCase{"null_and_empty",
                 {{18, 1, QString(), true}, {18, 2, "B\r\n1. &b&", false}, {18, 3, QString(), false}},
                 18,
                 {2}},
        MadeCase{"numbers_above_99", {{5, 99, "N\r\n1. &n&", false}, {5, 100, "H\r\n1. &h&", false}}, 5, {99}},
        MadeCase{"one_megabyte_text",
                 {{24, 1, QStringLiteral("Huge\r\n1. &a& ") + QString(1024 * 1024, QLatin1Char('x')), false},
                  {24, 2, QStringLiteral("Small\r\n1. &b&"), false}},
                 24,
                 {1, 2}},
        MadeCase{"empty_store", {}, 1, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MadeStore, NumbersKeptAsTextStillRead)
{
    StoreFolder folder;
    const QString path = folder.sqlite(QStringLiteral("db1.sqlite"),
                                       "CREATE TABLE closes (pattern TEXT, lesson TEXT, cloze TEXT, remark TEXT);"
                                       "INSERT INTO closes VALUES ('3', '2', 'Two\r\n1. &b&', NULL);"
                                       "INSERT INTO closes VALUES ('3', ' 1', 'One\r\n1. &a&', 'first');");
    const auto listing = Lessons::SqliteLessonStore(path).lessons(3);
    ASSERT_TRUE(listing.ok()) << show(listing.error);
    ASSERT_EQ(listing.value->size(), 2);
    EXPECT_EQ(listing.value->at(0).lesson, 1);
    EXPECT_EQ(listing.value->at(1).heading, QStringLiteral("Two\r\n"));
    // A listed lesson opens, though " 1" as text never equals 1 in a statement.
    const auto text = Lessons::SqliteLessonStore(path).lessonText(3, 1);
    ASSERT_TRUE(text.ok()) << show(text.error);
    EXPECT_EQ(*text.value, QStringLiteral("One\r\n1. &a&"));
}

} // namespace
