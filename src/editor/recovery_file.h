#pragma once

#include "platform/sqlite_writer.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace Editor {

class StoreDocument;

/// The unsaved edits of one store, kept in a file while the editor runs, so that a
/// crash loses nothing: the next start offers them back. One file per store, named
/// after the store's resolved path, in a folder of the editor's own.
class RecoveryFile
{
public:
    struct Recovered
    {
        QDateTime written;
        QList<Lessons::SqliteWriter::RowChange> changes;
    };

    RecoveryFile(const QString &folder, const QString &storePath);

    QString path() const { return m_path; }
    /// Keeps the document's changes; a document without changes removes the file.
    bool write(const StoreDocument &document) const;
    /// The changes kept, when the file is there and readable.
    std::optional<Recovered> read() const;
    void remove() const;

    /// The folder the editor keeps its recovery files in.
    static QString defaultFolder();

private:
    QString m_path;
    QString m_store;
};

} // namespace Editor
