#include "platform/mdb_query.h"

#include "store_test_support.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using Lessons::Mdb::Rows;
using namespace StoreTests;

namespace {

// The child's answer must read back as sent, and an answer cut off by a dying child
// must never pass for a whole one.
TEST(PipeAnswer, ReadsBackAsSentAndNeverWhenCutOff)
{
    const std::vector<Lessons::StoreOutcome<Rows>> answers = {
        {Rows{{"1", "2", "Heading\r\n1. &a&"}, {QByteArray("\0\xff\r\n", 4), ""}}, QString()},
        {Rows{}, QString()},
        {std::nullopt, QString::fromUtf8("\u05e9\u05d2\u05d9\u05d0\u05d4")}};
    for (const auto &answer : answers) {
        const QByteArray whole = Lessons::Mdb::encodeAnswer(answer);
        const auto decoded = Lessons::Mdb::decodeAnswer(whole);
        EXPECT_TRUE(decoded.value == answer.value && decoded.error == answer.error) << show(decoded.error);
        for (qsizetype size = 0; size < whole.size(); ++size) {
            const auto cut = Lessons::Mdb::decodeAnswer(whole.left(size));
            EXPECT_TRUE(!cut.ok() && cut.error.isEmpty()) << "cut at " << size;
        }
    }
    EXPECT_EQ(Lessons::Mdb::decodeAnswer(Lessons::Mdb::encodeAnswer({std::nullopt, QString()})).error,
              QStringLiteral("the statement failed"));
    EXPECT_FALSE(Lessons::Mdb::decodeAnswer("Xanything").ok());
}

// Every row, the 20 KB text and the null one among them. The text is larger than
// libmdbsql's own bind size; a small first buffer must grow until it holds it whole.
// A statement that cannot be run says why.
TEST(RunQuery, EveryRowComesBackWholeOrAReasonIsGiven)
{
    StoreFolder folder;
    const QString file = folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
    Rows expected;
    for (const Lessons::StoredLesson &row : expectedRows())
        expected.append({QByteArray::number(row.pattern), QByteArray::number(row.lesson), row.cloze.toUtf8()});
    const auto answer = Lessons::Mdb::runQuery(file, "Select * from closes", {"pattern", "lesson", "cloze"},
                                               {Lessons::Mdb::Containment::InProcess, 8000, 1024});
    EXPECT_EQ(answer.value, expected) << show(answer.error);
    EXPECT_EQ(Lessons::Mdb::runQuery(file, "Select * from closes", {"answer"}).error,
              file + QStringLiteral(": table closes has no column answer"));
    EXPECT_TRUE(Lessons::Mdb::runQuery(file, "Select * from lessons", {"cloze"})
                    .error.startsWith(file + QStringLiteral(": the statement could not be run")));
}

TEST(RunQuery, AReaderThatBlocksIsStoppedInTime)
{
    StoreFolder folder;
    const QString fifo = folder.path(QStringLiteral("db1.mdb"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    const auto answer = Lessons::Mdb::runQuery(fifo, "Select * from closes", {"cloze"}, {{}, 300});
    EXPECT_TRUE(answer.error.contains(QStringLiteral("longer than 300 ms"))) << show(answer.error);
    EXPECT_LT(clock.elapsed(), 3000);
}

struct HeaderCase
{
    const char *name;
    QByteArray head;
    qint64 size;
    const char *fault; ///< "" when libmdb may be given the file
};

QByteArray jetHead(char version, const char *magic = "Jet")
{
    QByteArray head("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    head.replace(13, 3, magic).append(version).append(3, '\0');
    return head + QByteArray(4096 - head.size(), '\x5a');
}

class FileHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(FileHeader, TurnsAwayWhatLibmdbMustNotSee)
{
    const QString fault = Lessons::Mdb::headerFault(GetParam().head, GetParam().size);
    EXPECT_EQ(fault.isEmpty(), *GetParam().fault == '\0') << show(fault);
    EXPECT_TRUE(fault.contains(QString::fromUtf8(GetParam().fault))) << show(fault);
}

INSTANTIATE_TEST_SUITE_P(
    Heads, FileHeader,
    testing::Values(HeaderCase{"fixture", readFile(fixturePath(QStringLiteral("db1.mdb"))).left(4096), 184320, ""},
                    HeaderCase{"jet4_three_pages", jetHead(1), 3 * 4096, ""},
                    HeaderCase{"jet3_pages_of_2048", jetHead(0), 5 * 2048, ""},
                    HeaderCase{"ace_2010", jetHead(3, "ACE"), 10 * 4096, ""},
                    HeaderCase{"empty", QByteArray(), 0, "empty"},
                    HeaderCase{"sqlite_file", QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\0'), 8192, "not an Access"},
                    HeaderCase{"version_cut_off", jetHead(1).left(22), 22, "cut short"},
                    HeaderCase{"unknown_version", jetHead(9), 8 * 4096, "unknown version"},
                    HeaderCase{"mid_page", jetHead(1), 8 * 4096 + 100, "cut short"},
                    HeaderCase{"jet4_with_jet3_pages", jetHead(1), 5 * 2048, "cut short"},
                    HeaderCase{"two_pages", jetHead(1), 2 * 4096, "cut short"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
