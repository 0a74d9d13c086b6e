#include "commands.h"

#include "platform/sqlite_writer.h"

#include "pdf_text.h"
#include "store_test_support.h"
#include "worksheet_fixtures.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <functional>

using namespace StoreTests;
using namespace WorksheetFixtures;

namespace {

struct Result
{
    int status = -1;
    QString out;
    QString err;
};

// A folder with a store of the fixture lessons, the fixture Access file and a file a
// teacher already has; "@name" in a command line stands for the file of that name there.
class SheetFolder
{
public:
    SheetFolder()
    {
        store = folder.path(QStringLiteral("lessons.sqlite"));
        const auto made = Lessons::SqliteWriter::createStore(store, rows(), Lessons::SqliteWriter::Existing::Refuse);
        EXPECT_TRUE(made.ok()) << show(made.error);
        mdb = folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
        folder.write(QStringLiteral("kept.pdf"), "a teacher's own file");
    }

    Result run(const QStringList &args) const
    {
        QStringList expanded;
        for (const QString &arg : args) {
            if (arg == QStringLiteral("@store"))
                expanded << store;
            else if (arg == QStringLiteral("@mdb"))
                expanded << mdb;
            else if (arg.startsWith(QLatin1Char('@')))
                expanded << folder.path(arg.mid(1));
            else
                expanded << arg;
        }
        LessonTool::Output output;
        Result result;
        result.status = LessonTool::runTool(expanded, folder.path(QString()), output);
        result.out = QString::fromUtf8(output.out);
        result.err = QString::fromUtf8(output.err);
        return result;
    }

    StoreFolder folder;
    QString store;
    QString mdb;
};

struct CommandCase
{
    const char *name;
    QStringList args;
    int status;
    const char *outPart; ///< "" for nothing on standard output
    const char *errPart; ///< "" for nothing on standard error
    const char *written; ///< the PDF the command makes, "" for none
    std::function<void(const SheetFolder &, const QString &pdf)> more = nullptr;
};

class WorksheetCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(WorksheetCommand, StatusMessagesAndFile)
{
    const CommandCase &c = GetParam();
    const SheetFolder sheets;
    const QByteArray storeBefore = readFile(sheets.store);
    const QByteArray accessBefore = readFile(sheets.mdb);
    const Result result = sheets.run(c.args);

    EXPECT_EQ(result.status, c.status) << show(result.out) << show(result.err);
    if (*c.outPart == '\0') {
        EXPECT_TRUE(result.out.isEmpty()) << show(result.out);
    } else {
        EXPECT_TRUE(result.out.contains(QString::fromUtf8(c.outPart))) << show(result.out);
    }
    if (*c.errPart == '\0') {
        EXPECT_TRUE(result.err.isEmpty()) << show(result.err);
    } else {
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.errPart))) << show(result.err);
    }
    const QString pdf = *c.written ? sheets.folder.path(QString::fromUtf8(c.written)) : QString();
    if (!pdf.isEmpty()) {
        EXPECT_TRUE(readFile(pdf).startsWith("%PDF-"));
    }
    // Nothing else appears, and nothing the teacher has is changed.
    for (const char *other : {"sheet.pdf", "set.pdf", "sheet.txt"}) {
        if (QString::fromUtf8(other) != QString::fromUtf8(c.written)) {
            EXPECT_FALSE(QFileInfo::exists(sheets.folder.path(QString::fromUtf8(other)))) << other;
        }
    }
    EXPECT_EQ(readFile(sheets.folder.path(QStringLiteral("kept.pdf"))), QByteArray("a teacher's own file"));
    EXPECT_EQ(readFile(sheets.store), storeBefore);
    EXPECT_EQ(readFile(sheets.mdb), accessBefore);
    if (c.more)
        c.more(sheets, pdf);
}

void lettersPages(const SheetFolder &, const QString &pdf)
{
    EXPECT_TRUE(PdfText::info(pdf).contains(QStringLiteral("(letter)")));
    const QStringList pages = PdfText::pages(pdf);
    ASSERT_EQ(pages.size(), 1) << "no key";
    EXPECT_TRUE(pages.first().contains(QStringLiteral("###'#"))) << "hints";
    EXPECT_EQ(PdfText::squeezed(pages.first()).count(QStringLiteral("isn't")), 1) << "word bank";
}

// Every lesson of pattern 24 but the refused one, in lesson order: the worksheets,
// each from a page of its own, then the keys.
void wholePattern(const SheetFolder &, const QString &pdf)
{
    const QStringList pages = PdfText::pages(pdf);
    qsizetype firstKey = pages.size();
    while (firstKey > 0 && PdfText::words(pages.at(firstKey - 1)).contains(QStringLiteral("תשובות")))
        --firstKey;
    EXPECT_GE(firstKey, 6); // the fifty gaps and the long story take more than a page each
    const QStringList headings{QStringLiteral("Writetheshortforms."), QStringLiteral("Fiftygaps:writethewords."),
                               QStringLiteral("השלימואתהפעליםבזמןהווה"), QStringLiteral("Alongstory:thepastsimple.")};
    for (const QStringList &part : {pages.mid(0, firstKey), pages.mid(firstKey)}) {
        int lesson = 0;
        for (const QString &page : part) {
            const QString text = PdfText::squeezed(page);
            if (lesson < headings.size() && text.contains(headings.at(lesson)))
                ++lesson;
            EXPECT_FALSE(text.contains(QStringLiteral("Fillin."))) << "the refused lesson";
        }
        EXPECT_EQ(lesson, headings.size()) << "a lesson missing or out of order";
    }
}

// The same message as check gives the same lesson.
void sameMessageAsCheck(const SheetFolder &sheets, const QString &)
{
    const Result check = sheets.run({QStringLiteral("check"), sheets.store});
    const QString refusal = QStringLiteral("pattern 24 lesson 5 line 3: a gap is opened with \"&\" but not closed on the same line");
    EXPECT_TRUE(check.out.split(QLatin1Char('\n')).contains(refusal)) << show(check.out);
}

INSTANTIATE_TEST_SUITE_P(
    Tool, WorksheetCommand,
    testing::Values(
        CommandCase{"one_lesson", {"worksheet", "@store", "24", "1", "@sheet.pdf"}, 0,
                    "sheet.pdf: 1 lesson(s), 1 worksheet page(s), 1 answer key page(s)", "", "sheet.pdf"},
        CommandCase{"flags_anywhere", {"worksheet", "--letter", "@store", "24", "--hints", "1", "@sheet.pdf", "--no-key", "--word-bank"},
                    0, "0 answer key page(s)", "", "sheet.pdf", lettersPages},
        CommandCase{"whole_pattern_leaves_the_refused_lesson_out", {"worksheet", "@store", "24", "--all", "@set.pdf"}, 1,
                    "set.pdf: 4 lesson(s)",
                    "cloze-lessons: pattern 24 lesson 5 line 3: a gap is opened with \"&\" but not closed on the same line",
                    "set.pdf", wholePattern},
        CommandCase{"refused_lesson", {"worksheet", "@store", "24", "5", "@sheet.pdf"}, 1, "",
                    "cloze-lessons: pattern 24 lesson 5 line 3: a gap is opened with \"&\" but not closed on the same line\n",
                    "", sameMessageAsCheck},
        CommandCase{"pattern_of_refused_lessons_only", {"worksheet", "@store", "25", "--all", "@set.pdf"}, 1, "",
                    "set.pdf: not written; no lesson of pattern 25 could be made", ""},
        CommandCase{"access_store_read_only", {"worksheet", "@mdb", "2", "1", "@sheet.pdf"}, 0, "1 lesson(s)", "", "sheet.pdf"},
        CommandCase{"lesson_without_text", {"worksheet", "@store", "24", "9", "@sheet.pdf"}, 1, "", "no text for pattern 24 lesson 9", ""},
        CommandCase{"pattern_without_lessons", {"worksheet", "@store", "30", "--all", "@set.pdf"}, 1, "", "pattern 30 has no lessons", ""},
        CommandCase{"store_missing", {"worksheet", "@none.sqlite", "24", "1", "@sheet.pdf"}, 1, "", "none.sqlite", ""},
        CommandCase{"existing_file_kept", {"worksheet", "@store", "24", "1", "@kept.pdf"}, 1, "", "kept.pdf: already exists", ""},
        CommandCase{"not_a_pdf_name", {"worksheet", "@store", "24", "1", "@sheet.txt"}, 2, "", "must end in .pdf", ""},
        CommandCase{"unknown_flag", {"worksheet", "--colour", "@store", "24", "1", "@sheet.pdf"}, 2, "",
                    "unknown worksheet option '--colour'", ""},
        CommandCase{"lesson_and_all", {"worksheet", "@store", "24", "1", "--all", "@sheet.pdf"}, 2, "", "worksheet takes", ""},
        CommandCase{"too_few", {"worksheet", "@store", "24", "@sheet.pdf"}, 2, "", "worksheet takes", ""},
        CommandCase{"lesson_not_a_number", {"worksheet", "@store", "24", "one", "@sheet.pdf"}, 2, "", "whole numbers", ""}),
    [](const auto &info) { return std::string(info.param.name); });

// The installed tool on a machine without a display: a worksheet needs fonts, the
// other commands need nothing of the toolkit.
TEST(WorksheetProgram, RunsWithoutADisplay)
{
    const SheetFolder sheets;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        environment.remove(QString::fromLatin1(name));
    const QString pdf = sheets.folder.path(QStringLiteral("sheet.pdf"));
    for (const QStringList &args : {QStringList{QStringLiteral("worksheet"), sheets.store, QStringLiteral("24"),
                                                QStringLiteral("3"), pdf},
                                    QStringList{QStringLiteral("list"), sheets.store, QStringLiteral("24")}}) {
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(CLOZE_LESSONS_PROGRAM), args);
        ASSERT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitCode(), 0) << args.first().toStdString();
        EXPECT_EQ(tool.readAllStandardError(), QByteArray()) << args.first().toStdString();
        EXPECT_FALSE(tool.readAllStandardOutput().isEmpty());
    }
    EXPECT_TRUE(PdfText::words(PdfText::pages(pdf).value(0)).contains(QStringLiteral("הפעלים")));
}

} // namespace
