#pragma once

#include "lessons/lesson_store.h"

#include <QString>

/// The stores beside the pupil program: which one pupils see, and the teacher's way
/// of letting them see the SQLite store when an Access file hides it. An Access file
/// is never changed or deleted: it is only renamed, on request, and renamed back.
namespace Editor::ProgramFolder {

struct Stores
{
    QString pupilStore;        ///< the file the pupil program reads now
    QString access;            ///< "db1.mdb" beside the program, as named there
    QString sqlite;            ///< "db1.sqlite" beside the program, as named there
    bool accessHidesSqlite = false; ///< both are there, so pupils see the Access file
    QString asideAccess;       ///< an Access file set aside that can go back; empty when none or when db1.mdb is there
};

Stores look(const QString &programFolder);

/// Renames the Access file beside the program (the file itself, when db1.mdb is a
/// link) to "db1-aside.mdb" in its own folder, or "db1-aside-2.mdb" and so on when
/// that name is taken. Gives the new path.
Lessons::StoreOutcome<QString> setAccessAside(const QString &programFolder);

/// Gives the Access file set aside last its name "db1.mdb" back. Gives the path.
Lessons::StoreOutcome<QString> putAccessBack(const QString &programFolder);

/// Writes every row of a store (an Access file, or one that may not be written) into
/// a new SQLite store; an existing file is never replaced. Gives the rows written.
Lessons::StoreOutcome<int> copyStore(const QString &fromPath, const QString &newPath);

} // namespace Editor::ProgramFolder
