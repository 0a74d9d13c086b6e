#include "store_test_support.h"

#include "platform/sqlite_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>

namespace StoreTests {

QString fixturePath(const QString &name)
{
    return QDir(QStringLiteral(CLOZE_FIXTURES_DIR)).filePath(name);
}

const QList<Lessons::StoredLesson> &expectedRows()
{
    static const QList<Lessons::StoredLesson> rows = [] {
        QList<Lessons::StoredLesson> list;
        for (const QJsonValue &value : QJsonDocument::fromJson(readFile(fixturePath(QStringLiteral("db1.expected.json")))).array()) {
            const QJsonValue cloze = value[QStringLiteral("cloze")];
            list.append({value[QStringLiteral("pattern")].toInt(), value[QStringLiteral("lesson")].toInt(), cloze.toString(),
                         cloze.isNull()});
        }
        return list;
    }();
    return rows;
}

const Lessons::StoredLesson *expectedRow(int pattern, int lesson)
{
    const auto &rows = expectedRows();
    const auto first = std::find_if(rows.begin(), rows.end(), [=](const auto &row) { return row.pattern == pattern && row.lesson == lesson; });
    return first == rows.end() ? nullptr : &*first;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<Lessons::StoredLesson> sqliteRows(const QString &path)
{
    const auto rows = Lessons::SqliteLessonStore(path).allLessons();
    EXPECT_TRUE(rows.ok()) << show(rows.error);
    return rows.ok() ? *rows.value : QList<Lessons::StoredLesson>();
}

StoreFolder::StoreFolder()
{
    EXPECT_TRUE(m_dir.isValid());
}

QString StoreFolder::path(const QString &name) const
{
    return m_dir.filePath(name);
}

QString StoreFolder::copyFixture(const QString &fixture, const QString &as)
{
    const QString target = path(as);
    EXPECT_TRUE(QFile::copy(fixturePath(fixture), target)) << show(fixture);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QString StoreFolder::write(const QString &name, const QByteArray &bytes)
{
    const QString target = path(name);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return target;
}

QString StoreFolder::sqlite(const QString &name, const char *sql, std::string *values)
{
    const QString target = path(name);
    sqlite3 *db = nullptr;
    EXPECT_EQ(sqlite3_open(QFile::encodeName(target).constData(), &db), SQLITE_OK);
    const auto collect = [](void *out, int n, char **row, char **) {
        for (int i = 0; i < n; ++i)
            *static_cast<std::string *>(out) += std::string(row[i] ? row[i] : "") + "|";
        return 0;
    };
    char *error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, values ? +collect : nullptr, values, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
    return target;
}

} // namespace StoreTests
