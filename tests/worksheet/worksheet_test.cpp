#include "worksheet/sheet_content.h"
#include "worksheet/worksheet_pages.h"

#include "pdf_text.h"
#include "store_test_support.h"
#include "worksheet_fixtures.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using Worksheet::Options;
using Worksheet::Paper;
using namespace WorksheetFixtures;
using StoreTests::show;

namespace {

// --- the word bank on paper

struct BankCase
{
    const char *name;
    QStringList answers;
    QStringList bank;
};

class PaperWordBank : public testing::TestWithParam<BankCase> {};

TEST_P(PaperWordBank, EachAnswerOnceInAlphabeticalOrder)
{
    EXPECT_EQ(Worksheet::paperWordBank(GetParam().answers), GetParam().bank);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PaperWordBank,
    testing::Values(BankCase{"gap_order_is_not_kept", {"plays", "are", "live"}, {"are", "live", "plays"}},
                    BankCase{"letter_case_ignored_then_capitals_first", {"is", "Is", "am", "Its"}, {"am", "Is", "is", "Its"}},
                    BankCase{"repeats_listed_once", {"am", "is", "am", "am"}, {"am", "is"}},
                    BankCase{"spaces_around_dropped_inside_kept", {" am", "is not", "am "}, {"am", "is not"}},
                    BankCase{"empty_answers_left_out", {"", "a", " "}, {"a"}},
                    BankCase{"apostrophes", {"isn't", "is", "aren't"}, {"aren't", "is", "isn't"}},
                    BankCase{"no_gaps", {}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// --- what a sheet shows of a lesson

struct ContentCase
{
    const char *name;
    const char *text;
    QStringList heading;
    QStringList rows; ///< each row's pieces, a gap written [g]
    std::optional<LessonRules::Finding::Kind> refusal = std::nullopt;
    int refusalLine = 0;
};

class SheetContent : public testing::TestWithParam<ContentCase> {};

TEST_P(SheetContent, RowsAndGapsAsThePupilProgramReadsThem)
{
    const ContentCase &c = GetParam();
    const Worksheet::PreparedSheet prepared = Worksheet::prepareSheet(QString::fromUtf8(c.text));
    if (c.refusal) {
        ASSERT_TRUE(prepared.refusal);
        EXPECT_FALSE(prepared.content);
        EXPECT_EQ(prepared.refusal->kind, *c.refusal);
        EXPECT_EQ(prepared.refusal->line, c.refusalLine);
        return;
    }
    ASSERT_TRUE(prepared.content) << show(prepared.refusal->english());
    EXPECT_EQ(prepared.content->headingLines, c.heading);
    QStringList rows;
    for (const auto &pieces : prepared.content->rows) {
        QString row;
        for (const Worksheet::RowPiece &piece : pieces)
            row += piece.gap ? QStringLiteral("[%1]").arg(piece.gap) : piece.text;
        rows << row;
    }
    EXPECT_EQ(rows, c.rows);
}

using Kind = LessonRules::Finding::Kind;

INSTANTIATE_TEST_SUITE_P(
    Lessons, SheetContent,
    testing::Values(
        ContentCase{"heading_and_rows", "Fill in\r\n1. She &is& here.\r\n2. We &are& there.", {"Fill in"},
                    {"1. She [1] here.", "2. We [2] there."}},
        ContentCase{"two_heading_lines", "Read.\r\nWrite.\r\n1. &a&", {"Read.", "Write."}, {"1. [1]"}},
        // The screen hides a one-character run before a gap; paper shows the text whole.
        ContentCase{"one_character_runs_shown", "H\r\n1&a& &b&.\r\n&c&", {"H"}, {"1[1] [2].", "[3]"}},
        ContentCase{"empty_answer_is_a_gap", "H\r\n1. a&&b", {"H"}, {"1. a[1]b"}},
        ContentCase{"lines_before_the_start_line_are_heading", "Step 1 of 2\r\nmore\r\n1. &a&", {"Step "}, {"1. [1]"}},
        ContentCase{"lone_line_feed_breaks_within_the_row", "H\r\n1. a\nb &c&", {"H"}, {"1. a\u2028b [1]"}},
        ContentCase{"no_start_line_no_rows", "Only a heading", {"Only a heading"}, {}},
        ContentCase{"unclosed_marker_refused", "H\r\n1. &a& b\r\n2. &c", {}, {}, Kind::UnpairedMarker, 3},
        ContentCase{"gap_in_heading_refused", "H &x&\r\n1. a", {}, {}, Kind::GapAboveText, 1},
        ContentCase{"fifty_one_gaps_refused",
                    "H\r\n1. &a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&"
                    "\r\n2. &a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&&a&",
                    {}, {}, Kind::TooManyGaps, 3}),
    [](const auto &info) { return std::string(info.param.name); });

// --- the PDF, read back with poppler

struct SheetCase
{
    const char *name;
    int lesson;
    Options options;
    int leastPupilPages = 1;
};

// A row as the page shows it, spaces squeezed out: each gap a blank of underscores
// on the pupil's pages, its answer on the key.
QString rowPattern(const Worksheet::SheetContent &content, int row, bool key)
{
    QString pattern;
    for (const Worksheet::RowPiece &piece : content.rows.at(row)) {
        if (piece.gap == 0)
            pattern += QRegularExpression::escape(PdfText::squeezed(piece.text));
        else if (key)
            pattern += QRegularExpression::escape(PdfText::squeezed(content.answers.at(piece.gap - 1)));
        else
            pattern += QStringLiteral("_{3,}");
    }
    return pattern;
}

// Every row in order over the pages of a part; the first missing one, or -1.
int firstMissingRow(const Worksheet::SheetContent &content, const QString &pagesText, bool key)
{
    const QString text = PdfText::squeezed(pagesText);
    qsizetype from = 0;
    for (int row = 0; row < content.rows.size(); ++row) {
        const QRegularExpressionMatch match = QRegularExpression(rowPattern(content, row, key)).match(text, from);
        if (!match.hasMatch())
            return row;
        from = match.capturedEnd();
    }
    return -1;
}

int matchCount(const QRegularExpression &pattern, const QString &text)
{
    int count = 0;
    for (QRegularExpressionMatchIterator match = pattern.globalMatch(text); match.hasNext(); match.next())
        ++count;
    return count;
}

// Occurrences of an answer as a word of its own: "am" is not found in "name".
int wordCount(const QString &text, const QString &answer)
{
    QString pattern = QRegularExpression::escape(answer.trimmed());
    pattern.replace(QStringLiteral("\\ "), QStringLiteral("\\s+"));
    const QRegularExpression word(QStringLiteral("(?<![\\w'])") + pattern + QStringLiteral("(?![\\w'])"));
    return matchCount(word, PdfText::words(text).join(QLatin1Char(' ')));
}

bool hasWords(const QString &text, const QStringList &wanted)
{
    QStringList words;
    for (QString word : PdfText::words(text))
        words << word.remove(QRegularExpression(QStringLiteral("[:·.,()]")));
    for (QString word : wanted) {
        if (!words.contains(word.remove(QRegularExpression(QStringLiteral("[:·.,()]")))))
            return false;
    }
    return true;
}

// The last line of a page that says anything: its number.
QString footer(const QString &page)
{
    QStringList lines = page.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines.isEmpty() ? QString() : lines.last();
}

class WorksheetPdf : public testing::TestWithParam<SheetCase> {};

TEST_P(WorksheetPdf, BlanksOnThePupilsPagesAnswersOnTheKey)
{
    const SheetCase &c = GetParam();
    const Worksheet::PreparedSheet prepared = Worksheet::prepareSheet(lessonText(c.lesson));
    ASSERT_TRUE(prepared.content);
    const Worksheet::SheetContent &content = *prepared.content;
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
    Worksheet::PageCounts counts;
    ASSERT_EQ(Worksheet::writePdf(pdf, {{content, Worksheet::lessonCaption(kPattern, c.lesson)}}, c.options, &counts), QString());

    const QStringList pages = PdfText::pages(pdf);
    ASSERT_EQ(pages.size(), counts.pupil + counts.key);
    EXPECT_GE(counts.pupil, c.leastPupilPages);
    EXPECT_EQ(counts.key > 0, c.options.answerKey);
    const QStringList pupilPages = pages.mid(0, counts.pupil);
    const QStringList keyPages = pages.mid(counts.pupil);
    const QString pupil = pupilPages.join(QLatin1Char('\n'));
    const QString key = keyPages.join(QLatin1Char('\n'));

    // The heading, and the Hebrew captions, on the first page of each part.
    for (const QString &line : content.headingLines) {
        EXPECT_TRUE(hasWords(pupilPages.first(), PdfText::words(line))) << show(line);
        if (c.options.answerKey) {
            EXPECT_TRUE(hasWords(keyPages.first(), PdfText::words(line))) << show(line);
        }
    }
    EXPECT_TRUE(hasWords(pupilPages.first(), {QStringLiteral("שם"), QStringLiteral("כיתה")}));
    EXPECT_EQ(hasWords(pupilPages.first(), {QStringLiteral("מחסן"), QStringLiteral("מילים")}), c.options.wordBank);
    EXPECT_FALSE(hasWords(pupil, {QStringLiteral("מפתח"), QStringLiteral("תשובות")}));
    for (const QString &page : keyPages)
        EXPECT_TRUE(hasWords(page, {QStringLiteral("מפתח"), QStringLiteral("תשובות")}));

    // Each page numbered within its part.
    for (const QStringList &part : {pupilPages, keyPages}) {
        for (int page = 0; page < part.size(); ++page) {
            EXPECT_TRUE(hasWords(footer(part.at(page)), {QStringLiteral("עמוד"), QStringLiteral("מתוך"),
                                                         QString::number(page + 1), QString::number(part.size())}))
                << show(footer(part.at(page)));
        }
    }

    // A blank where each gap was, every row in order; one more for the name, one for the class.
    EXPECT_EQ(firstMissingRow(content, pupil, false), -1) << show(pupil);
    EXPECT_EQ(matchCount(QRegularExpression(QStringLiteral("_{3,}")), pupil), content.answers.size() + 2);
    // No answer on the pupil's pages but in the word bank, there once each and in its order.
    for (const QString &answer : content.answers) {
        if (!answer.trimmed().isEmpty()) {
            EXPECT_EQ(wordCount(pupil, answer), c.options.wordBank ? 1 : 0) << show(answer);
        }
    }
    if (c.options.wordBank) {
        const QString firstPage = PdfText::squeezed(pupilPages.first());
        qsizetype from = 0;
        for (const QString &entry : content.wordBank) {
            from = firstPage.indexOf(PdfText::squeezed(entry), from);
            EXPECT_GE(from, 0) << "word bank out of order at " << show(entry);
        }
    }
    // The letter signs under the blanks, and nowhere else.
    int signs = 0;
    for (const QString &mask : content.masks)
        signs += int(mask.count(QLatin1Char('#')));
    EXPECT_EQ(pupil.count(QLatin1Char('#')), c.options.hints ? signs : 0);
    EXPECT_EQ(key.count(QLatin1Char('#')), 0);

    // The key: every row with its answers filled in.
    if (c.options.answerKey) {
        EXPECT_EQ(firstMissingRow(content, key, true), -1) << show(key);
        EXPECT_FALSE(key.contains(QStringLiteral("___")));
    }

    const QString info = PdfText::info(pdf);
    EXPECT_TRUE(info.contains(c.options.paper == Paper::Letter ? QStringLiteral("(letter)") : QStringLiteral("(A4)")))
        << show(info);
    // Real glyphs: every font is in the file.
    const QStringList fontRows = PdfText::fonts(pdf).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    EXPECT_FALSE(fontRows.isEmpty());
    for (const QString &row : fontRows)
        EXPECT_TRUE(row.contains(QStringLiteral(" yes "))) << show(row);
}

Options options(bool wordBank, bool hints, bool answerKey = true, Paper paper = Paper::A4)
{
    return {wordBank, hints, answerKey, paper};
}

INSTANTIATE_TEST_SUITE_P(
    Lessons, WorksheetPdf,
    testing::Values(SheetCase{"typed_answers", kTypedAnswers, options(false, false)},
                    SheetCase{"typed_answers_word_bank", kTypedAnswers, options(true, false)},
                    SheetCase{"typed_answers_hints_no_key", kTypedAnswers, options(false, true, false)},
                    SheetCase{"fifty_gaps", kFiftyGaps, options(false, false), 2},
                    SheetCase{"fifty_gaps_word_bank_hints_letter", kFiftyGaps, options(true, true, true, Paper::Letter), 2},
                    SheetCase{"hebrew_heading_word_bank", kHebrewHeading, options(true, false)},
                    SheetCase{"long_story", kLongStory, options(false, true), 3}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(WorksheetFile, AFileThatCannotBeWrittenIsReported)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("no-such-folder/sheet.pdf"));
    const Worksheet::Sheet sheet{*Worksheet::prepareSheet(lessonText(kTypedAnswers)).content, QString()};
    EXPECT_FALSE(Worksheet::writePdf(pdf, {sheet}, Options{}).isEmpty());
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
