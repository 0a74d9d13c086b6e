#include "platform/sqlite_support.h"

#include <QFile>
#include <QStringList>

namespace Lessons::Sqlite {

Connection::~Connection()
{
    if (m_db)
        sqlite3_close_v2(m_db);
}

QString Connection::open(const QString &path, int flags)
{
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString error = m_db ? lastError() : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return QStringLiteral("%1: %2").arg(path, error);
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(m_db, 1);
    return QString();
}

QString Connection::lastError() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

QString Connection::exec(const char *sql)
{
    char *message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return QString();
    const QString error = message ? QString::fromUtf8(message) : lastError();
    sqlite3_free(message);
    return error;
}

Statement::Statement(sqlite3 *db, const QByteArray &sql)
{
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

int Statement::column(const char *name) const
{
    const int count = sqlite3_column_count(m_stmt);
    for (int i = 0; i < count; ++i) {
        if (sqlite3_stricmp(sqlite3_column_name(m_stmt, i), name) == 0)
            return i;
    }
    return -1;
}

QString checkTable(sqlite3 *db)
{
    Statement info(db, "PRAGMA table_info(closes)");
    if (!info.ok())
        return QString::fromUtf8(sqlite3_errmsg(db));
    QStringList missing = {QStringLiteral("pattern"), QStringLiteral("lesson"), QStringLiteral("cloze")};
    bool any = false;
    int rc;
    while ((rc = sqlite3_step(info.get())) == SQLITE_ROW) {
        any = true;
        const QString name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info.get(), 1)));
        missing.removeIf([&](const QString &m) { return m.compare(name, Qt::CaseInsensitive) == 0; });
    }
    if (rc != SQLITE_DONE)
        return QString::fromUtf8(sqlite3_errmsg(db));
    if (!any)
        return QStringLiteral("no table closes");
    if (!missing.isEmpty())
        return QStringLiteral("table closes has no column %1").arg(missing.join(QStringLiteral(", ")));
    return QString();
}

} // namespace Lessons::Sqlite
