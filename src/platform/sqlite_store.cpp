#include "platform/sqlite_store.h"

#include "platform/sqlite_support.h"

#include <limits>

namespace Lessons {

namespace {

// A store a teacher made by hand may hold its numbers as text; anything that is
// not a whole number makes the store unusable rather than silently misread.
bool readNumberColumn(sqlite3_stmt *stmt, int column, int *value)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 number = sqlite3_column_int64(stmt, column);
        if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            return false;
        *value = int(number);
        return true;
    }
    case SQLITE_TEXT:
        return readStoredNumber(
            QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)), sqlite3_column_bytes(stmt, column)),
            value);
    default:
        return false;
    }
}

} // namespace

SqliteLessonStore::SqliteLessonStore(QString path)
    : m_path(std::move(path))
{
}

StoreOutcome<QList<StoredLesson>> SqliteLessonStore::query(const QByteArray &statement, bool wholeRows)
{
    if (const QString reason = unreadableFileReason(m_path); !reason.isEmpty())
        return {std::nullopt, reason};
    Sqlite::Connection connection;
    if (const QString error = connection.open(m_path, SQLITE_OPEN_READONLY); !error.isEmpty())
        return {std::nullopt, error};
    Sqlite::Statement stmt(connection.handle(), statement);
    if (!stmt.ok())
        return {std::nullopt, QStringLiteral("%1: %2").arg(m_path, connection.lastError())};

    const int patternColumn = stmt.column("pattern");
    const int lessonColumn = stmt.column("lesson");
    const int clozeColumn = stmt.column("cloze");
    if (clozeColumn < 0 || (wholeRows && (patternColumn < 0 || lessonColumn < 0)))
        return {std::nullopt, QStringLiteral("%1: %2").arg(m_path, Sqlite::checkTable(connection.handle()))};

    QList<StoredLesson> rows;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        StoredLesson row;
        const int rowNumber = int(rows.size()) + 1;
        if ((patternColumn >= 0 && !readNumberColumn(stmt.get(), patternColumn, &row.pattern))
            || (lessonColumn >= 0 && !readNumberColumn(stmt.get(), lessonColumn, &row.lesson))) {
            return {std::nullopt,
                    QStringLiteral("%1: row %2 of closes: pattern and lesson must be whole numbers").arg(m_path).arg(rowNumber)};
        }
        switch (sqlite3_column_type(stmt.get(), clozeColumn)) {
        case SQLITE_NULL:
            row.isNull = true;
            break;
        case SQLITE_TEXT:
            row.cloze = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), clozeColumn)),
                                          sqlite3_column_bytes(stmt.get(), clozeColumn));
            break;
        default:
            return {std::nullopt,
                    QStringLiteral("%1: row %2 of closes: cloze is not text").arg(m_path).arg(rowNumber)};
        }
        rows.append(row);
    }
    if (rc != SQLITE_DONE)
        return {std::nullopt, QStringLiteral("%1: %2").arg(m_path, connection.lastError())};
    return {std::move(rows), QString()};
}

StoreOutcome<QList<LessonInfo>> SqliteLessonStore::lessons(int pattern)
{
    auto rows = query(patternStatement(pattern), true);
    if (!rows.ok())
        return {std::nullopt, rows.error};
    return {lessonListing(*rows.value, pattern), QString()};
}

StoreOutcome<QString> SqliteLessonStore::lessonText(int pattern, int lesson)
{
    auto rows = query(lessonStatement(pattern, lesson), false);
    if (!rows.ok())
        return {std::nullopt, rows.error};
    if (rows.value->isEmpty())
        return {QString(), QString()};
    const StoredLesson &first = rows.value->first();
    return {first.isNull ? QString() : first.cloze, QString()};
}

StoreOutcome<QList<StoredLesson>> SqliteLessonStore::allLessons()
{
    return query(allRowsStatement(), true);
}

} // namespace Lessons
