#pragma once

#include "lessons/lesson_store.h"
#include "platform/store_rows.h"

#include <memory>

namespace Lessons {

/// A lesson store file read by one engine. Beside the chooser's two operations it
/// gives every row, which teachers' tools need. Nothing here writes to the file.
class StoreEngine : public LessonStore
{
public:
    /// Every row of `closes`, in table order; the rows no whole number selects apart.
    virtual StoreOutcome<StoredTable> table() = 0;

    /// The rows of `closes` that whole numbers select, in table order.
    StoreOutcome<QList<StoredLesson>> allLessons();
};

/// True for a path that names an Access file (".mdb", any letter case).
bool isAccessPath(const QString &path);

/// The Access engine for an ".mdb" path, the SQLite engine for any other.
std::unique_ptr<StoreEngine> openStoreEngine(const QString &path);

/// A clear reason why path cannot be read as a store file at all, or empty when it
/// is a readable regular file. Both engines ask this first: a folder or a pipe under
/// the store's name must fail at once, not block.
QString unreadableFileReason(const QString &path);

} // namespace Lessons
