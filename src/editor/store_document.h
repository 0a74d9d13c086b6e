#pragma once

#include "platform/sqlite_writer.h"
#include "platform/store_rows.h"

#include <QList>
#include <QString>

#include <map>
#include <optional>

namespace Editor {

/// One row of the store as the editor holds it.
struct Row
{
    int id = 0;                   ///< the editor's own, unique while the document is open
    Lessons::StoredLesson lesson; ///< as edited; rowId 0 until the row is saved
};

/// Why a document may be read but not saved.
enum class ReadOnly {
    No,
    Access,      ///< Access files are only ever read
    NotWritable, ///< the file or its folder may not be written by this user
    NoRowIds,    ///< a table made without rowids, whose rows a save cannot find again
};

/// Every row of one lesson store, the teacher's edits to them, and the save that
/// writes those edits back in one transaction. Toolkit-free: the window edits through
/// it, tests drive it directly.
class StoreDocument
{
public:
    struct Opened;
    /// Reads every row of the store at path; an Access file opens read only.
    static Opened open(const QString &path);

    QString path() const { return m_path; }
    ReadOnly readOnly() const { return m_readOnly; }
    bool isAccess() const { return m_readOnly == ReadOnly::Access; }
    /// Every row in table order; rows added since the last save come last.
    const QList<Row> &rows() const { return m_rows; }
    /// Access rows that no whole number selects: shown, never edited.
    const QList<Lessons::UnmatchedRow> &unmatched() const { return m_unmatched; }
    const Row *find(int id) const;
    int indexOf(int id) const;

    // Edits. Each keeps what undoing it needs to give back.
    void setText(int id, const QString &text);
    void setNumbers(int id, int pattern, int lesson);
    /// A new row at the end; its id.
    int addRow(int pattern, int lesson, const QString &text);
    /// Removes a row and gives it back with its place, for putRow to undo it.
    Row takeRow(int id, int *index);
    void putRow(const Row &row, int index);
    struct Merged
    {
        int first = 0;    ///< the row of the first lesson
        int replaced = 0; ///< lessons that went into a row already there
    };
    /// Lessons read elsewhere (a lesson-file folder): a lesson whose numbers a row
    /// holds replaces that row's text; any other becomes a new row.
    Merged merge(const QList<Lessons::StoredLesson> &lessons);
    /// Every row as rows() gave them before: the undoing of a change to many rows.
    void restore(const QList<Row> &rows) { m_rows = rows; }

    /// The first row, shown to pupils or not, that holds that number; 0 when none does.
    int idOf(int pattern, int lesson) const;
    /// Any row, shown to pupils or not, holds that number.
    bool isTaken(int pattern, int lesson) const { return idOf(pattern, lesson) != 0; }
    /// The smallest lesson number 1..99 of the pattern that no row holds; 0 when all are taken.
    int nextFreeLesson(int pattern) const;

    /// What a save would write: updates and removals of stored rows, then new rows in order.
    QList<Lessons::SqliteWriter::RowChange> changes() const;
    bool hasChanges() const { return !changes().isEmpty(); }
    /// The rows whose text is new or changed since the last save.
    QList<int> changedTexts() const;
    /// The rows that are new, or whose text or numbers changed, since the last save.
    QList<int> changedRows() const;
    /// One row of changedRows().
    bool isChanged(int id) const;
    /// Writes every change in one transaction. On success the document is saved; on
    /// failure nothing changes here or in the store.
    Lessons::SqliteWriter::SaveOutcome save();
    /// Makes changes read back from a recovery file; a row that is gone becomes a new one.
    void replay(const QList<Lessons::SqliteWriter::RowChange> &changes);

private:
    bool isChanged(const Row &row) const;

    QString m_path;
    ReadOnly m_readOnly = ReadOnly::No;
    QList<Row> m_rows;
    QList<Lessons::UnmatchedRow> m_unmatched;
    std::map<int, Lessons::StoredLesson> m_saved; ///< by row id, as read or last saved
    int m_nextId = 1;
};

struct StoreDocument::Opened
{
    std::optional<StoreDocument> document;
    QString error; ///< why it could not be read, for logs
};

} // namespace Editor
