#include "editor/store_document.h"

#include "lessons/patterns.h"
#include "platform/store_engine.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <unistd.h>

namespace Editor {

using Lessons::StoredLesson;
using Lessons::SqliteWriter::RowChange;

namespace {

bool writable(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

} // namespace

StoreDocument::Opened StoreDocument::open(const QString &path)
{
    auto table = Lessons::openStoreEngine(path)->table();
    if (!table.ok())
        return {std::nullopt, table.error};
    StoreDocument document;
    document.m_path = path;
    document.m_unmatched = table.value->unmatched;
    bool allIds = true;
    for (const StoredLesson &lesson : table.value->lessons) {
        const int id = document.m_nextId++;
        document.m_rows.append(Row{id, lesson});
        document.m_saved[id] = lesson;
        allIds = allIds && lesson.rowId != 0;
    }
    const QString file = QFileInfo(path).canonicalFilePath();
    if (Lessons::isAccessPath(path))
        document.m_readOnly = ReadOnly::Access;
    else if (!writable(file) || !writable(QFileInfo(file).absolutePath()))
        document.m_readOnly = ReadOnly::NotWritable;
    else if (!allIds)
        document.m_readOnly = ReadOnly::NoRowIds;
    return {std::move(document), QString()};
}

const Row *StoreDocument::find(int id) const
{
    const int index = indexOf(id);
    return index < 0 ? nullptr : &m_rows[index];
}

int StoreDocument::indexOf(int id) const
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].id == id)
            return i;
    }
    return -1;
}

void StoreDocument::setText(int id, const QString &text)
{
    const int index = indexOf(id);
    if (index < 0)
        return;
    StoredLesson &lesson = m_rows[index].lesson;
    lesson.cloze = text;
    // An untouched null stays null; any text the teacher leaves is text.
    lesson.isNull = false;
    if (text.isEmpty()) {
        const auto saved = m_saved.find(id);
        if (saved != m_saved.end() && saved->second.isNull)
            lesson.isNull = true;
    }
}

void StoreDocument::setNumbers(int id, int pattern, int lesson)
{
    const int index = indexOf(id);
    if (index < 0)
        return;
    m_rows[index].lesson.pattern = pattern;
    m_rows[index].lesson.lesson = lesson;
}

int StoreDocument::addRow(int pattern, int lesson, const QString &text)
{
    const int id = m_nextId++;
    m_rows.append(Row{id, StoredLesson{pattern, lesson, text, false}});
    return id;
}

Row StoreDocument::takeRow(int id, int *index)
{
    *index = indexOf(id);
    if (*index < 0)
        return {};
    return m_rows.takeAt(*index);
}

void StoreDocument::putRow(const Row &row, int index)
{
    m_rows.insert(std::clamp(index, 0, int(m_rows.size())), row);
}

int StoreDocument::idOf(int pattern, int lesson) const
{
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [&](const Row &r) { return r.lesson.pattern == pattern && r.lesson.lesson == lesson; });
    return found == m_rows.end() ? 0 : found->id;
}

StoreDocument::Merged StoreDocument::merge(const QList<StoredLesson> &lessons)
{
    Merged merged;
    for (const StoredLesson &lesson : lessons) {
        int id = idOf(lesson.pattern, lesson.lesson);
        if (id) {
            setText(id, lesson.cloze);
            ++merged.replaced;
        } else {
            id = addRow(lesson.pattern, lesson.lesson, lesson.cloze);
        }
        merged.first = merged.first ? merged.first : id;
    }
    return merged;
}

int StoreDocument::nextFreeLesson(int pattern) const
{
    for (int lesson = 1; lesson <= Patterns::kHighestLessonNumber; ++lesson) {
        if (!isTaken(pattern, lesson))
            return lesson;
    }
    return 0;
}

QList<RowChange> StoreDocument::changes() const
{
    QList<RowChange> changes;
    for (const Row &row : m_rows) {
        const auto saved = m_saved.find(row.id);
        if (saved != m_saved.end() && !(saved->second == row.lesson))
            changes.append({RowChange::Kind::Update, saved->second, row.lesson});
    }
    for (const auto &[id, saved] : m_saved) {
        if (indexOf(id) < 0)
            changes.append({RowChange::Kind::Delete, saved, {}});
    }
    for (const Row &row : m_rows) {
        if (!m_saved.count(row.id))
            changes.append({RowChange::Kind::Insert, {}, row.lesson});
    }
    return changes;
}

QList<int> StoreDocument::changedTexts() const
{
    QList<int> ids;
    for (const Row &row : m_rows) {
        const auto saved = m_saved.find(row.id);
        if (saved == m_saved.end() || saved->second.cloze != row.lesson.cloze || saved->second.isNull != row.lesson.isNull)
            ids.append(row.id);
    }
    return ids;
}

bool StoreDocument::isChanged(const Row &row) const
{
    const auto saved = m_saved.find(row.id);
    return saved == m_saved.end() || !(saved->second == row.lesson);
}

bool StoreDocument::isChanged(int id) const
{
    const Row *row = find(id);
    return row && isChanged(*row);
}

QList<int> StoreDocument::changedRows() const
{
    QList<int> ids;
    for (const Row &row : m_rows) {
        if (isChanged(row))
            ids.append(row.id);
    }
    return ids;
}

Lessons::SqliteWriter::SaveOutcome StoreDocument::save()
{
    using Lessons::SqliteWriter::Failure;
    if (m_readOnly != ReadOnly::No)
        return {Failure::ReadOnly, m_path + QStringLiteral(": opened read only"), {}};
    // On school machines the store in the program folder is a link into the machine's
    // store: the save writes the file itself, and SQLite keeps its journal beside it.
    const QString file = QFileInfo(m_path).canonicalFilePath();
    if (file.isEmpty())
        return {Failure::NotAStore, m_path + QStringLiteral(": no such file"), {}};
    const QList<RowChange> pending = changes();
    if (pending.isEmpty())
        return {};
    auto outcome = Lessons::SqliteWriter::applyChanges(file, pending);
    if (!outcome.ok())
        return outcome;
    int inserted = 0;
    for (Row &row : m_rows) {
        if (!m_saved.count(row.id) && inserted < outcome.insertedIds.size())
            row.lesson.rowId = outcome.insertedIds[inserted++];
    }
    m_saved.clear();
    for (const Row &row : m_rows)
        m_saved[row.id] = row.lesson;
    return outcome;
}

void StoreDocument::replay(const QList<RowChange> &changes)
{
    for (const RowChange &change : changes) {
        const qint64 rowId = change.before.rowId;
        int index = -1;
        for (int i = 0; rowId != 0 && i < m_rows.size(); ++i) {
            if (m_rows[i].lesson.rowId == rowId)
                index = i;
        }
        switch (change.kind) {
        case RowChange::Kind::Delete:
            if (index >= 0)
                m_rows.removeAt(index);
            break;
        case RowChange::Kind::Update:
            if (index >= 0) {
                StoredLesson &lesson = m_rows[index].lesson;
                lesson.pattern = change.after.pattern;
                lesson.lesson = change.after.lesson;
                lesson.cloze = change.after.cloze;
                lesson.isNull = change.after.isNull;
                break;
            }
            [[fallthrough]];
        case RowChange::Kind::Insert: {
            StoredLesson lesson = change.after;
            lesson.rowId = 0;
            m_rows.append(Row{m_nextId++, lesson});
            break;
        }
        }
    }
}

} // namespace Editor
