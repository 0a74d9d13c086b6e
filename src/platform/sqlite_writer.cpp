#include "platform/sqlite_writer.h"

#include "platform/sqlite_support.h"
#include "platform/store_rows.h"
#include "platform/store_engine.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

#include <unistd.h>

namespace Lessons::SqliteWriter {

namespace {

const char kSchema[] =
    "CREATE TABLE closes (pattern INTEGER NOT NULL, lesson INTEGER NOT NULL, cloze TEXT);"
    "CREATE INDEX closes_by_lesson ON closes (pattern, lesson);";

QString failed(const QString &path, const QString &why)
{
    return QStringLiteral("%1: %2").arg(path, why);
}

QString bindText(sqlite3_stmt *stmt, int index, const StoredLesson &row)
{
    if (row.isNull)
        return sqlite3_bind_null(stmt, index) == SQLITE_OK ? QString() : QStringLiteral("bind failed");
    const QByteArray utf8 = row.cloze.toUtf8();
    return sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) == SQLITE_OK
        ? QString()
        : QStringLiteral("bind failed");
}

QString writeRows(sqlite3 *db, const QList<StoredLesson> &rows)
{
    Sqlite::Statement insert(db, "INSERT INTO closes (pattern, lesson, cloze) VALUES (?, ?, ?)");
    if (!insert.ok())
        return QString::fromUtf8(sqlite3_errmsg(db));
    for (const StoredLesson &row : rows) {
        sqlite3_reset(insert.get());
        sqlite3_bind_int(insert.get(), 1, row.pattern);
        sqlite3_bind_int(insert.get(), 2, row.lesson);
        if (const QString error = bindText(insert.get(), 3, row); !error.isEmpty())
            return error;
        if (sqlite3_step(insert.get()) != SQLITE_DONE)
            return QString::fromUtf8(sqlite3_errmsg(db));
    }
    return QString();
}

/// An open, checked store ready for one change; the transaction is rolled back unless committed.
class Transaction
{
public:
    QString begin(const QString &path)
    {
        if (isAccessPath(path))
            return failed(path, QStringLiteral("an Access file is never changed; import it into an SQLite store first"));
        if (const QString reason = unreadableFileReason(path); !reason.isEmpty())
            return reason;
        if (const QString error = m_connection.open(path, SQLITE_OPEN_READWRITE); !error.isEmpty())
            return error;
        // IMMEDIATE takes the write lock now, so the checks below still hold at commit.
        if (const QString error = m_connection.exec("BEGIN IMMEDIATE"); !error.isEmpty())
            return failed(path, error);
        m_open = true;
        if (const QString error = Sqlite::checkTable(m_connection.handle()); !error.isEmpty())
            return failed(path, error);
        return QString();
    }

    sqlite3 *db() const { return m_connection.handle(); }

    QString commit(const QString &path)
    {
        if (const QString error = m_connection.exec("COMMIT"); !error.isEmpty())
            return failed(path, error);
        m_open = false;
        return QString();
    }

    ~Transaction()
    {
        if (m_open)
            m_connection.exec("ROLLBACK");
    }

private:
    Sqlite::Connection m_connection;
    bool m_open = false;
};

StoreOutcome<int> rowsOf(sqlite3 *db, int pattern, int lesson)
{
    Sqlite::Statement count(db, "SELECT count(*) FROM closes WHERE pattern = ? AND lesson = ?");
    if (!count.ok())
        return {std::nullopt, QString::fromUtf8(sqlite3_errmsg(db))};
    sqlite3_bind_int(count.get(), 1, pattern);
    sqlite3_bind_int(count.get(), 2, lesson);
    if (sqlite3_step(count.get()) != SQLITE_ROW)
        return {std::nullopt, QString::fromUtf8(sqlite3_errmsg(db))};
    return {sqlite3_column_int(count.get(), 0), QString()};
}

StoreOutcome<bool> runChange(sqlite3 *db, const QByteArray &sql, int pattern, int lesson, const QString *text)
{
    Sqlite::Statement stmt(db, sql);
    if (!stmt.ok())
        return {std::nullopt, QString::fromUtf8(sqlite3_errmsg(db))};
    int index = 1;
    QByteArray utf8;
    if (text) {
        utf8 = text->toUtf8();
        sqlite3_bind_text(stmt.get(), index++, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
    }
    sqlite3_bind_int(stmt.get(), index++, pattern);
    sqlite3_bind_int(stmt.get(), index++, lesson);
    if (sqlite3_step(stmt.get()) != SQLITE_DONE)
        return {std::nullopt, QString::fromUtf8(sqlite3_errmsg(db))};
    return {true, QString()};
}

} // namespace

StoreOutcome<int> createStore(const QString &path, const QList<StoredLesson> &rows, Existing existing)
{
    if (isAccessPath(path))
        return {std::nullopt, failed(path, QStringLiteral("the tool writes SQLite stores only"))};
    const QFileInfo target(path);
    if (target.exists() && (existing == Existing::Refuse || !target.isFile()))
        return {std::nullopt, failed(path, QStringLiteral("already exists; choose a new file name"))};
    if (!target.absoluteDir().exists())
        return {std::nullopt, failed(path, QStringLiteral("its folder does not exist"))};

    QTemporaryFile part(target.absoluteFilePath() + QStringLiteral(".part-XXXXXX"));
    if (!part.open())
        return {std::nullopt, failed(path, part.errorString())};
    part.close();
    QString error;
    {
        Sqlite::Connection connection;
        error = connection.open(part.fileName(), SQLITE_OPEN_READWRITE);
        if (error.isEmpty())
            error = connection.exec("BEGIN");
        if (error.isEmpty())
            error = connection.exec(kSchema);
        if (error.isEmpty())
            error = writeRows(connection.handle(), rows);
        if (error.isEmpty())
            error = connection.exec("COMMIT");
    }
    if (!error.isEmpty())
        return {std::nullopt, failed(path, error)};
    // rename() replaces the target in one step, so a reader sees the old store or the new.
    if (std::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return {std::nullopt, failed(path, QStringLiteral("could not put the new store in place"))};
    part.setAutoRemove(false);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return {int(rows.size()), QString()};
}

StoreOutcome<bool> putLesson(const QString &path, int pattern, int lesson, const QString &text, Change change)
{
    Transaction transaction;
    if (const QString error = transaction.begin(path); !error.isEmpty())
        return {std::nullopt, error};
    const auto present = rowsOf(transaction.db(), pattern, lesson);
    if (!present.ok())
        return {std::nullopt, failed(path, present.error)};
    if (change == Change::Add && *present.value > 0)
        return {std::nullopt, failed(path, lessonName(pattern, lesson) + QStringLiteral(" is already there; use replace"))};
    if (change == Change::Replace && *present.value == 0)
        return {std::nullopt, failed(path, lessonName(pattern, lesson) + QStringLiteral(" is not there; use add"))};
    const auto done = change == Change::Add
        ? runChange(transaction.db(), "INSERT INTO closes (cloze, pattern, lesson) VALUES (?, ?, ?)", pattern, lesson, &text)
        : runChange(transaction.db(), "UPDATE closes SET cloze = ? WHERE pattern = ? AND lesson = ?", pattern, lesson, &text);
    if (!done.ok())
        return {std::nullopt, failed(path, done.error)};
    if (const QString error = transaction.commit(path); !error.isEmpty())
        return {std::nullopt, error};
    return {true, QString()};
}

StoreOutcome<bool> removeLesson(const QString &path, int pattern, int lesson)
{
    Transaction transaction;
    if (const QString error = transaction.begin(path); !error.isEmpty())
        return {std::nullopt, error};
    const auto present = rowsOf(transaction.db(), pattern, lesson);
    if (!present.ok())
        return {std::nullopt, failed(path, present.error)};
    if (*present.value == 0)
        return {std::nullopt, failed(path, lessonName(pattern, lesson) + QStringLiteral(" is not there"))};
    const auto done = runChange(transaction.db(), "DELETE FROM closes WHERE pattern = ? AND lesson = ?", pattern, lesson, nullptr);
    if (!done.ok())
        return {std::nullopt, failed(path, done.error)};
    if (const QString error = transaction.commit(path); !error.isEmpty())
        return {std::nullopt, error};
    return {true, QString()};
}

} // namespace Lessons::SqliteWriter

namespace Lessons::SqliteWriter {

namespace {

Failure failureOf(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Failure::Locked;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return Failure::ReadOnly;
    case SQLITE_FULL:
    case SQLITE_IOERR:
        return Failure::WriteFailed;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_CANTOPEN:
        return Failure::NotAStore;
    default:
        return Failure::Other;
    }
}

// The row as it is in the store now equals the row as it was read.
bool unchanged(sqlite3_stmt *select, const StoredLesson &before)
{
    int number = 0;
    const auto numberIs = [&](int column, int expected) {
        const char *text = reinterpret_cast<const char *>(sqlite3_column_text(select, column));
        return text && readStoredNumber(QByteArray(text), &number) == StoredNumber::Whole && number == expected;
    };
    if (!numberIs(0, before.pattern) || !numberIs(1, before.lesson))
        return false;
    switch (sqlite3_column_type(select, 2)) {
    case SQLITE_NULL:
        return before.isNull;
    case SQLITE_TEXT:
        return !before.isNull
            && QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select, 2)), sqlite3_column_bytes(select, 2))
            == before.cloze;
    default:
        return false;
    }
}

} // namespace

SaveOutcome applyChanges(const QString &path, const QList<RowChange> &changes)
{
    const auto fail = [&path](Failure failure, const QString &why) { return SaveOutcome{failure, failed(path, why), {}}; };
    if (isAccessPath(path))
        return fail(Failure::ReadOnly, QStringLiteral("an Access file is never changed"));
    if (const QString reason = unreadableFileReason(path); !reason.isEmpty())
        return SaveOutcome{Failure::NotAStore, reason, {}};
    // SQLite writes its journal beside the store, so the folder must take a new file too.
    if (::access(QFile::encodeName(path).constData(), W_OK) != 0
        || ::access(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), W_OK) != 0)
        return fail(Failure::ReadOnly, QStringLiteral("the file or its folder may not be written"));

    Sqlite::Connection connection;
    if (const QString error = connection.open(path, SQLITE_OPEN_READWRITE); !error.isEmpty())
        return SaveOutcome{Failure::NotAStore, error, {}};
    sqlite3 *db = connection.handle();
    sqlite3_busy_timeout(db, kSaveBusyTimeoutMs);
    const auto dbFailure = [&] { return fail(failureOf(sqlite3_extended_errcode(db)), connection.lastError()); };
    // IMMEDIATE takes the write lock now, so the rows checked below stay as they are.
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return dbFailure();
    struct Rollback
    {
        sqlite3 *db;
        bool open = true;
        ~Rollback()
        {
            if (open)
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    } transaction{db};
    if (const QString error = Sqlite::checkTable(db); !error.isEmpty())
        return fail(Failure::NotAStore, error);

    Sqlite::Statement select(db, "SELECT pattern, lesson, cloze FROM closes WHERE rowid = ?");
    Sqlite::Statement update(db, "UPDATE closes SET pattern = ?, lesson = ?, cloze = ? WHERE rowid = ?");
    Sqlite::Statement remove(db, "DELETE FROM closes WHERE rowid = ?");
    Sqlite::Statement insert(db, "INSERT INTO closes (pattern, lesson, cloze) VALUES (?, ?, ?)");
    if (!select.ok() || !update.ok() || !remove.ok() || !insert.ok())
        return dbFailure();

    SaveOutcome outcome;
    for (const RowChange &change : changes) {
        if (change.kind != RowChange::Kind::Insert) {
            sqlite3_reset(select.get());
            sqlite3_bind_int64(select.get(), 1, change.before.rowId);
            const int rc = sqlite3_step(select.get());
            if (rc != SQLITE_ROW && rc != SQLITE_DONE)
                return dbFailure();
            if (rc == SQLITE_DONE || !unchanged(select.get(), change.before))
                return fail(Failure::Changed, lessonName(change.before.pattern, change.before.lesson)
                                                  + QStringLiteral(" was changed by another program since it was read"));
        }
        sqlite3_stmt *stmt = change.kind == RowChange::Kind::Insert ? insert.get()
            : change.kind == RowChange::Kind::Update                ? update.get()
                                                                    : remove.get();
        sqlite3_reset(stmt);
        if (change.kind == RowChange::Kind::Delete) {
            sqlite3_bind_int64(stmt, 1, change.before.rowId);
        } else {
            sqlite3_bind_int(stmt, 1, change.after.pattern);
            sqlite3_bind_int(stmt, 2, change.after.lesson);
            if (const QString error = bindText(stmt, 3, change.after); !error.isEmpty())
                return fail(Failure::Other, error);
            if (change.kind == RowChange::Kind::Update)
                sqlite3_bind_int64(stmt, 4, change.before.rowId);
        }
        if (sqlite3_step(stmt) != SQLITE_DONE)
            return dbFailure();
        if (change.kind == RowChange::Kind::Insert)
            outcome.insertedIds.append(sqlite3_last_insert_rowid(db));
    }
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        return dbFailure();
    transaction.open = false;
    return outcome;
}

} // namespace Lessons::SqliteWriter
