#pragma once

#include "platform/store_rows.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <string>

/// Fixtures for store tests: the files of tests/fixtures are copied into a folder of the
/// test's own, never opened where they lie.
namespace StoreTests {

QString fixturePath(const QString &name);

/// Every row of db1.mdb's table closes, in table order, as the fixture's list gives it.
const QList<Lessons::StoredLesson> &expectedRows();

/// The first row of each pattern and lesson, which is what a store reads.
const Lessons::StoredLesson *expectedRow(int pattern, int lesson);

QByteArray readFile(const QString &path);

/// Every row of the SQLite store at path, as the pupil program's reader gives them;
/// a store that cannot be read fails the test and gives none.
QList<Lessons::StoredLesson> sqliteRows(const QString &path);

/// A temporary folder removed with the test.
class StoreFolder
{
public:
    StoreFolder();
    QString path(const QString &name) const;
    /// Copies a fixture in, writable like any file a teacher copies.
    QString copyFixture(const QString &fixture, const QString &as);
    QString write(const QString &name, const QByteArray &bytes);
    /// An SQLite file made by running sql on a new database, or on the one there; values,
    /// when given, gets every value the statement gives, each followed by "|".
    QString sqlite(const QString &name, const char *sql, std::string *values = nullptr);

private:
    QTemporaryDir m_dir;
};

/// Lets QString print in assertion messages.
inline std::string show(const QString &text)
{
    return text.toStdString();
}

} // namespace StoreTests
