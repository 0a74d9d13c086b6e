#include "lessons/lesson_rules.h"

#include "lessons/form_warnings.h"
#include "lessons/patterns.h"
#include "screens/exercise/page_placement.h"
#include "state/variables.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace LessonRules {

namespace {

using Kind = Finding::Kind;

QString quoted(const QStringList &forms)
{
    QStringList q;
    for (const QString &f : forms)
        q << QLatin1Char('"') + f + QLatin1Char('"');
    return q.join(QStringLiteral(" or "));
}

QString shownNumber(const QString &stored)
{
    return stored.isEmpty() ? QStringLiteral("null") : stored;
}

// Why neither column selects the row: «no whole pattern number equals 5.5».
QString unmatchedReason(const QString &pattern, const QString &lesson)
{
    QStringList why;
    for (const auto &[name, text] : {std::pair{"pattern", pattern}, std::pair{"lesson", lesson}}) {
        int value = 0;
        if (text.isEmpty())
            why << QStringLiteral("the %1 is null").arg(QLatin1String(name));
        else if (Lessons::readStoredNumber(text.toUtf8(), &value) != Lessons::StoredNumber::Whole)
            why << QStringLiteral("no whole %1 number equals %2").arg(QLatin1String(name), text);
    }
    return why.join(QStringLiteral(" and "));
}

} // namespace

Severity Finding::severity() const
{
    switch (kind) {
    case Kind::UnpairedMarker:
    case Kind::TooManyGaps:
    case Kind::TooManyTextRuns:
    case Kind::GapAboveText:
    case Kind::LineTooWide:
        return Severity::Refusal;
    case Kind::OtherForm:
        return Severity::Warning;
    default:
        return Severity::Problem;
    }
}

QString Finding::english() const
{
    switch (kind) {
    case Kind::UnpairedMarker:
        return QStringLiteral("a gap is opened with \"&\" but not closed on the same line");
    case Kind::TooManyGaps:
        return QStringLiteral("gap number %1 is one too many; a lesson holds at most %2 gaps")
            .arg(Variables::kMaxGaps + 1)
            .arg(Variables::kMaxGaps);
    case Kind::TooManyTextRuns:
        return QStringLiteral("from here the page would need more than %1 pieces of text; use fewer lines or gaps")
            .arg(Cloze::kMaxTextRuns);
    case Kind::GapAboveText:
        return QStringLiteral("the heading holds a \"&\"; its gaps would be counted but never shown");
    case Kind::LineTooWide:
        return QStringLiteral("the line is too long for the exercise page; its row would reach past %1 twips")
            .arg(Placement::kMaxRowEnd);
    case Kind::NullText:
        return QStringLiteral("the text is null, so the lesson is not listed");
    case Kind::EmptyText:
        return QStringLiteral("the text is empty, so the lesson is not listed");
    case Kind::OneInHeading:
        return QStringLiteral("the heading holds a \"1\"; the heading ends there and the rest is lost");
    case Kind::NoStartLine:
        return QStringLiteral("no line begins with \"1\", so the page shows no text");
    case Kind::UnnamedPattern:
        return QStringLiteral("the pattern has no name, so its lessons are never offered");
    case Kind::LessonOutOfRange:
        return QStringLiteral("lesson numbers run from 1 to %1; this lesson is never listed")
            .arg(Patterns::kHighestLessonNumber);
    case Kind::StoredTwice:
        return QStringLiteral("stored %1 times; only the first row is read").arg(count);
    case Kind::Hole:
        return QStringLiteral("missing: the pattern's lessons are numbered with a hole here");
    case Kind::UnmatchedRow:
        return QStringLiteral("row %1 of closes: pattern %2 lesson %3: %4, so the row is never listed or read")
            .arg(count)
            .arg(shownNumber(texts.value(0)), shownNumber(texts.value(1)), unmatchedReason(texts.value(0), texts.value(1)));
    case Kind::StrayFile:
        return QStringLiteral("not a lesson file; lesson files are PP/LL.txt, two digits each");
    case Kind::OtherForm:
        return QStringLiteral("gap %1 \"%2\": \"%3\" can also be written %4; say in the heading or in a cue in "
                              "brackets which form to write")
            .arg(count)
            .arg(texts.value(0), texts.value(1), quoted(texts.mid(2)));
    }
    return QString();
}

QString Finding::hebrew() const
{
    switch (kind) {
    case Kind::UnpairedMarker:
        return QStringLiteral("לא ניתן לפתוח את השיעור: בשורה %1 יש סימן & שנפתח ולא נסגר.").arg(line);
    case Kind::TooManyGaps:
        return QStringLiteral("לא ניתן לפתוח את השיעור: יש בו יותר מ-%1 מילים חסרות (שורה %2).")
            .arg(Variables::kMaxGaps)
            .arg(line);
    case Kind::TooManyTextRuns:
        return QStringLiteral("לא ניתן לפתוח את השיעור: הוא ארוך מדי לדף התרגיל (שורה %1).").arg(line);
    case Kind::GapAboveText:
        return QStringLiteral("לא ניתן לפתוח את השיעור: יש בו סימן & לפני השורה שמתחילה ב-1.");
    case Kind::LineTooWide:
        return QStringLiteral("לא ניתן לפתוח את השיעור: השורה %1 ארוכה מדי לדף התרגיל.").arg(line);
    case Kind::NullText:
        return QStringLiteral("אין לשיעור טקסט, ולכן הוא אינו מופיע ברשימת השיעורים.");
    case Kind::EmptyText:
        return QStringLiteral("הטקסט של השיעור ריק, ולכן הוא אינו מופיע ברשימת השיעורים.");
    case Kind::OneInHeading:
        return QStringLiteral("בכותרת יש את הספרה 1 (שורה %1), ולכן הכותרת נקטעת שם.").arg(line);
    case Kind::NoStartLine:
        return QStringLiteral("אין בשיעור שורה שמתחילה ב-1, ולכן דף התרגיל אינו מציג טקסט.");
    case Kind::UnnamedPattern:
        return QStringLiteral("לתבנית %1 אין שם, ולכן השיעורים שלה אינם מוצעים לתלמידים.").arg(pattern);
    case Kind::LessonOutOfRange:
        return QStringLiteral("מספרי השיעורים הם מ-1 עד %1; שיעור %2 אינו מופיע ברשימה.")
            .arg(Patterns::kHighestLessonNumber)
            .arg(lesson);
    case Kind::StoredTwice:
        return QStringLiteral("השיעור שמור %1 פעמים; רק הראשון נקרא.").arg(count);
    case Kind::Hole:
        return QStringLiteral("שיעור %1 חסר: במספור השיעורים של התבנית יש חור.").arg(lesson);
    case Kind::UnmatchedRow:
        return QStringLiteral("שורה %1 בטבלת השיעורים אינה נקראת לעולם: מספר התבנית או השיעור שלה אינו מספר שלם.")
            .arg(count);
    case Kind::StrayFile:
        return QStringLiteral("זה אינו קובץ שיעור; קובצי שיעור נקראים PP/LL.txt, בשתי ספרות כל מספר.");
    case Kind::OtherForm:
        return QStringLiteral("לתשובה של מילה חסרה %1 (\"%2\") יש צורה נפוצה נוספת; כדאי לציין בכותרת או ברמז "
                              "בסוגריים איזו צורה לכתוב.")
            .arg(count)
            .arg(texts.value(0));
    }
    return QString();
}

bool Finding::operator==(const Finding &other) const
{
    return std::tie(kind, pattern, lesson, line, file, count, texts)
        == std::tie(other.kind, other.pattern, other.lesson, other.line, other.file, other.count, other.texts);
}

QString describe(const Finding &finding)
{
    QStringList where;
    if (finding.pattern != 0)
        where << QStringLiteral("pattern %1").arg(finding.pattern);
    if (finding.lesson != 0)
        where << QStringLiteral("lesson %1").arg(finding.lesson);
    if (finding.line != 0)
        where << QStringLiteral("line %1").arg(finding.line);
    QString text = where.join(QLatin1Char(' '));
    if (!finding.file.isEmpty())
        text = text.isEmpty() ? finding.file : finding.file + QStringLiteral(": ") + text;
    return text.isEmpty() ? finding.english() : text + QStringLiteral(": ") + finding.english();
}

Finding builderRefusal(const Cloze::BuildError &error)
{
    switch (error.kind) {
    case Cloze::BuildError::Kind::UnpairedMarker:
        return {Kind::UnpairedMarker, 0, 0, error.line};
    case Cloze::BuildError::Kind::TooManyGaps:
        return {Kind::TooManyGaps, 0, 0, error.line};
    case Cloze::BuildError::Kind::TooManyTextRuns:
        break;
    }
    return {Kind::TooManyTextRuns, 0, 0, error.line};
}

QList<Finding> checkText(const QString &text, bool isNull)
{
    if (isNull)
        return {Finding{Kind::NullText}};
    if (text.isEmpty())
        return {Finding{Kind::EmptyText}};

    QList<Finding> findings;
    const QStringList lines = Cloze::splitLines(text);
    int startLine = -1;
    for (int i = 0; i < lines.size() && startLine < 0; ++i) {
        if (Cloze::isStartLine(lines.at(i)))
            startLine = i;
    }
    // The heading ends at the first "1" wherever it is; only at a line start is that
    // the start line the teacher meant.
    for (int i = 0; i < lines.size(); ++i) {
        const int one = int(lines.at(i).indexOf(QLatin1Char('1')));
        if (one >= 0) {
            if (one > 0)
                findings.append({Kind::OneInHeading, 0, 0, i + 1});
            break;
        }
    }
    // The page places gaps from the start line on; one above it would be counted but
    // never shown.
    const int headingLines = startLine < 0 ? int(lines.size()) : startLine;
    for (int i = 0; i < headingLines; ++i) {
        if (!Cloze::scanGaps(lines.at(i)).isEmpty())
            findings.append({Kind::GapAboveText, 0, 0, i + 1});
    }
    if (startLine < 0)
        findings.append({Kind::NoStartLine});

    const Cloze::BuildResult built = Cloze::buildLesson(text);
    if (built.error)
        findings.append(builderRefusal(*built.error));
    for (const FormWarnings::Warning &warning : FormWarnings::check(text))
        findings.append({Kind::OtherForm, 0, 0, warning.line, {}, warning.gap,
                         QStringList{warning.answer, warning.form} + warning.others});
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) { return a.line < b.line; });
    return findings;
}

QList<Finding> checkNumbers(int pattern, int lesson)
{
    QList<Finding> findings;
    if (Patterns::PatternName(pattern).isEmpty())
        findings.append({Kind::UnnamedPattern, pattern});
    if (lesson < 1 || lesson > Patterns::kHighestLessonNumber)
        findings.append({Kind::LessonOutOfRange, pattern, lesson});
    return findings;
}

Finding unmatchedRow(const Lessons::UnmatchedRow &row)
{
    return {Kind::UnmatchedRow, 0, 0, 0, {}, row.row, {QString::fromUtf8(row.pattern), QString::fromUtf8(row.lesson)}};
}

QList<Finding> checkStore(const QList<Lessons::StoredLesson> &rows)
{
    QList<Finding> findings;
    std::map<std::pair<int, int>, int> copies;
    std::map<int, std::set<int>> lessonsOf;
    for (const Lessons::StoredLesson &row : rows) {
        if (++copies[{row.pattern, row.lesson}] > 1)
            continue; // only the first row of a number is ever read
        for (Finding finding : checkText(row.cloze, row.isNull)) {
            finding.pattern = row.pattern;
            finding.lesson = row.lesson;
            findings.append(finding);
        }
        lessonsOf[row.pattern].insert(row.lesson);
    }
    for (const auto &[key, count] : copies) {
        if (count > 1)
            findings.append({Kind::StoredTwice, key.first, key.second, 0, {}, count});
    }
    for (const auto &[pattern, lessons] : lessonsOf) {
        bool patternNamed = true;
        for (int lesson : lessons) {
            for (const Finding &finding : checkNumbers(pattern, lesson)) {
                if (finding.kind == Kind::UnnamedPattern) {
                    if (!patternNamed)
                        continue;
                    patternNamed = false;
                }
                findings.append(finding);
            }
        }
        int highest = 0;
        for (int lesson : lessons) {
            if (lesson <= Patterns::kHighestLessonNumber)
                highest = std::max(highest, lesson);
        }
        for (int lesson = 1; lesson < highest; ++lesson) {
            if (!lessons.count(lesson))
                findings.append({Kind::Hole, pattern, lesson});
        }
    }
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
        return std::tie(a.pattern, a.lesson, a.line) < std::tie(b.pattern, b.lesson, b.line);
    });
    return findings;
}

} // namespace LessonRules
