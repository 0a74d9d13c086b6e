#include "commands.h"

#include "platform/sqlite_writer.h"

#include "pdf_text.h"
#include "store_test_support.h"
#include "worksheet_fixtures.h"

#include <gtest/gtest.h>

#include <functional>

using namespace StoreTests;

namespace {

struct CommandCase
{
    const char *name;
    QStringList args; ///< after "worksheet"; "@" stands for the test's folder
    int status;
    const char *says; ///< on standard output or error
    std::function<void(const QString &pdf)> more = nullptr;
};

class WorksheetCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(WorksheetCommand, StatusMessagesAndFile)
{
    const CommandCase &c = GetParam();
    StoreFolder folder;
    ASSERT_TRUE(Lessons::SqliteWriter::createStore(folder.path(QStringLiteral("lessons.sqlite")), WorksheetFixtures::rows(),
                                                   Lessons::SqliteWriter::Existing::Refuse).ok());
    folder.write(QStringLiteral("kept.pdf"), "a teacher's own file");
    const QStringList args = QStringList{"worksheet"} + QStringList(c.args).replaceInStrings(QStringLiteral("@"), folder.path(QString()) + '/');
    LessonTool::Output output;
    EXPECT_EQ(LessonTool::runTool(args, folder.path(QString()), output), c.status);
    EXPECT_TRUE((output.out + output.err).contains(c.says)) << (output.out + output.err).toStdString();
    // A file the teacher has is never overwritten.
    EXPECT_EQ(readFile(folder.path(QStringLiteral("kept.pdf"))), QByteArray("a teacher's own file"));
    if (c.more)
        c.more(args.filter(QStringLiteral(".pdf")).last());
}

void letterPageWithHintsAndBank(const QString &pdf)
{
    EXPECT_TRUE(PdfText::info(pdf).contains(QStringLiteral("(letter)")));
    const QString page = PdfText::pages(pdf).value(0);
    EXPECT_TRUE(page.contains(QStringLiteral("####'#"))) << "hints";
    EXPECT_EQ(PdfText::squeezed(page).count(QStringLiteral("aren't")), 1) << "word bank";
    EXPECT_TRUE(PdfText::words(page).contains(QStringLiteral("שיעור"))) << "the lesson named";
}

// The worksheets of every lesson but the refused one in lesson order, then their keys.
void wholePattern(const QString &pdf)
{
    const QString text = PdfText::squeezed(PdfText::pages(pdf).join(QString()));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Writetheshort.*Fiftygaps.*השלימו.*מפתח.*Writetheshort.*Fiftygaps.*השלימו"))));
    EXPECT_FALSE(text.contains(QStringLiteral("Fillin."))) << "the refused lesson";
}

const char *const kRefused = "cloze-lessons: pattern 24 lesson 4 line 3: a gap is opened with \"&\" but not closed on the same line\n";

INSTANTIATE_TEST_SUITE_P(
    Tool, WorksheetCommand,
    testing::Values(
        CommandCase{"flags_anywhere", {"--letter", "@lessons.sqlite", "24", "--hints", "1", "@sheet.pdf", "--no-key", "--word-bank"},
                    0, "sheet.pdf: 1 lesson(s), 1 worksheet page(s), 0 answer key page(s)", letterPageWithHintsAndBank},
        CommandCase{"whole_pattern_leaves_the_refused_lesson_out", {"@lessons.sqlite", "24", "--all", "@set.pdf"}, 1,
                    "set.pdf: 3 lesson(s)", wholePattern},
        CommandCase{"refused_lesson", {"@lessons.sqlite", "24", "4", "@sheet.pdf"}, 1, kRefused},
        CommandCase{"pattern_of_refused_lessons_only", {"@lessons.sqlite", "25", "--all", "@set.pdf"}, 1,
                    "set.pdf: not written; no lesson of pattern 25 could be made"},
        CommandCase{"lesson_without_text", {"@lessons.sqlite", "24", "9", "@sheet.pdf"}, 1, "no text for pattern 24 lesson 9"},
        CommandCase{"existing_file_kept", {"@lessons.sqlite", "24", "1", "@kept.pdf"}, 1, "kept.pdf: already exists"},
        CommandCase{"unknown_flag", {"--colour", "@lessons.sqlite", "24", "1", "@sheet.pdf"}, 2, "unknown worksheet option '--colour'"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
