#include "platform/mdb_store.h"
#include "platform/program_store.h"
#include "platform/sqlite_writer.h"

#include "store_test_support.h"
#include "unprivileged_child.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

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

QString storeName(Engine engine)
{
    return engine == Engine::Access ? QStringLiteral("db1.mdb") : QStringLiteral("db1.sqlite");
}

// The fixture in each engine's own file: the Access file itself, or its rows written
// by the store writer the tool uses. The engine follows from the file name.
QString fixtureStore(StoreFolder &folder, Engine engine)
{
    if (engine == Engine::Access)
        return folder.copyFixture(QStringLiteral("db1.mdb"), storeName(engine));
    const QString path = folder.path(storeName(engine));
    EXPECT_TRUE(Lessons::SqliteWriter::createStore(path, expectedRows(), Lessons::SqliteWriter::Existing::Refuse).ok());
    return path;
}

// Access hands a null text back as an empty one; SQLite keeps nulls apart.
QList<StoredLesson> expectedAsRead(Engine engine)
{
    QList<StoredLesson> rows = expectedRows();
    for (StoredLesson &row : rows)
        row.isNull = row.isNull && engine == Engine::Sqlite;
    return rows;
}

// The lessons listed, or none when the call failed.
std::vector<int> lessonNumbers(const Lessons::StoreOutcome<QList<Lessons::LessonInfo>> &listing)
{
    std::vector<int> numbers;
    for (const Lessons::LessonInfo &info : listing.value.value_or(QList<Lessons::LessonInfo>()))
        numbers.push_back(info.lesson);
    return numbers;
}

class FixtureStore : public testing::TestWithParam<Engine>
{
protected:
    StoreFolder folder;
    QString path = fixtureStore(folder, GetParam());
    std::unique_ptr<Lessons::StoreEngine> store = Lessons::openStoreEngine(path);
};

TEST_P(FixtureStore, EveryRowAndTextReadsBackExactly)
{
    const auto rows = store->allLessons();
    ASSERT_TRUE(rows.ok()) << show(rows.error);
    EXPECT_EQ(*rows.value, expectedAsRead(GetParam()));
    for (const StoredLesson &row : expectedRows())
        EXPECT_EQ(store->lessonText(row.pattern, row.lesson).value, row.cloze) << row.pattern << "/" << row.lesson;
    for (const auto &[pattern, lesson] : std::vector<std::pair<int, int>>{{17, 3}, {1, 99}, {7, 1}, {0, 0}})
        EXPECT_EQ(store->lessonText(pattern, lesson).value, QString());
}

// Any cut at a page boundary is refused by every call, or loses nothing; a store never
// gives a part of its lessons as if they were all.
TEST_P(FixtureStore, EveryPageCutIsRefusedOrHarmless)
{
    const QByteArray whole = readFile(path);
    int refused = 0;
    for (qsizetype size = 4096; size < whole.size(); size += 4096) {
        const QString name = QStringLiteral("cut%1-").arg(size) + storeName(GetParam());
        const auto cut = Lessons::openStoreEngine(folder.write(name, whole.left(size)));
        const auto rows = cut->allLessons();
        EXPECT_EQ(cut->lessons(1).ok(), rows.ok()) << "cut at " << size;
        refused += rows.ok() ? 0 : 1;
        EXPECT_EQ(rows.value.value_or(expectedAsRead(GetParam())), expectedAsRead(GetParam())) << "cut at " << size;
    }
    EXPECT_GT(refused, 0);
}

// Root reads any file, so the store is opened by a child that is not root.
TEST_P(FixtureStore, UnreadableFailsWithoutTouchingIt)
{
    const QByteArray before = readFile(path);
    ASSERT_EQ(chmod(QFile::encodeName(folder.path(QString())).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0), 0);
    EXPECT_EQ(TestSupport::runUnprivileged([&]() -> std::string {
                  if (!QFileInfo::exists(path) || QFile(path).open(QIODevice::ReadOnly))
                      return "the child must see the file and not read it, else nothing is tested";
                  const auto store = Lessons::programLessonStore(folder.path(QString()));
                  for (const QString &error : {store->lessons(1).error, store->lessonText(1, 1).error}) {
                      if (error != path + QStringLiteral(": not readable"))
                          return "not refused as unreadable: " + show(error);
                  }
                  return std::string();
              }),
              "");
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_EQ(readFile(path), before);
}

INSTANTIATE_TEST_SUITE_P(Engines, FixtureStore, testing::Values(Engine::Access, Engine::Sqlite),
                         [](const auto &info) { return engineName(info.param); });

// --- files that cannot serve as a store -------------------------------------------

using Maker = std::function<QString(StoreFolder &, Engine)>;

struct BrokenCase
{
    const char *name;
    Maker make;
    const char *access; ///< part of the reason the Access engine gives; null: not tried
    const char *sqlite;
};

// An Access fixture with some of its bytes changed, as db1.mdb.
Maker edited(const char *fixture, const std::function<void(QByteArray &)> &edit)
{
    return [=](StoreFolder &f, Engine) {
        QByteArray content = readFile(fixturePath(QString::fromUtf8(fixture)));
        edit(content);
        return f.write(QStringLiteral("db1.mdb"), content);
    };
}

// Gives column 1 (pattern) or 2 (lesson) of closes in numbers-double-byte.mdb another
// type. Its column descriptors are 25 bytes each, the type first: ID (Long), pattern
// (Double), lesson (Byte), cloze (Memo) in a row.
Maker retyped(int column, char type)
{
    return edited("numbers-double-byte.mdb", [=](QByteArray &bytes) {
        for (qsizetype i = 0; i + 80 < bytes.size(); ++i) {
            if (bytes.at(i) == 0x04 && bytes.at(i + 25) == 0x07 && bytes.at(i + 50) == 0x02 && bytes.at(i + 75) == 0x0c
                && bytes.at(i + 30) == 0x01 && bytes.at(i + 55) == 0x02)
                bytes[i + 25 * column] = type;
        }
    });
}

Maker closesWith(const char *columns, const char *row)
{
    return [=](StoreFolder &f, Engine) {
        const QByteArray sql = QByteArray("CREATE TABLE closes (") + columns + "); INSERT INTO closes VALUES " + row;
        return f.sqlite(QStringLiteral("db1.sqlite"), sql.constData());
    };
}

class BrokenStore : public testing::TestWithParam<std::tuple<Engine, BrokenCase>> {};

TEST_P(BrokenStore, EveryCallFailsWithAReason)
{
    const auto &[engine, c] = GetParam();
    StoreFolder folder;
    const QString path = c.make(folder, engine);
    const auto store = Lessons::openStoreEngine(path);
    for (const QString &error : {store->lessons(1).error, store->lessonText(1, 1).error, store->allLessons().error}) {
        EXPECT_TRUE(error.startsWith(path + QStringLiteral(": "))) << show(error);
        EXPECT_TRUE(error.contains(QString::fromUtf8(engine == Engine::Access ? c.access : c.sqlite))) << show(error);
    }
}

const std::vector<BrokenCase> kBroken = {
    {"missing_file", [](StoreFolder &f, Engine e) { return f.path(storeName(e)); }, "no such file", "no such file"},
    {"zero_length", [](StoreFolder &f, Engine e) { return f.write(storeName(e), QByteArray()); }, "the file is empty", "no table closes"},
    {"pipe_in_its_place",
     [](StoreFolder &f, Engine e) {
         return mkfifo(QFile::encodeName(f.path(storeName(e))).constData(), 0600) == 0 ? f.path(storeName(e)) : QString();
     },
     "not a regular file", "not a regular file"},
    {"the_other_engines_file",
     [](StoreFolder &f, Engine e) {
         return e == Engine::Access ? f.sqlite(QStringLiteral("db1.mdb"), "CREATE TABLE closes (pattern, lesson, cloze);")
                                    : f.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.sqlite"));
     },
     "not an Access file", "not a database"},
    {"saved_by_access_without_closes",
     [](StoreFolder &f, Engine) { return f.copyFixture(QStringLiteral("other-tables.mdb"), QStringLiteral("db1.mdb")); },
     "no table closes", nullptr},
    {"catalogue_page_overwritten",
     edited("db1.mdb", [](QByteArray &bytes) { bytes.replace(2 * 4096, 4096, QByteArray(4096, 'x')); }), "no table closes", nullptr},
    {"pattern_column_of_text", retyped(1, 0x0a), "column pattern of closes is not a whole number", nullptr},
    {"pattern_column_of_yes_no", retyped(1, 0x01), "column pattern of closes is not a whole number", nullptr},
    {"lesson_column_of_text", retyped(2, 0x0a), "column lesson of closes is not a whole number", nullptr},
    {"no_table_closes",
     [](StoreFolder &f, Engine) { return f.sqlite(QStringLiteral("db1.sqlite"), "CREATE TABLE pupils (name TEXT);"); },
     nullptr, "no table closes"},
    {"no_column_lesson", closesWith("pattern, cloze", "(1, 'A')"), nullptr, "table closes has no column lesson"},
    {"lesson_not_a_number", closesWith("pattern, lesson, cloze", "(1, 'first', 'A')"), nullptr, "not a whole number"},
    {"lesson_a_fraction", closesWith("pattern, lesson, cloze", "(1, 1.5, 'A')"), nullptr, "not a whole number"},
    {"cloze_a_blob", closesWith("pattern, lesson, cloze", "(1, 1, x'41')"), nullptr, "cloze that is not text"},
};

std::vector<std::tuple<Engine, BrokenCase>> brokenStores()
{
    std::vector<std::tuple<Engine, BrokenCase>> all;
    for (const BrokenCase &c : kBroken) {
        if (c.access)
            all.emplace_back(Engine::Access, c);
        if (c.sqlite)
            all.emplace_back(Engine::Sqlite, c);
    }
    return all;
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenStore, testing::ValuesIn(brokenStores()), [](const auto &info) {
    return engineName(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name;
});

// A store a teacher made by hand may keep its numbers as text, and name its columns
// in any case; " 1" as text never equals 1 in a statement, yet the lesson opens.
TEST(HandMadeStore, NumbersKeptAsTextStillRead)
{
    StoreFolder folder;
    const auto store = Lessons::openStoreEngine(closesWith("Pattern TEXT, Lesson TEXT, Cloze TEXT",
                                                           "('3', '2', 'Two\r\n1. &b&'), ('3', ' 1', 'One\r\n1. &a&')")(
        folder, Engine::Sqlite));
    const auto listing = store->lessons(3);
    ASSERT_TRUE(listing.ok()) << show(listing.error);
    EXPECT_EQ(lessonNumbers(listing), (std::vector<int>{1, 2}));
    EXPECT_EQ(store->lessonText(3, 1).value, QStringLiteral("One\r\n1. &a&"));
}

// --- Access numbers a hair off a whole number ---------------------------------------

template <typename Number>
QByteArray bytesOf(Number value)
{
    return QByteArray(reinterpret_cast<const char *>(&value), sizeof value); // the files are little endian, as is x86
}

// A small positive Decimal as Jet keeps it: a sign byte, then the mantissa in four
// little-endian words, the most significant first.
const QByteArray kDecimalHead(13, '\0');

// libmdb itself prints the Double 24.000000000000004 as "24". A value a hair off a whole
// number is never taken for it, and reads as it is.
TEST(AccessNumbers, AHairOffAWholeNumberIsNotIt)
{
    const struct {
        const char *fixture;
        QByteArray from, to; ///< every occurrence in the file is replaced
        std::vector<int> unmatched;
        QByteArray shown;
    } cases[] = {
        {"numbers-double-byte.mdb", bytesOf(24.0), bytesOf(24.000000000000004), {1, 2, 4, 5}, "24.000000000000004"},
        {"numbers-single-decimal.mdb", bytesOf(24.0f), bytesOf(24.000002f), {1, 2, 4, 5, 6}, "24.000002"},
        {"numbers-currency-integer.mdb", bytesOf(qint64(240000)), bytesOf(qint64(240001)), {1, 2, 4}, "24.0001"},
        {"numbers-single-decimal.mdb", kDecimalHead + bytesOf(quint32(200)), kDecimalHead + bytesOf(quint32(201)), {1, 5, 6}, "2.01"},
    };
    for (const auto &c : cases) {
        StoreFolder folder;
        const auto edit = edited(c.fixture, [&](QByteArray &bytes) { bytes.replace(c.from, c.to); });
        const auto table = Lessons::openStoreEngine(edit(folder, Engine::Access))->table();
        ASSERT_TRUE(table.ok()) << show(table.error);
        std::vector<int> rows;
        for (const Lessons::UnmatchedRow &row : table.value->unmatched)
            rows.push_back(row.row);
        EXPECT_EQ(rows, c.unmatched) << c.shown.constData();
        const Lessons::UnmatchedRow &first = table.value->unmatched.constFirst();
        EXPECT_TRUE(first.pattern == c.shown || first.lesson == c.shown) << first.pattern.constData() << " " << first.lesson.constData();
    }
}

// --- the store beside the program ---------------------------------------------------

// "db1.mdb" when it is there, damaged or not, else the embedded store; chosen again at
// every call, so a teacher may drop db1.mdb in while the program runs, or take it away.
TEST(ProgramFolder, ReadsDb1MdbWhenThereElseTheEmbeddedStore)
{
    StoreFolder folder;
    const auto store = Lessons::programLessonStore(folder.path(QString()));
    const auto listed = [&] {
        EXPECT_EQ(Lessons::programStorePath(folder.path(QString())), store->filePath());
        EXPECT_EQ(store->lessonText(1, 1).ok(), store->lessons(1).ok());
        return lessonNumbers(store->lessons(1));
    };
    EXPECT_EQ(listed(), std::vector<int>{});
    EXPECT_TRUE(store->lessons(1).error.startsWith(folder.path(QStringLiteral("db1.sqlite")) + QStringLiteral(": no such file")));
    // An embedded store that can be told apart from the fixture: pattern 1 holds lesson 5 only.
    ASSERT_TRUE(Lessons::SqliteWriter::createStore(folder.path(QStringLiteral("db1.sqlite")), {{1, 5, QStringLiteral("E"), false}},
                                                   Lessons::SqliteWriter::Existing::Refuse)
                    .ok());
    folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("DB1.MDB"));
    EXPECT_EQ(listed(), std::vector<int>{5});
    folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
    EXPECT_EQ(listed(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(store->filePath(), folder.path(QStringLiteral("db1.mdb")));
    folder.write(QStringLiteral("db1.mdb"), QByteArray(4096, 'x'));
    EXPECT_EQ(listed(), std::vector<int>{});
    ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("db1.mdb"))));
    EXPECT_EQ(listed(), std::vector<int>{5});
}

} // namespace
