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

/// One row's part in a save, found by the rowid it was read with.
struct RowChange
{
    enum class Kind { Insert, Update, Delete };
    Kind kind = Kind::Insert;
    StoredLesson before; ///< Update, Delete: the row as it was read, rowId set; it must still be so
    StoredLesson after;  ///< Insert, Update: what the row becomes
};

/// Why a save did not happen; the store is then as it was.
enum class Failure {
    None,
    Locked,    ///< another program held the store longer than the save waits
    ReadOnly,  ///< the file or its folder may not be written, or it is an Access file
    WriteFailed, ///< a write failed: the disk is full, or the file may grow no further
    Changed,   ///< another program changed or removed a row since it was read
    NotAStore, ///< missing, damaged, or without a table closes
    Other,
};

struct SaveOutcome
{
    Failure failure = Failure::None;
    QString error;             ///< the details, for logs and teachers' tools
    QList<qint64> insertedIds; ///< the rowids the Insert changes got, in their order
    bool ok() const { return failure == Failure::None; }
};

/// How long a save waits for another program's lock before it gives up.
constexpr int kSaveBusyTimeoutMs = 2500;

/// Every change in one transaction, or none: a reader sees the store before the save
/// or after it. Each Update and Delete must find its row as it was read.
SaveOutcome applyChanges(const QString &path, const QList<RowChange> &changes);

} // namespace Lessons::SqliteWriter
