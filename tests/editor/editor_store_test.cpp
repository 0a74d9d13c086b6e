// The lesson editor and the files it opens: Access stores, a store held by another
// program, a crash, leaving with unsaved changes.
#include "editor_rig.h"

#include "editor/lesson_text_edit.h"
#include "platform/sqlite_store.h"
#include "store_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <sqlite3.h>

using Unsaved = EditorDialogs::Unsaved;

namespace {

// The bytes of an SQLite file of another program: no table closes.
QByteArray foreignStore()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("other.sqlite"));
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, "CREATE TABLE pupils (name TEXT); INSERT INTO pupils VALUES ('Dana');", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return StoreTests::readFile(path);
}

} // namespace

class EditorStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void anAccessStoreStaysByteForByte();
    void aLockedStoreKeepsTheEdits();
    void aCrashLeavesTheEditsToOfferBack_data();
    void aCrashLeavesTheEditsToOfferBack();
    void closingAsksAboutUnsavedChanges_data();
    void closingAsksAboutUnsavedChanges();
    void aStoreThatCannotBeReadChangesNothing_data();
    void aStoreThatCannotBeReadChangesNothing();
    void lessonFoldersGoOutAndComeBack();
};

void EditorStoreTest::anAccessStoreStaysByteForByte()
{
    EditorRig rig;
    const QString access = rig.programPath(QStringLiteral("db1.mdb"));
    QVERIFY(QFile::copy(StoreTests::fixturePath(QStringLiteral("db1.mdb")), access));
    const QByteArray bytes = StoreTests::readFile(access);
    rig.start().openProgramStore();
    QCOMPARE(rig.window().document()->path(), access);
    QVERIFY(rig.control<QFrame>("ReadOnlyBar")->isVisible());
    QVERIFY(rig.control<QFrame>("HiddenBar")->isVisible()); // db1.sqlite is there, hidden from the pupils
    QVERIFY(rig.text()->isReadOnly());
    for (const char *name : {"Save", "NewLesson", "DeleteLesson", "MoveLesson", "MakeGap"})
        QVERIFY2(!rig.action(name)->isEnabled(), name);
    rig.type(QStringLiteral("typed"));
    QVERIFY(!rig.window().isWindowModified());

    // A copy into a new SQLite store opens for editing.
    rig.dialogs.newPath = rig.programPath(QStringLiteral("copy.sqlite"));
    QTest::mouseClick(rig.control<QPushButton>("ReadOnlyCopy"), Qt::LeftButton);
    QCOMPARE(rig.window().document()->path(), rig.dialogs.newPath);
    QVERIFY(!rig.control<QFrame>("ReadOnlyBar")->isVisible());
    QCOMPARE(Lessons::SqliteLessonStore(rig.dialogs.newPath).allLessons().value->size(),
             StoreTests::expectedRows().size());

    // Set aside, so that the pupils see db1.sqlite, and put back.
    QVERIFY(rig.window().openStore(rig.storePath()));
    QVERIFY(rig.control<QFrame>("HiddenBar")->isVisible());
    QTest::mouseClick(rig.control<QPushButton>("SetAccessAside"), Qt::LeftButton);
    QVERIFY(!QFileInfo::exists(access));
    QCOMPARE(StoreTests::readFile(rig.programPath(QStringLiteral("db1-aside.mdb"))), bytes);
    QCOMPARE(rig.pupilsList(24).size(), 2);
    QVERIFY(rig.control<QFrame>("AsideBar")->isVisible());
    QTest::mouseClick(rig.control<QPushButton>("PutAccessBack"), Qt::LeftButton);
    QCOMPARE(StoreTests::readFile(access), bytes);
    QCOMPARE(QDir(rig.programPath(QString())).entryList({QStringLiteral("*.mdb")}), QStringList{"db1.mdb"});
}

void EditorStoreTest::aLockedStoreKeepsTheEdits()
{
    EditorRig rig;
    rig.start().openProgramStore();
    QVERIFY(rig.choose(24, 2));
    rig.type(QStringLiteral("Now "));
    sqlite3 *holder = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(rig.storePath()).constData(), &holder), SQLITE_OK);
    QCOMPARE(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    rig.trigger("Save");
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    QCOMPARE(rig.dialogs.informed.size(), 1);
    QVERIFY(rig.dialogs.informed.first().contains(QStringLiteral("תוכנית אחרת תופסת את המאגר")));
    QCOMPARE(rig.stored(), EditorRig::kLessons);
    QVERIFY(rig.window().isWindowModified());
    QCOMPARE(rig.textLines().first(), QStringLiteral("Now Write the verb again."));
    rig.trigger("Save");
    QCOMPARE(rig.stored()[1].cloze, QStringLiteral("Now Write the verb again.\r\n1. He &works& (work) at home."));
}

void EditorStoreTest::aCrashLeavesTheEditsToOfferBack_data()
{
    QTest::addColumn<bool>("takeThem");
    QTest::newRow("taken back") << true;
    QTest::newRow("let go") << false;
}

void EditorStoreTest::aCrashLeavesTheEditsToOfferBack()
{
    QFETCH(bool, takeThem);
    EditorRig rig;
    rig.start().openProgramStore();
    QVERIFY(rig.choose(24, 2));
    rig.type(QStringLiteral("Now "));
    rig.trigger("NewLesson");
    rig.type(QStringLiteral("She &can& swim."));
    QTest::qWait(1300); // the edits are kept a moment after the last change
    const auto before = rig.window().document()->changes();

    rig.dialogs.yes = takeThem;
    rig.start().openProgramStore(); // a new run after the crash
    QCOMPARE(rig.dialogs.asked.size(), 1);
    QVERIFY(rig.dialogs.asked.first().contains(QStringLiteral("שינויים שלא נשמרו")));
    QCOMPARE(rig.window().document()->changes().size(), takeThem ? before.size() : 0);
    QCOMPARE(rig.window().isWindowModified(), takeThem);
    QCOMPARE(rig.stored(), EditorRig::kLessons);
    if (takeThem) {
        QVERIFY(rig.choose(24, 3));
        QCOMPARE(rig.textLines().last(), QStringLiteral("1. She &can& swim."));
    }
    // Either way the question comes only once.
    rig.start().openProgramStore();
    QCOMPARE(rig.dialogs.asked.size(), takeThem ? 2 : 1);
}

void EditorStoreTest::closingAsksAboutUnsavedChanges_data()
{
    QTest::addColumn<Unsaved>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("cancel") << Unsaved::Cancel << false << false;
    QTest::newRow("discard") << Unsaved::Discard << true << false;
    QTest::newRow("save") << Unsaved::Save << true << true;
}

void EditorStoreTest::closingAsksAboutUnsavedChanges()
{
    QFETCH(Unsaved, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    EditorRig rig;
    rig.start().openProgramStore();
    QVERIFY(rig.choose(24, 1));
    rig.type(QStringLiteral("Now "));
    QTest::qWait(1300); // kept against a crash
    rig.dialogs.unsaved = answer;
    rig.window().close();
    QCOMPARE(rig.dialogs.asked.size(), 1);
    QCOMPARE(!rig.window().isVisible(), closed);
    QCOMPARE(rig.stored() != EditorRig::kLessons, saved);
    QCOMPARE(rig.window().isWindowModified(), !saved);
    // The edits kept against a crash go with a save or a discard, and stay otherwise.
    rig.start().openProgramStore();
    QCOMPARE(rig.dialogs.asked.size(), closed ? 1 : 2);
}

void EditorStoreTest::aStoreThatCannotBeReadChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::newRow("damaged") << QByteArray(8192, '\x5a') << "broken.sqlite";
    QTest::newRow("foreign") << foreignStore() << "other.sqlite";
    QTest::newRow("damaged access") << QByteArray(8192, '\x5a') << "broken.mdb";
    QTest::newRow("missing") << QByteArray() << "missing.sqlite";
}

void EditorStoreTest::aStoreThatCannotBeReadChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    EditorRig rig;
    rig.start().openProgramStore();
    QVERIFY(rig.choose(24, 1));
    rig.type(QStringLiteral("Now "));
    const QString path = rig.programPath(name);
    if (!bytes.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QVERIFY(!rig.window().openStore(path));
    QCOMPARE(rig.dialogs.informed.size(), 1);
    QVERIFY(rig.dialogs.informed.first().contains(QStringLiteral("לא ניתן לפתוח")));
    QCOMPARE(rig.window().document()->path(), rig.storePath());
    QCOMPARE(rig.textLines().first(), QStringLiteral("Now Write the verb."));
    QCOMPARE(StoreTests::readFile(path), bytes);
}

void EditorStoreTest::lessonFoldersGoOutAndComeBack()
{
    EditorRig rig;
    QTemporaryDir folders;
    rig.start().openProgramStore();
    QVERIFY(rig.choose(5));
    rig.dialogs.folder = folders.filePath(QStringLiteral("pattern"));
    rig.trigger("ExportPattern");
    QCOMPARE(QDir(rig.dialogs.folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"05"});
    rig.dialogs.folder = folders.filePath(QStringLiteral("all"));
    rig.trigger("ExportAll");
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("נכתבו 3 קובצי שיעור")));
    QCOMPARE(StoreTests::readFile(rig.dialogs.folder + QStringLiteral("/24/02.txt")), EditorRig::kLessons[1].cloze.toUtf8());
    // Nothing already in a folder is overwritten.
    rig.trigger("ExportAll");
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("חדשה או ריקה")));

    // A teacher changes one file with a plain text editor and adds a lesson with a fault.
    const QString folder = rig.dialogs.folder;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(folder + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    write(QStringLiteral("24/01.txt"), "Write the verb now.\n1. She &plays& (play).\n");
    write(QStringLiteral("24/03.txt"), "Open marker\n1. She &plays (play).\n");
    write(QStringLiteral("notes.txt"), "not a lesson");
    QVERIFY(rig.choose(24, 1)); // open in the window while its file comes in
    rig.trigger("ImportFolder");
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("יובאו 4 שיעורים: 1 חדשים")));
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("ב-1 מהם")));
    QVERIFY(rig.item(24, 3));
    QVERIFY(rig.choose(24, 1));
    QCOMPARE(rig.textLines(), (QStringList{"Write the verb now.", "1. She &plays& (play)."}));
    rig.trigger("Save");
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("תבנית 24, שיעור 3")));
    QCOMPARE(rig.stored(), EditorRig::kLessons);
    rig.trigger("Undo");
    QVERIFY(!rig.window().document()->hasChanges());
    QVERIFY(!rig.item(24, 3));
    QVERIFY(rig.choose(24, 1));
    QCOMPARE(rig.textLines().first(), QStringLiteral("Write the verb."));
}

QTEST_MAIN(EditorStoreTest)
#include "editor_store_test.moc"
