#include "platform/mdb_query.h"

#include "store_test_support.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using Lessons::Mdb::Rows;
using namespace StoreTests;

namespace {

struct AnswerCase
{
    const char *name;
    Lessons::StoreOutcome<Rows> answer;
};

class PipeAnswer : public testing::TestWithParam<AnswerCase> {};

TEST_P(PipeAnswer, ReadsBackAsSent)
{
    const auto decoded = Lessons::Mdb::decodeAnswer(Lessons::Mdb::encodeAnswer(GetParam().answer));
    EXPECT_EQ(decoded.ok(), GetParam().answer.ok());
    EXPECT_EQ(decoded.value, GetParam().answer.value);
    EXPECT_EQ(decoded.error, GetParam().answer.error);
}

TEST_P(PipeAnswer, EveryCutOffAnswerIsRefused)
{
    const QByteArray whole = Lessons::Mdb::encodeAnswer(GetParam().answer);
    for (qsizetype size = 0; size < whole.size(); ++size) {
        const auto decoded = Lessons::Mdb::decodeAnswer(whole.left(size));
        EXPECT_FALSE(decoded.ok()) << "cut at " << size;
        EXPECT_TRUE(decoded.error.isEmpty()) << "cut at " << size;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PipeAnswer,
    testing::Values(AnswerCase{"rows", {Rows{{"1", "2", "Heading\r\n1. &a&"}, {"3", "4", ""}}, QString()}},
                    AnswerCase{"no_rows", {Rows{}, QString()}},
                    AnswerCase{"binary_bytes", {Rows{{QByteArray("\0\xff\r\n", 4)}}, QString()}},
                    AnswerCase{"hebrew_error", {std::nullopt, QString::fromUtf8("\u05e9\u05d2\u05d9\u05d0\u05d4")}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PipeAnswer, GarbageIsRefused)
{
    for (unsigned seed = 1; seed <= 50; ++seed)
        EXPECT_FALSE(Lessons::Mdb::decodeAnswer(noise(int(seed * 7), seed)).ok());
}

struct BindCase
{
    const char *name;
    Lessons::Mdb::Containment containment;
    size_t firstBindSize;
};

class LongMemo : public testing::TestWithParam<BindCase> {};

// The 20 KB text is larger than libmdbsql's own bind size; a small first buffer makes
// the reader grow it several times.
TEST_P(LongMemo, ComesBackWhole)
{
    StoreFolder folder;
    const QString file = folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
    Lessons::Mdb::QueryOptions options;
    options.containment = GetParam().containment;
    options.firstBindSize = GetParam().firstBindSize;
    const auto answer = Lessons::Mdb::runQuery(file, "Select * from closes Where pattern = 21", {"lesson", "cloze"}, options);
    ASSERT_TRUE(answer.ok()) << show(answer.error);
    ASSERT_EQ(answer.value->size(), 1);
    const QByteArray expected = expectedRow(21, 1)->cloze.toUtf8();
    ASSERT_GT(expected.size(), 16 * 1024);
    EXPECT_EQ(answer.value->first().at(0), QByteArray("1"));
    EXPECT_EQ(answer.value->first().at(1), expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LongMemo,
                         testing::Values(BindCase{"child_default", Lessons::Mdb::Containment::ChildProcess, 64 * 1024},
                                         BindCase{"child_grows_from_1k", Lessons::Mdb::Containment::ChildProcess, 1024},
                                         BindCase{"child_just_below", Lessons::Mdb::Containment::ChildProcess, 20132},
                                         BindCase{"in_process_grows", Lessons::Mdb::Containment::InProcess, 4096}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Containment, ChildAndInProcessAgree)
{
    StoreFolder folder;
    const QString file = folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
    Lessons::Mdb::QueryOptions here;
    here.containment = Lessons::Mdb::Containment::InProcess;
    const auto inChild = Lessons::Mdb::runQuery(file, "Select * from closes", {"pattern", "lesson", "cloze"});
    const auto inProcess = Lessons::Mdb::runQuery(file, "Select * from closes", {"pattern", "lesson", "cloze"}, here);
    ASSERT_TRUE(inChild.ok()) << show(inChild.error);
    ASSERT_TRUE(inProcess.ok()) << show(inProcess.error);
    EXPECT_EQ(inChild.value->size(), expectedRows().size());
    EXPECT_EQ(inChild.value, inProcess.value);
}

TEST(Containment, AReaderThatBlocksIsStoppedInTime)
{
    StoreFolder folder;
    const QString fifo = folder.path(QStringLiteral("db1.mdb"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    Lessons::Mdb::QueryOptions options;
    options.timeoutMs = 300;
    QElapsedTimer clock;
    clock.start();
    const auto answer = Lessons::Mdb::runQuery(fifo, "Select * from closes", {"cloze"}, options);
    EXPECT_FALSE(answer.ok());
    EXPECT_TRUE(answer.error.contains(QStringLiteral("longer than 300 ms"))) << show(answer.error);
    EXPECT_LT(clock.elapsed(), 3000);
}

struct StatementCase
{
    const char *name;
    QByteArray statement;
    QByteArrayList columns;
    const char *errorPart;
};

class RefusedStatement : public testing::TestWithParam<StatementCase> {};

TEST_P(RefusedStatement, GivesAReason)
{
    StoreFolder folder;
    const QString file = folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
    const auto answer = Lessons::Mdb::runQuery(file, GetParam().statement, GetParam().columns);
    EXPECT_FALSE(answer.ok());
    EXPECT_TRUE(answer.error.contains(QString::fromUtf8(GetParam().errorPart))) << show(answer.error);
    EXPECT_TRUE(answer.error.startsWith(file)) << show(answer.error);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, RefusedStatement,
    testing::Values(StatementCase{"other_table", "Select * from lessons", {"cloze"}, "could not be run"},
                    StatementCase{"asked_column_missing", "Select * from closes", {"answer"}, "no column answer"},
                    StatementCase{"not_sql", "Hello there", {"cloze"}, "could not be run"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

struct HeaderCase
{
    const char *name;
    QByteArray head;
    qint64 size;
    const char *fault; ///< "" when libmdb may be given the file
};

QByteArray jetHead(char version)
{
    QByteArray head("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    head.append(version).append(3, '\0');
    return head + QByteArray(4096 - head.size(), '\x5a');
}

QByteArray aceHead(char version)
{
    QByteArray head = jetHead(version);
    head.replace(13, 3, "ACE");
    return head;
}

class FileHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(FileHeader, TurnsAwayWhatLibmdbMustNotSee)
{
    const QString fault = Lessons::Mdb::headerFault(GetParam().head, GetParam().size);
    if (*GetParam().fault == '\0') {
        EXPECT_TRUE(fault.isEmpty()) << show(fault);
    } else {
        EXPECT_TRUE(fault.contains(QString::fromUtf8(GetParam().fault))) << show(fault);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Heads, FileHeader,
    testing::Values(HeaderCase{"fixture", readFile(fixturePath(QStringLiteral("db1.mdb"))).left(4096), 184320, ""},
                    HeaderCase{"jet4_three_pages", jetHead(1), 3 * 4096, ""},
                    HeaderCase{"jet3_pages_of_2048", jetHead(0), 5 * 2048, ""},
                    HeaderCase{"ace_2010", aceHead(3), 10 * 4096, ""},
                    HeaderCase{"empty", QByteArray(), 0, "empty"},
                    HeaderCase{"sqlite_file", QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\0'), 8192, "not an Access"},
                    HeaderCase{"magic_cut_off", jetHead(1).left(10), 10, "not an Access"},
                    HeaderCase{"version_cut_off", jetHead(1).left(22), 22, "cut short"},
                    HeaderCase{"unknown_version", jetHead(9), 8 * 4096, "unknown version"},
                    HeaderCase{"mid_page", jetHead(1), 8 * 4096 + 100, "cut short"},
                    HeaderCase{"jet4_with_jet3_pages", jetHead(1), 5 * 2048, "cut short"},
                    HeaderCase{"two_pages", jetHead(1), 2 * 4096, "cut short"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
