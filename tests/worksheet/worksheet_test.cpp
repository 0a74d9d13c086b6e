#include "worksheet/sheet_content.h"
#include "worksheet/worksheet_pages.h"

#include "pdf_text.h"
#include "store_test_support.h"
#include "worksheet_fixtures.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Worksheet::Options;
using Worksheet::Paper;
using namespace WorksheetFixtures;
using StoreTests::show;

namespace {

// A lesson read as the pupil program reads it: the heading without its empty lines,
// rows with their gaps numbered, a lone line feed a break within its row, and the word
// bank with each answer once, trimmed, none empty, alphabetical with capitals first.
TEST(SheetContent, RowsGapsAndWordBankAsThePupilProgramReadsThem)
{
    const Worksheet::SheetContent content =
        *Worksheet::prepareSheet(QStringLiteral("Read.\r\nWrite.\r\n\r\n1. She &is& here,\na&&b.\r\n2. &Is& & am& &am & & & &Its& &is&."))
             .content;
    EXPECT_EQ(content.headingLines, (QStringList{"Read.", "Write."}));
    QStringList rows;
    for (const auto &pieces : content.rows) {
        rows << QString();
        for (const Worksheet::RowPiece &piece : pieces)
            rows.last() += piece.gap ? QStringLiteral("[%1]").arg(piece.gap) : piece.text;
    }
    EXPECT_EQ(rows, (QStringList{"1. She [1] here,\u2028a[2]b.", "2. [3] [4] [5] [6] [7] [8]."}));
    EXPECT_EQ(content.wordBank, (QStringList{"am", "Is", "is", "Its"}));
}

// --- the PDF, read back with poppler

struct SheetCase
{
    const char *name;
    Lesson lesson;
    Options options;
};

// Every row in order, each gap a blank of underscores, or on the key its answer; the
// first row missing, or -1.
int firstMissingRow(const Worksheet::SheetContent &content, const QString &text, bool key)
{
    const QString squeezed = PdfText::squeezed(text);
    qsizetype from = 0;
    for (int row = 0; row < content.rows.size(); ++row) {
        QString pattern;
        for (const Worksheet::RowPiece &piece : content.rows.at(row)) {
            pattern += piece.gap == 0 ? QRegularExpression::escape(PdfText::squeezed(piece.text))
                       : key          ? QRegularExpression::escape(PdfText::squeezed(content.answers.at(piece.gap - 1)))
                                      : QStringLiteral("_{3,}");
        }
        const QRegularExpressionMatch match = QRegularExpression(pattern).match(squeezed, from);
        if (!match.hasMatch())
            return row;
        from = match.capturedEnd();
    }
    return -1;
}

class WorksheetPdf : public testing::TestWithParam<SheetCase> {};

TEST_P(WorksheetPdf, BlanksOnThePupilsPagesAnswersOnTheKey)
{
    const SheetCase &c = GetParam();
    const Worksheet::SheetContent content = *Worksheet::prepareSheet(rows().at(c.lesson - 1).cloze).content;
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
    Worksheet::PageCounts counts;
    ASSERT_EQ(Worksheet::writePdf(pdf, {{content, QString()}}, c.options, &counts), QString());
    const QStringList pages = PdfText::pages(pdf);
    ASSERT_EQ(pages.size(), counts.pupil + counts.key);
    EXPECT_EQ(counts.key > 0, c.options.answerKey);
    const QString pupil = pages.mid(0, counts.pupil).join(QLatin1Char('\n'));
    const QString key = pages.mid(counts.pupil).join(QLatin1Char('\n'));

    for (int page = 0; page < pages.size(); ++page) {
        const QString text = PdfText::squeezed(pages.at(page));
        // The word bank on the pupils' first page and nowhere else; its entries are counted below.
        EXPECT_EQ(text.contains(QStringLiteral("מחסן")), page == 0 && c.options.wordBank) << page;
        const bool onKey = page >= counts.pupil;
        // Each page numbered within its part; every page of the key says so.
        const QStringList footer = PdfText::words(pages.at(page).trimmed().split(QLatin1Char('\n')).last());
        const int number = onKey ? page - counts.pupil + 1 : page + 1;
        EXPECT_TRUE(footer.contains(QString::number(number)) && footer.contains(QString::number(onKey ? counts.key : counts.pupil)))
            << show(footer.join(' '));
        EXPECT_EQ(text.contains(QStringLiteral("מפתח")), onKey) << page;
    }

    // A blank where each gap was, every row in order, all alike so that none gives its
    // answer away; one more for the name, one for the class.
    EXPECT_EQ(firstMissingRow(content, pupil, false), -1) << show(pupil);
    QList<qsizetype> blanks;
    for (auto match = QRegularExpression(QStringLiteral("_{3,}")).globalMatch(pupil); match.hasNext();)
        blanks << match.next().capturedLength();
    ASSERT_EQ(blanks.size(), content.answers.size() + 2);
    EXPECT_EQ(blanks.mid(2).count(blanks.last()), content.answers.size());
    // No answer on the pupil's pages but in the word bank, there once each.
    const QString pupilWords = PdfText::words(pupil).join(QLatin1Char(' '));
    for (const QString &answer : content.answers) {
        const QString word = QRegularExpression::escape(answer.trimmed()).replace(QStringLiteral("\\ "), QStringLiteral("\\s+"));
        if (!word.isEmpty())
            EXPECT_EQ(pupilWords.count(QRegularExpression("(?<![\\w'])" + word + "(?![\\w'])")), c.options.wordBank ? 1 : 0) << show(answer);
    }
    // The letter signs under the blanks, when asked for.
    EXPECT_EQ(pupil.count(QLatin1Char('#')), c.options.hints ? content.masks.join(QString()).count(QLatin1Char('#')) : 0);
    if (c.options.answerKey)
        EXPECT_EQ(firstMissingRow(content, key, true), -1) << show(key);
    EXPECT_TRUE(PdfText::info(pdf).contains(c.options.paper == Paper::Letter ? QStringLiteral("(letter)")
                                                                             : QStringLiteral("(A4)")));
}

INSTANTIATE_TEST_SUITE_P(
    Lessons, WorksheetPdf,
    testing::Values(SheetCase{"typed_answers_word_bank", kTypedAnswers, {true, false, true, Paper::A4}},
                    SheetCase{"typed_answers_hints_no_key", kTypedAnswers, {false, true, false, Paper::A4}},
                    SheetCase{"fifty_gaps_on_pages_of_letter", kFiftyGaps, {true, true, true, Paper::Letter}},
                    SheetCase{"hebrew_heading", kHebrewHeading, {false, false, true, Paper::A4}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
