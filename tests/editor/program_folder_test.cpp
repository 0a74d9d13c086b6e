#include "editor/program_folder.h"

#include "store_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Editor;
using namespace StoreTests;

namespace {

// A program folder, and a machine's store folder that its store names may link into.
struct Folders
{
    StoreFolder program;
    StoreFolder machine;

    QString access() const { return program.path(QStringLiteral("db1.mdb")); }
    QStringList machineFiles() const { return QDir(machine.path(QString())).entryList(QDir::Files); }
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
    EXPECT_FALSE(ProgramFolder::setAccessAside(f.program.path(QString())).ok()); // none there yet
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

} // namespace
