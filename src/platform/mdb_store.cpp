#include "platform/mdb_store.h"

namespace Lessons {

MdbLessonStore::MdbLessonStore(QString path, Mdb::QueryOptions options)
    : m_path(std::move(path))
    , m_options(options)
{
}

StoreOutcome<QList<StoredLesson>> MdbLessonStore::wholeRows(const QByteArray &statement)
{
    if (const QString reason = unreadableFileReason(m_path); !reason.isEmpty())
        return {std::nullopt, reason};
    const auto answer = Mdb::runQuery(m_path, statement, {"pattern", "lesson", "cloze"}, m_options);
    if (!answer.ok())
        return {std::nullopt, answer.error};
    QList<StoredLesson> rows;
    for (const QByteArrayList &values : *answer.value) {
        StoredLesson row;
        if (!readStoredNumber(values.at(0), &row.pattern) || !readStoredNumber(values.at(1), &row.lesson)) {
            return {std::nullopt, QStringLiteral("%1: row %2 of closes: pattern and lesson must be whole numbers")
                                      .arg(m_path)
                                      .arg(rows.size() + 1)};
        }
        row.cloze = QString::fromUtf8(values.at(2));
        rows.append(row);
    }
    return {std::move(rows), QString()};
}

StoreOutcome<QList<LessonInfo>> MdbLessonStore::lessons(int pattern)
{
    const auto rows = wholeRows(patternStatement(pattern));
    if (!rows.ok())
        return {std::nullopt, rows.error};
    return {lessonListing(*rows.value, pattern), QString()};
}

StoreOutcome<QString> MdbLessonStore::lessonText(int pattern, int lesson)
{
    if (const QString reason = unreadableFileReason(m_path); !reason.isEmpty())
        return {std::nullopt, reason};
    const auto answer = Mdb::runQuery(m_path, lessonStatement(pattern, lesson), {"cloze"}, m_options);
    if (!answer.ok())
        return {std::nullopt, answer.error};
    if (answer.value->isEmpty())
        return {QString(), QString()};
    return {QString::fromUtf8(answer.value->first().at(0)), QString()};
}

StoreOutcome<QList<StoredLesson>> MdbLessonStore::allLessons()
{
    return wholeRows(allRowsStatement());
}

} // namespace Lessons
