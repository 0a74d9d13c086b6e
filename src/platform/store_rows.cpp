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
    return Numbers::readWholeNumber(QString::fromLatin1(text.trimmed()), value);
}

} // namespace Lessons
