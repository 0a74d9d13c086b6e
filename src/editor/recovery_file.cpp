#include "editor/recovery_file.h"

#include "editor/store_document.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace Editor {

using Lessons::StoredLesson;
using Lessons::SqliteWriter::RowChange;

namespace {

const char *const kKinds[] = {"insert", "update", "delete"};

QJsonObject rowJson(const StoredLesson &row)
{
    return {{QStringLiteral("rowid"), QString::number(row.rowId)},
            {QStringLiteral("pattern"), row.pattern},
            {QStringLiteral("lesson"), row.lesson},
            {QStringLiteral("cloze"), row.isNull ? QJsonValue() : QJsonValue(row.cloze)}};
}

StoredLesson rowFrom(const QJsonObject &json)
{
    StoredLesson row;
    row.rowId = json.value(QStringLiteral("rowid")).toString().toLongLong();
    row.pattern = json.value(QStringLiteral("pattern")).toInt();
    row.lesson = json.value(QStringLiteral("lesson")).toInt();
    row.isNull = json.value(QStringLiteral("cloze")).isNull();
    row.cloze = json.value(QStringLiteral("cloze")).toString();
    return row;
}

} // namespace

RecoveryFile::RecoveryFile(const QString &folder, const QString &storePath)
{
    const QFileInfo store(storePath);
    m_store = store.canonicalFilePath().isEmpty() ? store.absoluteFilePath() : store.canonicalFilePath();
    const QByteArray name = QCryptographicHash::hash(m_store.toUtf8(), QCryptographicHash::Sha1).toHex();
    m_path = QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".json"));
}

QString RecoveryFile::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)).filePath(QStringLiteral("recovery"));
}

bool RecoveryFile::write(const StoreDocument &document) const
{
    const QList<RowChange> changes = document.changes();
    if (changes.isEmpty()) {
        remove();
        return true;
    }
    QJsonArray list;
    for (const RowChange &change : changes) {
        list.append(QJsonObject{{QStringLiteral("kind"), QLatin1String(kKinds[int(change.kind)])},
                                {QStringLiteral("before"), rowJson(change.before)},
                                {QStringLiteral("after"), rowJson(change.after)}});
    }
    const QJsonObject json{{QStringLiteral("store"), m_store},
                           {QStringLiteral("written"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
                           {QStringLiteral("changes"), list}};
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    // Written aside and renamed: a crash while writing leaves the previous file whole.
    QSaveFile file(m_path);
    return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(json).toJson(QJsonDocument::Compact)) > 0
        && file.commit();
}

std::optional<RecoveryFile::Recovered> RecoveryFile::read() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
    if (json.value(QStringLiteral("store")).toString() != m_store)
        return std::nullopt;
    Recovered recovered;
    recovered.written = QDateTime::fromString(json.value(QStringLiteral("written")).toString(), Qt::ISODate);
    for (const QJsonValue &value : json.value(QStringLiteral("changes")).toArray()) {
        const QJsonObject change = value.toObject();
        const QString kind = change.value(QStringLiteral("kind")).toString();
        const auto known = std::find(std::begin(kKinds), std::end(kKinds), kind);
        if (known == std::end(kKinds))
            return std::nullopt;
        recovered.changes.append({RowChange::Kind(known - std::begin(kKinds)),
                                  rowFrom(change.value(QStringLiteral("before")).toObject()),
                                  rowFrom(change.value(QStringLiteral("after")).toObject())});
    }
    if (recovered.changes.isEmpty())
        return std::nullopt;
    return recovered;
}

void RecoveryFile::remove() const
{
    QFile::remove(m_path);
}

} // namespace Editor
