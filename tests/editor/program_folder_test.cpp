#include "editor/program_folder.h"
#include "editor/recovery_file.h"
#include "editor/store_document.h"

#include "platform/sqlite_store.h"
#include "platform/store_engine.h"
#include "platform/sqlite_writer.h"
#include "store_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Editor;
using Lessons::StoredLesson;
using Kind = Lessons::SqliteWriter::RowChange::Kind;
using namespace StoreTests;

namespace {

const QList<StoredLesson> kRows = {{24, 1, QStringLiteral("Every day\r\n1. She &plays&."), false},
                                   {5, 1, QString(), true}};

// A program folder, and a machine's store folder that its store names may link into.
struct Folders
{
    StoreFolder program;
    StoreFolder machine;

    QString sqlite() const { return program.path(QStringLiteral("db1.sqlite")); }
    QString access() const { return program.path(QStringLiteral("db1.mdb")); }
    void makeSqlite() const
    {
        EXPECT_TRUE(Lessons::SqliteWriter::createStore(sqlite(), kRows, Lessons::SqliteWriter::Existing::Refuse).ok());
    }
    QStringList machineFiles() const { return QDir(machine.path(QString())).entryList(QDir::Files); }
    QStringList programFiles() const { return QDir(program.path(QString())).entryList(QDir::Files | QDir::System); }
};

// The program folder's names link into the machine's store, where teachers may write.
TEST(ProgramFolder, ALinkedAccessFileIsRenamedWhereItLives)
{
    Folders f;
    const QString real = f.machine.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
    ASSERT_TRUE(QFile::link(real, f.access()));
    const auto aside = ProgramFolder::setAccessAside(f.program.path(QString()));
    ASSERT_TRUE(aside.ok()) << show(aside.error);
    EXPECT_EQ(f.machineFiles(), QStringList{QStringLiteral("db1-aside.mdb")});
    EXPECT_TRUE(QFileInfo(f.access()).isSymLink()); // the link stays, dangling
    EXPECT_FALSE(QFileInfo::exists(f.access()));
    ASSERT_TRUE(ProgramFolder::putAccessBack(f.program.path(QString())).ok());
    EXPECT_EQ(f.machineFiles(), QStringList{QStringLiteral("db1.mdb")});
    EXPECT_EQ(readFile(f.access()), readFile(fixturePath(QStringLiteral("db1.mdb"))));
}

TEST(ProgramFolder, ASecondFileSetAsideTakesTheNextNameAndGoesBackFirst)
{
    Folders f;
    f.program.write(QStringLiteral("db1.mdb"), "first");
    ASSERT_TRUE(ProgramFolder::setAccessAside(f.program.path(QString())).ok());
    f.program.write(QStringLiteral("db1.mdb"), "second");
    // With db1.mdb there, nothing is put back over it.
    EXPECT_FALSE(ProgramFolder::putAccessBack(f.program.path(QString())).ok());
    EXPECT_EQ(readFile(f.access()), QByteArray("second"));
    const auto aside = ProgramFolder::setAccessAside(f.program.path(QString()));
    ASSERT_TRUE(aside.ok());
    EXPECT_EQ(*aside.value, f.program.path(QStringLiteral("db1-aside-2.mdb")));
    ASSERT_TRUE(ProgramFolder::putAccessBack(f.program.path(QString())).ok());
    EXPECT_EQ(readFile(f.access()), QByteArray("second"));
    EXPECT_EQ(readFile(f.program.path(QStringLiteral("db1-aside.mdb"))), QByteArray("first"));
}

// --- crash recovery ------------------------------------------------------------------

struct Recovery
{
    Folders f;
    StoreFolder recovery;
    StoreDocument document;

    Recovery()
    {
        f.makeSqlite();
        document = *StoreDocument::open(f.sqlite()).document;
    }
    RecoveryFile file() const { return RecoveryFile(recovery.path(QString()), f.sqlite()); }
};

TEST(RecoveryFile, AnotherStoreOrADamagedFileOffersNothing)
{
    Recovery r;
    r.document.setText(r.document.rows()[0].id, QStringLiteral("x"));
    ASSERT_TRUE(r.file().write(r.document));
    const QString other = r.f.machine.path(QStringLiteral("db1.sqlite"));
    EXPECT_NE(RecoveryFile(r.recovery.path(QString()), other).path(), r.file().path());
    EXPECT_FALSE(RecoveryFile(r.recovery.path(QString()), other).read());
    QFile damaged(r.file().path());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("{\"store\": 3, \"changes\": [");
    damaged.close();
    EXPECT_FALSE(r.file().read());
}

} // namespace
