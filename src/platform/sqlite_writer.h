#pragma once

#include "lessons/lesson_store.h"
#include "platform/store_rows.h"

/// Changes to an SQLite lesson store. Each change is one transaction: a change that
/// is refused or interrupted leaves the file as it was. Access files are never written.
namespace Lessons::SqliteWriter {

enum class Existing { Refuse, Replace };

/// Writes rows (in their order) as a new store at path. The file is made beside the
/// target and renamed over it only when complete; with Existing::Refuse a file that is
/// already there is left alone and the call fails. Gives the number of rows written.
StoreOutcome<int> createStore(const QString &path, const QList<StoredLesson> &rows, Existing existing);

enum class Change { Add, Replace };

/// Add: the lesson must not be there yet. Replace: it must be there; every row of
/// that number gets the new text, other columns of those rows are kept.
StoreOutcome<bool> putLesson(const QString &path, int pattern, int lesson, const QString &text, Change change);

/// Removes every row of that lesson; fails when there is none.
StoreOutcome<bool> removeLesson(const QString &path, int pattern, int lesson);

} // namespace Lessons::SqliteWriter
