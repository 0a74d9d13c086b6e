#include "editor/lesson_text.h"

#include "lessons/cloze_builder.h"

#include <QStringList>

namespace Editor::LessonText {

namespace {

const QChar kShownLineFeed(0x240A);

bool wordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('\'') || c == QChar(0x2019) || c == QLatin1Char('-');
}

} // namespace

QString toEditor(const QString &stored)
{
    QStringList lines = Cloze::splitLines(stored);
    for (QString &line : lines)
        line.replace(QLatin1Char('\n'), kShownLineFeed);
    return lines.join(QLatin1Char('\n'));
}

QString fromEditor(const QString &shown)
{
    QString text = shown;
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    text.replace(QLatin1Char('\r'), QString()); // a line feed in the editor is the one line break
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    text.replace(kShownLineFeed, QLatin1Char('\n'));
    return text;
}

GapEdit toggleGap(const QString &line, int from, int to)
{
    if (from > to)
        std::swap(from, to);
    int unpaired = -1;
    for (const Cloze::GapSpan &gap : Cloze::scanGaps(line, &unpaired)) {
        if (from >= gap.open && to <= gap.close + 1) {
            QString unwrapped = line;
            unwrapped.remove(gap.close, 1);
            unwrapped.remove(gap.open, 1);
            return {GapEdit::Refusal::None, unwrapped, gap.open, gap.close - 1};
        }
    }
    if (from == to) {
        while (from > 0 && wordCharacter(line.at(from - 1)))
            --from;
        while (to < line.size() && wordCharacter(line.at(to)))
            ++to;
    }
    while (from < to && line.at(from).isSpace())
        ++from;
    while (to > from && line.at(to - 1).isSpace())
        --to;
    if (from == to)
        return {GapEdit::Refusal::NoWords, line, from, to};
    if (line.mid(from, to - from).contains(QLatin1Char('&')))
        return {GapEdit::Refusal::HoldsMarker, line, from, to};
    // New markers after an unclosed one would pair up differently from what is meant.
    if (unpaired >= 0 && unpaired < from)
        return {GapEdit::Refusal::UnclosedMarker, line, from, to};
    QString wrapped = line;
    wrapped.insert(to, QLatin1Char('&'));
    wrapped.insert(from, QLatin1Char('&'));
    return {GapEdit::Refusal::None, wrapped, from + 1, to + 1};
}

} // namespace Editor::LessonText
