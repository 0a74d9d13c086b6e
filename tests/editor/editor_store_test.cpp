// The lesson editor and the files it opens: Access stores, a store held by another
// program, a crash, leaving with unsaved changes, lesson-file folders.
#include "editor_rig.h"

#include "platform/sqlite_store.h"
#include "store_test_support.h"

#include <QDir>
#include <QFrame>

#include <sqlite3.h>

using Unsaved = EditorDialogs::Unsaved;

class EditorStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void anAccessStoreStaysByteForByte();
    void aLockedOrUnreadableStoreKeepsTheEdits();
    void editsLeftUnsavedAreOfferedBackOnce_data();
    void editsLeftUnsavedAreOfferedBackOnce();
    void lessonFoldersGoOutAndComeBack();
};

void EditorStoreTest::anAccessStoreStaysByteForByte()
{
    EditorRig rig;
    const QString access = rig.programPath(QStringLiteral("db1.mdb"));
    QVERIFY(QFile::copy(StoreTests::fixturePath(QStringLiteral("db1.mdb")), access));
    const QByteArray bytes = StoreTests::readFile(access);
    QVERIFY(rig.open());
    QCOMPARE(rig.window().document()->path(), access);
    // db1.sqlite is there, hidden from the pupils.
    QVERIFY(rig.control<QFrame>("ReadOnlyBar")->isVisible() && rig.control<QFrame>("HiddenBar")->isVisible());
    for (const char *name : {"Save", "NewLesson", "DeleteLesson", "MoveLesson", "MakeGap"})
        QVERIFY2(!rig.control(name)->isEnabled(), name);
    rig.type(QStringLiteral("typed"));
    QVERIFY(!rig.window().isWindowModified());

    // Set aside, so that the pupils see db1.sqlite, which opens in its place; and put back.
    QTest::mouseClick(rig.control<QPushButton>("SetAccessAside"), Qt::LeftButton);
    QCOMPARE(rig.window().document()->path(), rig.storePath());
    QVERIFY(!QFileInfo::exists(access));
    QCOMPARE(StoreTests::readFile(rig.programPath(QStringLiteral("db1-aside.mdb"))), bytes);
    QCOMPARE(rig.pupilsList(24).size(), 2);
    QVERIFY(rig.control<QFrame>("AsideBar")->isVisible() && !rig.control<QFrame>("HiddenBar")->isVisible());
    QTest::mouseClick(rig.control<QPushButton>("PutAccessBack"), Qt::LeftButton);
    QCOMPARE(StoreTests::readFile(access), bytes);
    QCOMPARE(QDir(rig.programPath(QString())).entryList({QStringLiteral("*.mdb")}), QStringList{"db1.mdb"});

    // Opened again, and copied into a new SQLite store that opens for editing.
    rig.dialogs.openPath = access;
    rig.trigger("Open");
    rig.dialogs.newPath = rig.programPath(QStringLiteral("copy.sqlite"));
    QTest::mouseClick(rig.control<QPushButton>("ReadOnlyCopy"), Qt::LeftButton);
    QVERIFY(!rig.control<QFrame>("ReadOnlyBar")->isVisible());
    QCOMPARE(Lessons::SqliteLessonStore(rig.dialogs.newPath).allLessons().value->size(),
             StoreTests::expectedRows().size());

    // The stores opened last, latest first, each once.
    rig.trigger("Recent_2");
    QCOMPARE(rig.window().document()->path(), rig.storePath());
    QVERIFY(!rig.window().findChild<QAction *>(QStringLiteral("Recent_3")));
}

// Read first: a damaged store leaves the open one, its edits and the file as they were,
// unasked; a store held by another program keeps the edits in the window.
void EditorStoreTest::aLockedOrUnreadableStoreKeepsTheEdits()
{
    EditorRig rig;
    QVERIFY(rig.open(24, 2, QStringLiteral("Now ")));
    StoreTests::StoreFolder elsewhere;
    const QString path = elsewhere.write(QStringLiteral("broken.sqlite"), QByteArray(8192, '\x5a'));
    QVERIFY(!rig.window().openStore(path));
    QVERIFY(rig.dialogs.informed.value(0).contains(QStringLiteral("לא ניתן לפתוח")));
    QVERIFY(rig.dialogs.asked.isEmpty());
    QCOMPARE(StoreTests::readFile(path), QByteArray(8192, '\x5a'));
    // One that can be read is opened only if the teacher lets the edits go.
    QVERIFY(!rig.window().openStore(rig.storePath()));
    QCOMPARE(rig.dialogs.asked.size(), 1);

    sqlite3 *holder = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(rig.storePath()).constData(), &holder), SQLITE_OK);
    QCOMPARE(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    rig.trigger("Save");
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    QCOMPARE(rig.dialogs.informed.size(), 2);
    QVERIFY(rig.dialogs.informed[1].contains(QStringLiteral("תוכנית אחרת תופסת את המאגר")));
    QCOMPARE(rig.stored(), EditorRig::kLessons);
    QVERIFY(rig.window().isWindowModified());
    rig.trigger("Save");
    QCOMPARE(rig.stored()[1].cloze, QStringLiteral("Now Write the verb again.\r\n1. He &works& (work) at home."));
}

// Edits are kept a moment after the last change: after a crash, or a close cancelled,
// the next run offers them back; a save or a discard lets them go.
void EditorStoreTest::editsLeftUnsavedAreOfferedBackOnce_data()
{
    QTest::addColumn<bool>("crash");
    QTest::addColumn<Unsaved>("answer");
    QTest::addColumn<bool>("takeBack");
    QTest::addColumn<int>("questions");
    QTest::newRow("crash, taken back") << true << Unsaved::Cancel << true << 1;
    QTest::newRow("crash, let go") << true << Unsaved::Cancel << false << 1;
    QTest::newRow("close cancelled") << false << Unsaved::Cancel << false << 2;
    QTest::newRow("close, discarded") << false << Unsaved::Discard << false << 1;
    QTest::newRow("close, saved") << false << Unsaved::Save << false << 1;
}

void EditorStoreTest::editsLeftUnsavedAreOfferedBackOnce()
{
    QFETCH(bool, crash);
    QFETCH(Unsaved, answer);
    QFETCH(bool, takeBack);
    QFETCH(int, questions);
    EditorRig rig;
    QVERIFY(rig.open(24, 2, QStringLiteral("Now ")));
    rig.trigger("NewLesson");
    rig.type(QStringLiteral("She &can& swim."));
    QTest::qWait(1300);
    const auto before = rig.window().document()->changes();
    if (!crash) {
        rig.dialogs.unsaved = answer;
        rig.window().close();
        QCOMPARE(std::tuple(rig.window().isVisible(), rig.window().isWindowModified(), rig.stored().size()),
                 std::tuple(answer == Unsaved::Cancel, answer != Unsaved::Save,
                            EditorRig::kLessons.size() + (answer == Unsaved::Save ? 1 : 0)));
    }
    rig.dialogs.yes = takeBack;
    QVERIFY(rig.open()); // a new run
    QCOMPARE(rig.dialogs.asked.size(), questions);
    QCOMPARE(rig.window().document()->changes().size(), takeBack ? before.size() : 0);
    QCOMPARE(rig.window().isWindowModified(), takeBack);
    if (takeBack)
        QCOMPARE(rig.lessonLines(24, 3).value(1), QStringLiteral("1. She &can& swim."));
    // The question comes only once.
    QVERIFY(rig.open());
    QCOMPARE(rig.dialogs.asked.size(), questions + (takeBack ? 1 : 0));
}

void EditorStoreTest::lessonFoldersGoOutAndComeBack()
{
    EditorRig rig;
    StoreTests::StoreFolder folders;
    QVERIFY(rig.open());
    QVERIFY(rig.choose(5));
    rig.dialogs.folder = folders.path(QStringLiteral("pattern"));
    rig.trigger("ExportPattern");
    QCOMPARE(QDir(rig.dialogs.folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"05"});
    rig.dialogs.folder = folders.path(QStringLiteral("all"));
    rig.trigger("ExportAll");
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("נכתבו 3 קובצי שיעור")));
    QCOMPARE(StoreTests::readFile(folders.path(QStringLiteral("all/24/02.txt"))), EditorRig::kLessons[1].cloze.toUtf8());
    rig.trigger("ExportAll"); // nothing already in a folder is overwritten
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("חדשה או ריקה")));

    // A teacher changes one file with a plain text editor and adds a lesson with a fault.
    folders.write(QStringLiteral("all/24/01.txt"), "Write the verb now.\n1. She &plays& (play).\n");
    folders.write(QStringLiteral("all/24/03.txt"), "Open marker\n1. She &plays (play).\n");
    folders.write(QStringLiteral("all/notes.txt"), "not a lesson");
    QVERIFY(rig.choose(24, 1)); // open in the window while its file comes in
    rig.trigger("ImportFolder");
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("יובאו 4 שיעורים: 1 חדשים")));
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("ב-1 מהם")));
    QCOMPARE(rig.lessonLines(24, 1), (QStringList{"Write the verb now.", "1. She &plays& (play)."}));
    rig.trigger("Save");
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("תבנית 24, שיעור 3")));
    QCOMPARE(rig.stored(), EditorRig::kLessons);
    rig.trigger("Undo");
    QVERIFY(!rig.window().document()->hasChanges());
    QCOMPARE(rig.lessonLines(24, 1).value(0), QStringLiteral("Write the verb."));
}

QTEST_MAIN(EditorStoreTest)
#include "editor_store_test.moc"
