#include "worksheet/sheet_content.h"

#include "lessons/cloze_builder.h"
#include "lessons/patterns.h"

#include <algorithm>

namespace Worksheet {

namespace {

// A lone line feed stays inside a line of a lesson; on paper it breaks the row
// without starting a new one.
QString shown(QString text)
{
    text.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
    return text;
}

} // namespace

PreparedSheet prepareSheet(const QString &clozeText)
{
    // The text rules' refusals take in the builder's and the gaps above the start
    // line; a line too wide for the screen's page needs the screen's measures and
    // wraps on paper anyway.
    for (const LessonRules::Finding &finding : LessonRules::checkText(clozeText)) {
        if (finding.severity() == LessonRules::Severity::Refusal)
            return {std::nullopt, finding};
    }
    const Cloze::BuildResult built = Cloze::buildLesson(clozeText);
    if (!built)
        return {std::nullopt, LessonRules::builderRefusal(*built.error)};

    SheetContent content;
    content.headingLines = Cloze::splitLines(built.lesson->heading);
    while (!content.headingLines.isEmpty() && content.headingLines.last().trimmed().isEmpty())
        content.headingLines.removeLast();
    for (QString &line : content.headingLines)
        line = shown(line);

    const QStringList &lines = built.lesson->lines;
    const auto start = std::find_if(lines.begin(), lines.end(), &Cloze::isStartLine);
    int gap = 0;
    for (auto line = start; line != lines.end(); ++line) {
        QList<RowPiece> row;
        int consumed = 0;
        // Every character as written: the screen's one-character rule is about its
        // labels, and a sheet shows the text whole.
        for (const Cloze::GapSpan &span : Cloze::scanGaps(*line)) {
            if (span.open > consumed)
                row.append({shown(line->mid(consumed, span.open - consumed)), 0});
            row.append({QString(), ++gap});
            consumed = span.close + 1;
        }
        if (consumed < line->size())
            row.append({shown(line->mid(consumed)), 0});
        content.rows.append(row);
    }
    content.answers = built.lesson->answers;
    content.masks = built.lesson->masks;
    content.wordBank = paperWordBank(content.answers);
    return {std::move(content), std::nullopt};
}

QString lessonCaption(int pattern, int lesson)
{
    const QString name = Patterns::PatternName(pattern);
    const QString patternPart = name.isEmpty() ? QStringLiteral("תבנית %1").arg(pattern)
                                               : QStringLiteral("תבנית %1 (%2)").arg(pattern).arg(name);
    return patternPart + QStringLiteral(" · שיעור %1").arg(lesson);
}

QStringList paperWordBank(const QStringList &answers)
{
    QStringList bank;
    for (const QString &answer : answers) {
        const QString entry = answer.trimmed();
        if (!entry.isEmpty() && !bank.contains(entry))
            bank.append(entry);
    }
    std::sort(bank.begin(), bank.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return bank;
}

} // namespace Worksheet
