#include "platform/store_rows.h"

#include "lessons/cloze_builder.h"
#include "lessons/patterns.h"

#include <map>

namespace Lessons {

bool StoredLesson::operator==(const StoredLesson &other) const
{
    return pattern == other.pattern && lesson == other.lesson && cloze == other.cloze && isNull == other.isNull;
}

QString lessonName(int pattern, int lesson)
{
    return QStringLiteral("pattern %1 lesson %2").arg(pattern).arg(lesson);
}

QByteArray patternStatement(int pattern)
{
    return "Select * from closes Where pattern = " + QByteArray::number(pattern);
}

QByteArray lessonStatement(int pattern, int lesson)
{
    return "Select cloze from closes Where pattern = " + QByteArray::number(pattern) + " AND lesson = "
        + QByteArray::number(lesson);
}

QByteArray allRowsStatement()
{
    return "Select * from closes";
}

QList<LessonInfo> lessonListing(const QList<StoredLesson> &rows, int pattern)
{
    // The first row of a number decides, so a listed entry always opens the text
    // that the lesson click will read.
    std::map<int, const StoredLesson *> firstRow;
    for (const StoredLesson &row : rows) {
        if (row.pattern != pattern || row.lesson < 1 || row.lesson > Patterns::kHighestLessonNumber)
            continue;
        firstRow.emplace(row.lesson, &row);
    }
    QList<LessonInfo> listing;
    for (const auto &[lesson, row] : firstRow) {
        if (row->hasText())
            listing.append(LessonInfo{lesson, Cloze::heading(row->cloze)});
    }
    return listing;
}

QString lessonTextOf(const QList<StoredLesson> &rows, int pattern, int lesson)
{
    for (const StoredLesson &row : rows) {
        if (row.pattern == pattern && row.lesson == lesson)
            return row.isNull ? QString() : row.cloze;
    }
    return QString();
}

StoredNumber readStoredNumber(const QByteArray &text, int *value)
{
    const QByteArray trimmed = text.trimmed();
    const qsizetype digitsFrom = trimmed.startsWith('-') || trimmed.startsWith('+') ? 1 : 0;
    const qsizetype point = trimmed.indexOf('.');
    const qsizetype wholeEnd = point < 0 ? trimmed.size() : point;
    const auto allDigits = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            if (trimmed.at(i) < '0' || trimmed.at(i) > '9')
                return false;
        }
        return to > from;
    };
    if (!allDigits(digitsFrom, wholeEnd) || (point >= 0 && !allDigits(point + 1, trimmed.size())))
        return StoredNumber::NotNumber;
    for (qsizetype i = point + 1; point >= 0 && i < trimmed.size(); ++i) {
        if (trimmed.at(i) != '0')
            return StoredNumber::NotWhole;
    }
    bool fits = false;
    const int number = trimmed.left(wholeEnd).toInt(&fits);
    if (!fits)
        return StoredNumber::NotWhole;
    *value = number;
    return StoredNumber::Whole;
}

} // namespace Lessons
