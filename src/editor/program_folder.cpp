#include "editor/program_folder.h"

#include "platform/program_store.h"
#include "platform/sqlite_writer.h"
#include "platform/store_engine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace Editor::ProgramFolder {

namespace {

// Where db1.mdb lives: beside the program, or where the link of that name points
// (on school machines, into the machine's store).
QString accessHome(const QString &programFolder)
{
    const QString named = QDir(programFolder).filePath(Lessons::kAccessStoreName);
    const QFileInfo info(named);
    if (info.isSymLink())
        return info.symLinkTarget();
    return info.absoluteFilePath();
}

QString asideName(int number)
{
    return number == 1 ? QStringLiteral("db1-aside.mdb") : QStringLiteral("db1-aside-%1.mdb").arg(number);
}

// The highest-numbered file set aside in folder, or 0.
int lastAside(const QDir &folder)
{
    static const QRegularExpression pattern(QStringLiteral("^db1-aside(?:-([0-9]{1,4}))?\\.mdb$"));
    int last = 0;
    for (const QString &name : folder.entryList(QDir::Files)) {
        const auto match = pattern.match(name);
        if (match.hasMatch())
            last = std::max(last, match.captured(1).isEmpty() ? 1 : match.captured(1).toInt());
    }
    return last;
}

} // namespace

Stores look(const QString &programFolder)
{
    const QDir folder(programFolder);
    Stores stores;
    stores.pupilStore = Lessons::programStorePath(programFolder);
    stores.access = folder.filePath(Lessons::kAccessStoreName);
    stores.sqlite = folder.filePath(Lessons::kEmbeddedStoreName);
    const bool accessThere = QFileInfo::exists(stores.access);
    stores.accessHidesSqlite = accessThere && QFileInfo::exists(stores.sqlite);
    if (!accessThere) {
        const QDir home = QFileInfo(accessHome(programFolder)).absoluteDir();
        if (const int last = lastAside(home))
            stores.asideAccess = home.filePath(asideName(last));
    }
    return stores;
}

Lessons::StoreOutcome<QString> setAccessAside(const QString &programFolder)
{
    const QString home = accessHome(programFolder);
    if (!QFileInfo(home).isFile())
        return {std::nullopt, home + QStringLiteral(": no Access file to set aside")};
    const QDir folder = QFileInfo(home).absoluteDir();
    const QString aside = folder.filePath(asideName(lastAside(folder) + 1));
    // rename never replaces a file, and moves nothing out of the folder.
    if (!QFile::rename(home, aside))
        return {std::nullopt, home + QStringLiteral(": could not be renamed")};
    return {aside, QString()};
}

Lessons::StoreOutcome<QString> putAccessBack(const QString &programFolder)
{
    const Stores stores = look(programFolder);
    if (stores.asideAccess.isEmpty())
        return {std::nullopt, programFolder + QStringLiteral(": no Access file set aside, or db1.mdb is there")};
    const QString home = accessHome(programFolder);
    if (!QFile::rename(stores.asideAccess, home))
        return {std::nullopt, stores.asideAccess + QStringLiteral(": could not be renamed")};
    return {home, QString()};
}

Lessons::StoreOutcome<int> copyStore(const QString &fromPath, const QString &newPath)
{
    const auto table = Lessons::openStoreEngine(fromPath)->table();
    if (!table.ok())
        return {std::nullopt, table.error};
    return Lessons::SqliteWriter::createStore(newPath, table.value->lessons, Lessons::SqliteWriter::Existing::Refuse);
}

} // namespace Editor::ProgramFolder
