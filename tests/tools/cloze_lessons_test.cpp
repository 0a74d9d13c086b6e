#include "commands.h"
#include "lessons/lesson_files.h"

#include "lessons/patterns.h"
#include "platform/sqlite_store.h"

#include "store_test_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace StoreTests;

namespace {

const auto kRowName = [](const auto &info) { return std::string(info.param.name); };

struct Result
{
    int status = -1;
    QString out;
    QString err;
    QStringList outLines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

Result runTool(const QStringList &args, const QString &programFolder = QString())
{
    LessonTool::Output output;
    const int status = LessonTool::runTool(args, programFolder, output);
    return {status, QString::fromUtf8(output.out), QString::fromUtf8(output.err)};
}

const char kWarning[] = "\"doesn't\": \"doesn't\" can also be written \"does not\"; say in the heading or in a cue in "
                        "brackets which form to write";

// A folder with the fixture db1.mdb, an SQLite store the tool imported from it, and
// lesson files; "@" in a command line or an expected line stands for the folder.
class ToolFolder
{
public:
    ToolFolder()
    {
        // Number columns of other types: a row 5.5 that no whole number selects.
        folder.copyFixture(QStringLiteral("numbers-double-byte.mdb"), QStringLiteral("double.mdb"));
        EXPECT_EQ(runTool({QStringLiteral("import"), mdb, sqlite}).status, 0);
        folder.write(QStringLiteral("good.txt"), "Fill in\n1. She &is& here.\n2. We &are& there.\n");
        folder.write(QStringLiteral("unpaired.txt"), "Fill in\n1. She &is& here.\n2. We &are there.\n");
        folder.write(QStringLiteral("latin1.txt"), "Caf\xe9\n1. &is&\n");
        folder.write(QStringLiteral("empty.txt"), "");
        for (const char *name : {"07/01.txt", "folder/17/01.txt", "folder/17/03.txt", "folder/17/00.txt", "folder/old/17/02.txt"})
            folder.write(QString::fromLatin1(name), "One\n1. &a&\n");
        folder.write(QStringLiteral("warned/24/01.txt"), "Fill in\n1. He &doesn't& swim.\n");
        folder.write(QStringLiteral("full/notes.md"), "kept");
    }

    StoreFolder folder;
    QString mdb = folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
    QString sqlite = folder.path(QStringLiteral("lessons.sqlite"));
};

using More = std::function<void(const ToolFolder &, const Result &)>;

struct ToolCase
{
    const char *name;
    QStringList args;
    int status;
    QStringList outHas;  ///< lines that must be among the output lines
    const char *errPart; ///< must be in standard error; "" for nothing written there
    More more = nullptr;
};

class Command : public testing::TestWithParam<ToolCase> {};

TEST_P(Command, ExitStatusOutputAndFiles)
{
    const ToolCase &c = GetParam();
    ToolFolder tool;
    const QByteArray accessBefore = readFile(tool.mdb);
    const QByteArray storeBefore = readFile(tool.sqlite);
    const auto inFolder = [&tool](QString text) { return text.replace(QLatin1Char('@'), tool.folder.path(QString()) + '/'); };
    const Result result = runTool(QStringList(c.args).replaceInStrings(QStringLiteral("@"), inFolder(QStringLiteral("@"))),
                                  tool.folder.path(QString()));

    EXPECT_EQ(result.status, c.status) << show(result.out) << show(result.err);
    for (const QString &line : c.outHas)
        EXPECT_TRUE(result.outLines().contains(inFolder(line))) << "missing: " << show(line) << "\nin:\n" << show(result.out);
    EXPECT_EQ(result.err.isEmpty(), !*c.errPart) << show(result.err);
    EXPECT_TRUE(result.err.contains(inFolder(QString::fromUtf8(c.errPart)))) << show(result.err);
    EXPECT_EQ(readFile(tool.mdb), accessBefore) << "the Access file was changed";
    // Only a change that is done changes the store.
    const bool changes = result.status == 0 && QStringList{"add", "replace", "remove"}.contains(c.args.value(0));
    EXPECT_TRUE(changes || readFile(tool.sqlite) == storeBefore) << "the store was changed";
    // A store is built only when nothing stands in the way.
    EXPECT_EQ(QFileInfo::exists(tool.folder.path(QStringLiteral("built.sqlite"))), c.args.value(0) == "build" && result.status == 0);
    if (c.more)
        c.more(tool, result);
}

void expectPatternCounts(const ToolFolder &, const Result &result)
{
    // Lesson counts of the fixture; pattern 18 lists only lesson 2.
    const std::map<int, int> counts = {{1, 3}, {2, 2}, {6, 1}, {17, 3}, {18, 1}, {21, 1}, {24, 3}, {33, 2}};
    QStringList expected;
    for (int pattern : Patterns::namedPatternNumbers())
        expected << Patterns::patternEntry(pattern) + QStringLiteral("\t%1").arg(counts.count(pattern) ? counts.at(pattern) : 0);
    EXPECT_EQ(result.outLines(), expected);
}

// The store then reads this text for the lesson, "" when it has none.
More lessonText(int pattern, int lesson, const char *text)
{
    return [=](const ToolFolder &t, const Result &) {
        EXPECT_EQ(Lessons::SqliteLessonStore(t.sqlite).lessonText(pattern, lesson).value, QString::fromUtf8(text));
    };
}

const char kGoodText[] = "Fill in\r\n1. She &is& here.\r\n2. We &are& there.";

INSTANTIATE_TEST_SUITE_P(Tool, Command,
    testing::Values(
        ToolCase{"no_command", {}, 2, {}, "no command given"},
        ToolCase{"help", {"--help"}, 0, {"  --help                            this text"}, ""},
        ToolCase{"list_store_beside_the_program", {"list"}, 0, {}, "", expectPatternCounts},
        ToolCase{"list_headings_on_one_line", {"list", "@lessons.sqlite", "2"}, 0,
                 {"1 \u05d4\u05e9\u05dc\u05d9\u05de\u05d5 \u05d0\u05ea \u05d4\u05de\u05d9\u05dc\u05d9\u05dd \u05d4\u05d7\u05e1\u05e8\u05d5\u05ea\\r\\n",
                  "2 Short forms\\r\\n\\r\\nRead and write\\r\\n"}, ""},
        ToolCase{"show_exactly", {"show", "@lessons.sqlite", "33", "2"}, 0, {}, "",
                 [](const ToolFolder &, const Result &r) { EXPECT_EQ(r.out, expectedRow(33, 2)->cloze); }},
        ToolCase{"show_null_text", {"show", "@lessons.sqlite", "18", "1"}, 1, {}, "no text for pattern 18 lesson 1"},
        ToolCase{"check_access_store", {"check", "@db1.mdb"}, 1,
                 {"pattern 8: the pattern has no name, so its lessons are never offered",
                  "pattern 18 lesson 1: the text is empty, so the lesson is not listed"}, ""},
        ToolCase{"check_double_numbers", {"check", "@double.mdb"}, 1,
                 {"row 5 of closes: pattern 5.5 lesson 1: no whole pattern number equals 5.5, so the row is never listed or read",
                  "pattern 5 lesson 1: stored 2 times; only the first row is read"}, ""},
        ToolCase{"export_whole_numbered_lessons", {"export", "@double.mdb", "@out"}, 0, {}, "warning: not exported: row 5 of closes",
                 [](const ToolFolder &t, const Result &r) {
                     EXPECT_TRUE(r.err.contains(QStringLiteral("skipped a second row of pattern 5 lesson 1"))) << show(r.err);
                     QStringList files;
                     for (QDirIterator it(t.folder.path(QStringLiteral("out")), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
                         files << it.next().right(9);
                     files.sort();
                     EXPECT_EQ(files, (QStringList{"05/01.txt", "24/01.txt", "24/02.txt", "24/03.txt", "33/01.txt"}));
                     EXPECT_EQ(readFile(t.folder.path(QStringLiteral("out/05/01.txt"))), "Modals\r\n1. You &must& listen.\r\n2. I &can& swim.");
                 }},
        ToolCase{"check_file", {"check", "@unpaired.txt"}, 1,
                 {"@unpaired.txt: line 3: a gap is opened with \"&\" but not closed on the same line"}, ""},
        ToolCase{"check_numbered_file", {"check", "@07/01.txt"}, 1,
                 {"@07/01.txt: pattern 7: the pattern has no name, so its lessons are never offered"}, ""},
        ToolCase{"check_folder", {"check", "@folder"}, 1,
                 {"pattern 17 lesson 2: missing: the pattern's lessons are numbered with a hole here",
                  "@folder/17/00.txt: not a lesson file; lesson files are PP/LL.txt, two digits each",
                  "@folder/old/17/02.txt: not a lesson file; lesson files are PP/LL.txt, two digits each"}, ""},
        ToolCase{"check_warnings_pass", {"check", "@warned"}, 0,
                 {QStringLiteral("warning: @warned/24/01.txt: pattern 24 lesson 1 line 2: gap 1 ") + kWarning,
                  "no problems in 1 lesson(s)", "1 warning(s)"}, ""},
        ToolCase{"add_into_the_hole", {"add", "@lessons.sqlite", "17", "3", "@good.txt"}, 0, {}, "", lessonText(17, 3, kGoodText)},
        ToolCase{"add_warns_but_stores_a_faulty_lesson", {"add", "@lessons.sqlite", "17", "3", "@unpaired.txt"}, 0, {},
                 "warning: @unpaired.txt: pattern 17 lesson 3 line 3: a gap", lessonText(17, 3, "Fill in\r\n1. She &is& here.\r\n2. We &are there.")},
        ToolCase{"add_lesson_100_refused", {"add", "@lessons.sqlite", "17", "100", "@good.txt"}, 1, {}, "numbers run from 1 to 99"},
        ToolCase{"add_empty_file_refused", {"add", "@lessons.sqlite", "17", "3", "@empty.txt"}, 1, {}, "is empty"},
        ToolCase{"add_non_utf8_refused", {"add", "@lessons.sqlite", "17", "3", "@latin1.txt"}, 1, {}, "not UTF-8"},
        ToolCase{"add_missing_file_refused", {"add", "@lessons.sqlite", "17", "3", "@none.txt"}, 1, {}, "cannot read the lesson file"},
        ToolCase{"replace_a_lesson", {"replace", "@lessons.sqlite", "24", "3", "@good.txt"}, 0, {}, "", lessonText(24, 3, kGoodText)},
        ToolCase{"remove_a_lesson", {"remove", "@lessons.sqlite", "24", "2"}, 0, {}, "", lessonText(24, 2, "")},
        ToolCase{"export_into_a_used_folder_refused", {"export", "@lessons.sqlite", "@full"}, 1, {}, "nothing there is overwritten"},
        // The 20 KB text and the Hebrew one byte for byte, as the store holds them.
        ToolCase{"export_store", {"export", "@lessons.sqlite", "@out"}, 0,
                 {"skipped pattern 18 lesson 3: the text is empty", "exported 17 lesson(s) to @out"}, "",
                 [](const ToolFolder &t, const Result &) {
                     for (const auto &[file, row] : {std::pair{"out/21/01.txt", expectedRow(21, 1)}, {"out/02/01.txt", expectedRow(2, 1)}})
                         EXPECT_EQ(readFile(t.folder.path(QString::fromLatin1(file))), row->cloze.toUtf8()) << file;
                 }},
        ToolCase{"build_with_warnings", {"build", "@warned", "@built.sqlite"}, 0, {}, kWarning},
        ToolCase{"build_refused_on_a_problem", {"build", "@folder", "@built.sqlite"}, 1, {}, "not built; 3 problem(s)"}),
    kRowName);

struct SourceCase
{
    const char *name;
    QByteArray file;
    std::optional<QString> text; ///< none: refused
    bool writtenBack;            ///< the text writes back to these very bytes
};

class LessonSource : public testing::TestWithParam<SourceCase> {};

TEST_P(LessonSource, ReadsAndWritesBack)
{
    const auto read = LessonFiles::decodeLessonSource(GetParam().file);
    EXPECT_EQ(read.value, GetParam().text);
    if (GetParam().text) {
        const auto written = LessonFiles::encodeLessonSource(*GetParam().text);
        EXPECT_EQ(written.value == GetParam().file, GetParam().writtenBack);
        EXPECT_EQ(LessonFiles::decodeLessonSource(written.value.value_or("")).value, GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LessonSource,
    testing::Values(SourceCase{"line_feeds_become_crlf", "a\nb\n", QStringLiteral("a\r\nb"), false},
                    SourceCase{"with_cr_byte_for_byte", "a\r\nb\n", QStringLiteral("a\r\nb\n"), true},
                    SourceCase{"mark_dropped", "\xef\xbb\xbf" "a", QStringLiteral("a"), false},
                    SourceCase{"text_beginning_with_a_mark", "\xef\xbb\xbf\xef\xbb\xbf" "a", QStringLiteral("\ufeffa"), true},
                    SourceCase{"not_utf8", "Caf\xe9", std::nullopt, false}),
    kRowName);

TEST(LessonSource, TextWithLineFeedsAloneCannotBeWritten)
{
    EXPECT_FALSE(LessonFiles::encodeLessonSource(QStringLiteral("a\nb")).ok());
}

} // namespace
