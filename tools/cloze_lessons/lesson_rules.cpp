#include "lesson_rules.h"

#include "lessons/cloze_builder.h"
#include "lessons/patterns.h"
#include "state/variables.h"

#include <map>
#include <set>

namespace LessonTool {

namespace {

QString builderMessage(const Cloze::BuildError &error)
{
    switch (error.kind) {
    case Cloze::BuildError::Kind::UnpairedMarker:
        return QStringLiteral("a gap is opened with \"&\" but not closed on the same line");
    case Cloze::BuildError::Kind::TooManyGaps:
        return QStringLiteral("gap number %1 is one too many; a lesson holds at most %2 gaps")
            .arg(Variables::kMaxGaps + 1)
            .arg(Variables::kMaxGaps);
    case Cloze::BuildError::Kind::TooManyTextRuns:
        return QStringLiteral("from here the page would need more than %1 pieces of text; "
                              "use fewer lines or gaps")
            .arg(Cloze::kMaxTextRuns);
    }
    return QString();
}

} // namespace

bool Finding::operator==(const Finding &other) const
{
    return pattern == other.pattern && lesson == other.lesson && line == other.line && message == other.message
        && file == other.file;
}

QString formatFinding(const Finding &finding)
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
    return text.isEmpty() ? finding.message : text + QStringLiteral(": ") + finding.message;
}

QList<Finding> checkText(const QString &text, bool isNull)
{
    if (isNull)
        return {Finding{0, 0, 0, QStringLiteral("the text is null, so the lesson is not listed"), {}}};
    if (text.isEmpty())
        return {Finding{0, 0, 0, QStringLiteral("the text is empty, so the lesson is not listed"), {}}};

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
                findings.append({0, 0, i + 1,
                                 QStringLiteral("the heading holds a \"1\"; the heading ends there and the rest is lost"), {}});
            break;
        }
    }
    const int headingLines = startLine < 0 ? int(lines.size()) : startLine;
    for (int i = 0; i < headingLines; ++i) {
        if (lines.at(i).contains(QLatin1Char('&')))
            findings.append({0, 0, i + 1,
                             QStringLiteral("the heading holds a \"&\"; its gaps would be counted but never shown"), {}});
    }
    if (startLine < 0)
        findings.append({0, 0, 0, QStringLiteral("no line begins with \"1\", so the page shows no text"), {}});

    const Cloze::BuildResult built = Cloze::buildLesson(text);
    if (built.error)
        findings.append({0, 0, built.error->line, builderMessage(*built.error), {}});
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) { return a.line < b.line; });
    return findings;
}

QList<Finding> checkNumbers(int pattern, int lesson)
{
    QList<Finding> findings;
    if (Patterns::PatternName(pattern).isEmpty())
        findings.append({pattern, 0, 0, QStringLiteral("the pattern has no name, so its lessons are never offered"), {}});
    if (lesson < 1 || lesson > Patterns::kHighestLessonNumber)
        findings.append({pattern, lesson, 0,
                         QStringLiteral("lesson numbers run from 1 to %1; this lesson is never listed")
                             .arg(Patterns::kHighestLessonNumber),
                         {}});
    return findings;
}

QString unmatchedRowReason(const Lessons::UnmatchedRow &row)
{
    const auto shown = [](const QByteArray &text) { return text.isEmpty() ? QStringLiteral("null") : QString::fromUtf8(text); };
    QStringList why;
    for (const auto &[name, text] : {std::pair{"pattern", row.pattern}, std::pair{"lesson", row.lesson}}) {
        int value = 0;
        if (text.isEmpty())
            why << QStringLiteral("the %1 is null").arg(QLatin1String(name));
        else if (Lessons::readStoredNumber(text, &value) != Lessons::StoredNumber::Whole)
            why << QStringLiteral("no whole %1 number equals %2").arg(QLatin1String(name), shown(text));
    }
    return QStringLiteral("row %1 of closes: pattern %2 lesson %3: %4, so the row is never listed or read")
        .arg(row.row)
        .arg(shown(row.pattern), shown(row.lesson), why.join(QStringLiteral(" and ")));
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
            findings.append({key.first, key.second, 0,
                             QStringLiteral("stored %1 times; only the first row is read").arg(count), {}});
    }
    for (const auto &[pattern, lessons] : lessonsOf) {
        bool patternNamed = true;
        for (int lesson : lessons) {
            for (const Finding &finding : checkNumbers(pattern, lesson)) {
                if (finding.lesson == 0) {
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
                findings.append({pattern, lesson, 0,
                                 QStringLiteral("missing: the pattern's lessons are numbered with a hole here"), {}});
        }
    }
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
        return std::tie(a.pattern, a.lesson, a.line) < std::tie(b.pattern, b.lesson, b.line);
    });
    return findings;
}

} // namespace LessonTool
