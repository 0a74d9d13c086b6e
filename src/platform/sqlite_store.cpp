#include "platform/sqlite_store.h"

#include "platform/sqlite_support.h"

#include <limits>
#include <optional>

namespace Lessons {

namespace {

// Every row with the rowid a change of it is written by.
const QByteArray kRowsWithIds = QByteArrayLiteral("SELECT rowid AS closes_rowid, * FROM closes");

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
        return readStoredNumber(QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                           sqlite3_column_bytes(stmt, column)),
                                value)
            == StoredNumber::Whole;
    default:
        return false;
    }
}

struct TableShape
{
    QString fault;
    bool numbersAsText = false;
};

// One pass over the column types (SQLite keeps them in each row's header, so no text
// is read): numbers must be whole, texts text or null.
TableShape tableShape(sqlite3 *db)
{
    Sqlite::Statement odd(db, "SELECT pattern, lesson, typeof(cloze) FROM closes WHERE typeof(pattern) <> 'integer' "
                              "OR typeof(lesson) <> 'integer' OR typeof(cloze) NOT IN ('text', 'null')");
    if (!odd.ok())
        return {Sqlite::checkTable(db), false};
    TableShape shape;
    int rc;
    while ((rc = sqlite3_step(odd.get())) == SQLITE_ROW) {
        int number = 0;
        if (!readNumberColumn(odd.get(), 0, &number) || !readNumberColumn(odd.get(), 1, &number))
            return {QStringLiteral("a row of closes has a pattern or lesson that is not a whole number"), false};
        const char *type = reinterpret_cast<const char *>(sqlite3_column_text(odd.get(), 2));
        if (qstrcmp(type, "text") != 0 && qstrcmp(type, "null") != 0)
            return {QStringLiteral("a row of closes has a cloze that is not text"), false};
        shape.numbersAsText = true;
    }
    if (rc != SQLITE_DONE)
        return {QString::fromUtf8(sqlite3_errmsg(db)), false};
    return shape;
}

} // namespace

SqliteLessonStore::SqliteLessonStore(QString path)
    : m_path(std::move(path))
{
}

StoreOutcome<QList<StoredLesson>> SqliteLessonStore::query(const QByteArray &statement, bool wholeRows, bool *whole)
{
    if (const QString reason = unreadableFileReason(m_path); !reason.isEmpty())
        return {std::nullopt, reason};
    Sqlite::Connection connection;
    if (const QString error = connection.open(m_path, SQLITE_OPEN_READONLY); !error.isEmpty())
        return {std::nullopt, error};
    const TableShape shape = tableShape(connection.handle());
    if (!shape.fault.isEmpty())
        return {std::nullopt, QStringLiteral("%1: %2").arg(m_path, shape.fault)};
    *whole = shape.numbersAsText;
    if (shape.numbersAsText)
        wholeRows = true;
    const bool withIds = statement == kRowsWithIds;
    std::optional<Sqlite::Statement> stmt;
    stmt.emplace(connection.handle(), shape.numbersAsText && !withIds ? allRowsStatement() : statement);
    // A table made WITHOUT ROWID has no rowid: its rows are read without one.
    if (!stmt->ok() && withIds)
        stmt.emplace(connection.handle(), allRowsStatement());
    if (!stmt->ok())
        return {std::nullopt, QStringLiteral("%1: %2").arg(m_path, connection.lastError())};

    const int idColumn = withIds ? stmt->column("closes_rowid") : -1;
    const int patternColumn = stmt->column("pattern");
    const int lessonColumn = stmt->column("lesson");
    const int clozeColumn = stmt->column("cloze");
    if (clozeColumn < 0 || (wholeRows && (patternColumn < 0 || lessonColumn < 0)))
        return {std::nullopt, QStringLiteral("%1: %2").arg(m_path, Sqlite::checkTable(connection.handle()))};

    QList<StoredLesson> rows;
    int rc;
    while ((rc = sqlite3_step(stmt->get())) == SQLITE_ROW) {
        StoredLesson row;
        if (idColumn >= 0)
            row.rowId = sqlite3_column_int64(stmt->get(), idColumn);
        const int rowNumber = int(rows.size()) + 1;
        if ((patternColumn >= 0 && !readNumberColumn(stmt->get(), patternColumn, &row.pattern))
            || (lessonColumn >= 0 && !readNumberColumn(stmt->get(), lessonColumn, &row.lesson))) {
            return {std::nullopt,
                    QStringLiteral("%1: row %2 of closes: pattern and lesson must be whole numbers").arg(m_path).arg(rowNumber)};
        }
        switch (sqlite3_column_type(stmt->get(), clozeColumn)) {
        case SQLITE_NULL:
            row.isNull = true;
            break;
        case SQLITE_TEXT:
            row.cloze = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt->get(), clozeColumn)),
                                          sqlite3_column_bytes(stmt->get(), clozeColumn));
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
    bool whole = false;
    auto rows = query(patternStatement(pattern), true, &whole);
    if (!rows.ok())
        return {std::nullopt, rows.error};
    return {lessonListing(*rows.value, pattern), QString()};
}

StoreOutcome<QString> SqliteLessonStore::lessonText(int pattern, int lesson)
{
    bool whole = false;
    auto rows = query(lessonStatement(pattern, lesson), false, &whole);
    if (!rows.ok())
        return {std::nullopt, rows.error};
    if (whole)
        return {lessonTextOf(*rows.value, pattern, lesson), QString()};
    if (rows.value->isEmpty())
        return {QString(), QString()};
    const StoredLesson &first = rows.value->first();
    return {first.isNull ? QString() : first.cloze, QString()};
}

StoreOutcome<StoredTable> SqliteLessonStore::table()
{
    // The store refuses numbers that are not whole, so every row is a lesson.
    bool whole = false;
    auto rows = query(kRowsWithIds, true, &whole);
    if (!rows.ok())
        return {std::nullopt, rows.error};
    return {StoredTable{std::move(*rows.value), {}}, QString()};
}

} // namespace Lessons
