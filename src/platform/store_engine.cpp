#include "platform/store_engine.h"

#include "platform/mdb_store.h"
#include "platform/sqlite_store.h"

#include <QFileInfo>

namespace Lessons {

StoreOutcome<QList<StoredLesson>> StoreEngine::allLessons()
{
    auto whole = table();
    if (!whole.ok())
        return {std::nullopt, whole.error};
    return {std::move(whole.value->lessons), QString()};
}

bool isAccessPath(const QString &path)
{
    return path.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive);
}

std::unique_ptr<StoreEngine> openStoreEngine(const QString &path)
{
    if (isAccessPath(path))
        return std::make_unique<MdbLessonStore>(path);
    return std::make_unique<SqliteLessonStore>(path);
}

QString unreadableFileReason(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("%1: no such file").arg(path);
    if (!info.isFile())
        return QStringLiteral("%1: not a regular file").arg(path);
    if (!info.isReadable())
        return QStringLiteral("%1: not readable").arg(path);
    return QString();
}

} // namespace Lessons
