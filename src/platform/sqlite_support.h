#pragma once

#include <QByteArray>
#include <QString>

#include <sqlite3.h>

/// Small helpers shared by the SQLite reader and writer.
namespace Lessons::Sqlite {

/// Owns one connection; closes it when it goes out of scope.
class Connection
{
public:
    Connection() = default;
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    ~Connection();

    /// Opens an existing file; flags as for sqlite3_open_v2. Returns an error text or empty.
    QString open(const QString &path, int flags);
    sqlite3 *handle() const { return m_db; }
    QString lastError() const;

    /// Runs statements without results; returns an error text or empty.
    QString exec(const char *sql);

private:
    sqlite3 *m_db = nullptr;
};

/// Owns one prepared statement.
class Statement
{
public:
    Statement(sqlite3 *db, const QByteArray &sql);
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement();

    bool ok() const { return m_stmt != nullptr; }
    sqlite3_stmt *get() const { return m_stmt; }
    /// The result column of that name (any letter case), or -1.
    int column(const char *name) const;

private:
    sqlite3_stmt *m_stmt = nullptr;
};

/// How long a call waits for another program's lock before it gives up.
constexpr int kBusyTimeoutMs = 1000;

/// Checks that `closes` has the columns pattern, lesson and cloze; error text or empty.
QString checkTable(sqlite3 *db);

} // namespace Lessons::Sqlite
