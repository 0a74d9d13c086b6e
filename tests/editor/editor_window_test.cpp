// The lesson editor worked as a teacher works it, through its controls by name: lessons
// written, the files it opens (Access stores, a store held by another program, a crash,
// leaving with unsaved changes, lesson-file folders), and worksheets on paper, read back
// with poppler's pdftotext.
#include "editor/editor_dialogs.h"
#include "editor/editor_window.h"
#include "editor/lesson_text_edit.h"
#include "editor/worksheet_options_dialog.h"
#include "lessons/patterns.h"
#include "pdf_text.h"
#include "platform/program_store.h"
#include "platform/sqlite_writer.h"
#include "screen_rig.h" // and the controls the tests reach
#include "store_test_support.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QPrinter>
#include <QTextBlock>
#include <QTreeWidget>

#include <sqlite3.h>

using Unsaved = EditorDialogs::Unsaved;
using Lessons::StoredLesson;

namespace {

/// Answers the editor's questions from a script and keeps every message.
class ScriptedEditorDialogs : public EditorDialogs
{
public:
    void inform(QWidget *, const QString &text) override { informed << text; }
    bool ask(QWidget *, const QString &text) override { return asked << text, yes; }
    Unsaved askUnsaved(QWidget *, const QString &text) override { return asked << text, unsaved; }
    QString storeToOpen(QWidget *, const QString &) override { return openPath; }
    QString newStore(QWidget *, const QString &) override { return newPath; }
    QString lessonFolder(QWidget *, const QString &, const QString &) override { return folder; }
    std::optional<std::pair<int, int>> askNumbers(QWidget *, const QString &, int, int) override { return numbers; }
    /// The real options dialog; when sheetKey is set, once, a word bank without hints on
    /// Letter, with or without the key. The printer and the preview write PDF files at
    /// printTo, as a printer would print.
    std::optional<Worksheet::Options> worksheetOptions(QWidget *parent, const QString &,
                                                       const Worksheet::Options &preset) override
    {
        WorksheetOptionsDialog dialog(preset, parent);
        if (const std::optional<bool> key = std::exchange(sheetKey, std::nullopt)) {
            for (const auto &[name, on] : {std::pair{"WorksheetWordBank", true}, {"WorksheetHints", false}, {"WorksheetKey", *key}})
                dialog.findChild<QCheckBox *>(QString::fromLatin1(name))->setChecked(on);
            dialog.findChild<QComboBox *>(QStringLiteral("WorksheetPaper"))->setCurrentText(QStringLiteral("Letter"));
        }
        return yes ? std::optional(dialog.options()) : std::nullopt;
    }
    bool print(QWidget *, QPrinter &printer) override
    {
        printer.setOutputFileName(printTo);
        printer.setPageRanges(pagesChosen);
        return yes;
    }
    void preview(QWidget *, const QString &, QPrinter &printer, const std::function<void(QPrinter *)> &paint) override
    {
        printer.setOutputFileName(printTo);
        paint(&printer);
    }
    QString pdfFile(QWidget *, const QString &suggested) override { return suggestedPdf = suggested, pdfPath; }

    QStringList informed, asked;
    bool yes = true;
    Unsaved unsaved = Unsaved::Cancel;
    QString openPath, newPath, folder, printTo, pdfPath, suggestedPdf;
    std::optional<std::pair<int, int>> numbers;
    std::optional<bool> sheetKey;
    QPageRanges pagesChosen;
};

/// Lessons of pattern 24 and 5, in the program folder's db1.sqlite.
const QList<StoredLesson> kLessons = {
    {24, 1, QStringLiteral("Write the verb.\r\n1. She &plays& (play) the piano.\r\n2. We &live& (live) here."), false},
    {24, 2, QStringLiteral("Write the verb again.\r\n1. He &works& (work) at home."), false},
    {5, 1, QStringLiteral("Write can or can't.\r\n1. Fish &can't& fly."), false},
};

/// The editor window over a program folder of its own, with a recovery folder and
/// settings file of its own, found by the names of its controls.
class EditorRig
{
public:
    EditorRig() { Lessons::SqliteWriter::createStore(storePath(), kLessons, Lessons::SqliteWriter::Existing::Refuse); }

    QString programPath(const QString &name) const { return m_program.filePath(name); }
    QString storePath() const { return programPath(QStringLiteral("db1.sqlite")); }
    /// A new window, as a new run of the editor makes it; the old one is dropped
    /// without being closed, as a crash would leave it.
    EditorWindow &start()
    {
        m_window = std::make_unique<EditorWindow>(EditorContext{dialogs, sound, m_program.path(), m_program.path(), m_recovery.path(),
                                                                m_settings.filePath(QStringLiteral("editor.ini"))});
        m_window->show();
        return *m_window;
    }
    /// A new window on the program's store, with a lesson chosen when lesson is not 0
    /// and words typed at its start.
    bool open(int pattern = 0, int lesson = 0, const QString &typed = QString())
    {
        start().openProgramStore();
        const bool chosen = lesson == 0 || choose(pattern, lesson);
        type(typed);
        return chosen;
    }
    EditorWindow &window() { return *m_window; }

    template <typename T = QAction>
    T *control(const char *name) const
    {
        T *found = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QTreeWidget *tree() const { return control<QTreeWidget>("LessonTree"); }
    LessonTextEdit *text() const { return control<LessonTextEdit>("LessonText"); }
    QListWidget *findings() const { return control<QListWidget>("Findings"); }
    void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    /// Keys typed into the lesson text; the findings and the preview follow.
    void type(const QString &keys)
    {
        QTest::keyClicks(text(), keys);
        QApplication::processEvents();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(text(), key, modifiers);
        QApplication::processEvents();
    }
    /// A named action, as its menu entry or key chooses it; the window follows.
    void trigger(const char *name)
    {
        control(name)->trigger();
        QApplication::processEvents();
    }
    /// The list entry of a lesson, or of a pattern when lesson is 0.
    QTreeWidgetItem *item(int pattern, int lesson) const
    {
        for (QTreeWidgetItem *entry : tree()->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive)) {
            const QTreeWidgetItem *top = entry->parent() ? entry->parent() : entry;
            if (Patterns::patternNumberFromEntry(top->text(0).left(3)) == pattern
                && (lesson == 0 ? entry == top : Patterns::lessonNumberFromEntry(entry->text(0)) == lesson))
                return entry;
        }
        return nullptr;
    }
    bool choose(int pattern, int lesson = 0)
    {
        QTreeWidgetItem *entry = item(pattern, lesson);
        if (!entry)
            return false;
        tree()->scrollToItem(entry);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(entry).center());
        return tree()->currentItem() == entry;
    }
    /// Puts the caret at a line and column of the lesson text (both from 1), with a
    /// click, or selects the word there with a double click.
    void clickText(int line, int column, bool doubleClick = false)
    {
        QTextCursor cursor(text()->document()->findBlockByNumber(line - 1));
        cursor.setPosition(cursor.position() + column - 1);
        const QPoint at = text()->cursorRect(cursor).center() + QPoint(2, 0);
        QTest::mouseEvent(doubleClick ? QTest::MouseDClick : QTest::MouseClick, text()->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
    QStringList textLines() const { return text()->toPlainText().split(QLatin1Char('\n')); }
    /// The lines of a lesson chosen in the list; none if it is not there.
    QStringList lessonLines(int pattern, int lesson) { return choose(pattern, lesson) ? textLines() : QStringList(); }
    /// The findings shown, one a line.
    QString findingTexts() const
    {
        QStringList shown;
        for (const QListWidgetItem *item : findings()->findItems(QStringLiteral("*"), Qt::MatchWildcard))
            shown << item->text();
        return shown.join(QLatin1Char('\n'));
    }
    /// The entries under one of the list's.
    static QStringList entries(const QTreeWidgetItem *parent)
    {
        QStringList shown;
        for (int i = 0; i < parent->childCount(); ++i)
            shown << parent->child(i)->text(0);
        return shown;
    }
    /// The rows of a store file (the program's when none is named) as the pupil program reads them.
    QList<StoredLesson> stored(const QString &store = QString()) const { return StoreTests::sqliteRows(store.isEmpty() ? storePath() : store); }
    /// What the pupil program lists for a pattern, in the blanks of the editor's list.
    QStringList pupilsList(int pattern) const
    {
        QStringList entries;
        const auto listing = Lessons::programLessonStore(m_program.path())->lessons(pattern);
        for (const Lessons::LessonInfo &info : listing.value.value_or(QList<Lessons::LessonInfo>()))
            entries << Patterns::lessonEntry(info.lesson, info.heading).simplified();
        return entries;
    }

    ScriptedEditorDialogs dialogs;
    RecordingSound sound;

private:
    QTemporaryDir m_program, m_recovery, m_settings;
    std::unique_ptr<EditorWindow> m_window;
};

// The squeezed text of a printed PDF's first page; none unless it has as many pages as expected, on Letter.
QString printed(const QString &pdf, int pages)
{
    const QStringList text = PdfText::pages(pdf);
    return text.size() == pages && PdfText::info(pdf).contains(QStringLiteral("(letter)")) ? PdfText::squeezed(text[0]) : QString();
}

} // namespace

class EditorWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void aNewLessonReachesThePupils();
    void undoTakesBackEveryChangeUntilSave();
    void everyRowIsShownThoseNoPupilSeesApart();
    void previewAndTryItShowTheUnsavedText();
    void anAccessStoreStaysByteForByte();
    void aLockedOrUnreadableStoreKeepsTheEdits();
    void editsLeftUnsavedAreOfferedBackOnce_data();
    void editsLeftUnsavedAreOfferedBackOnce();
    void lessonFoldersGoOutAndComeBack();
    void printedPreviewedAndWrittenWithTheOptionsOfLastTime();
};

void EditorWindowTest::aNewLessonReachesThePupils()
{
    EditorRig rig;
    QVERIFY(rig.open() && rig.choose(24));
    rig.trigger("NewLesson");
    // Typed, and a gap made of a word chosen with a double click.
    rig.type(QStringLiteral("She plays the piano."));
    rig.clickText(2, 9, true);
    rig.trigger("MakeGap");
    QCOMPARE(rig.textLines(), (QStringList{"Fill in the gaps.", "1. She &plays& the piano."}));
    QCOMPARE(rig.findingTexts(), QStringLiteral("לא נמצאו בעיות בשיעור."));

    // A marker left open is a finding on its line, where a click on it goes; the save is
    // refused and says why.
    rig.key(Qt::Key_End);
    rig.type(QStringLiteral(" &"));
    QVERIFY(rig.findingTexts().contains(QStringLiteral("בשורה 2")));
    rig.clickText(1, 1);
    QTest::mouseClick(rig.findings()->viewport(), Qt::LeftButton, {}, rig.findings()->visualItemRect(rig.findings()->item(0)).center());
    QCOMPARE(rig.text()->textCursor().blockNumber(), 1);
    rig.trigger("Save");
    QVERIFY(rig.dialogs.informed.value(0).contains(QStringLiteral("תבנית 24, שיעור 3")));
    QCOMPARE(rig.stored(), kLessons);

    // Fixed, saved, and there for the pupils.
    for (Qt::Key key : {Qt::Key_End, Qt::Key_Backspace, Qt::Key_Backspace})
        rig.key(key);
    rig.trigger("Save");
    QVERIFY(!rig.window().isWindowModified() && !rig.control("Undo")->isEnabled());
    QCOMPARE(rig.stored().last(), (StoredLesson{24, 3, QStringLiteral("Fill in the gaps.\r\n1. She &plays& the piano."), false}));
}

void EditorWindowTest::undoTakesBackEveryChangeUntilSave()
{
    EditorRig rig;
    QVERIFY(rig.open(24, 1, QStringLiteral("Now ")));
    rig.trigger("DuplicateLesson");
    rig.type(QStringLiteral(" More."));
    QVERIFY(rig.choose(5, 1));
    rig.dialogs.numbers = std::make_pair(6, 4);
    rig.trigger("MoveLesson");
    QVERIFY(rig.choose(24, 2));
    rig.trigger("DeleteLesson");
    QCOMPARE(rig.dialogs.asked.size(), 1);

    // Ctrl+Z in the text box goes back through every lesson's changes, in turn.
    int steps = 0;
    for (; rig.control("Undo")->isEnabled() && steps < 20; ++steps)
        rig.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(steps, 5);
    QVERIFY(!rig.window().isWindowModified() && rig.item(24, 2) && rig.item(5, 1) && !rig.item(24, 3));

    while (rig.control("Redo")->isEnabled())
        rig.trigger("Redo");
    rig.trigger("Save");
    // Each kind of change, saved: a text, a removal, a move in place, a new row last.
    const QString edited = QStringLiteral("Now ") + kLessons[0].cloze;
    QCOMPARE(rig.stored(), (QList<StoredLesson>{{24, 1, edited, false}, {6, 4, kLessons[2].cloze, false},
                                                {24, 3, edited + QStringLiteral(" More."), false}}));
}

void EditorWindowTest::everyRowIsShownThoseNoPupilSeesApart()
{
    EditorRig rig;
    const QList<StoredLesson> apartRows = {{7, 1, QStringLiteral("Unnamed\r\n1. &a&")}, {24, 100, QStringLiteral("High\r\n1. &a&")},
                                           {24, 2, QStringLiteral("Second\r\n1. &a&")}, {13, 1, QString()}};
    Lessons::SqliteWriter::createStore(rig.storePath(), kLessons + apartRows, Lessons::SqliteWriter::Existing::Replace);
    QVERIFY(rig.open());
    QTreeWidgetItem *apart = rig.tree()->topLevelItem(24);
    QVERIFY(apart);
    QCOMPARE(EditorRig::entries(apart), (QStringList{"7/1  Unnamed  — תבנית ללא שם: לא מוצג לתלמידים",
                                                   "13/1    — טקסט ריק: לא מוצג לתלמידים",
                                                   "24/2  Second  — שורה נוספת לאותו מספר: התלמידים רואים רק את הראשונה",
                                                   "24/100  High  — מספר שיעור מחוץ לטווח 1 עד 99: לא מוצג לתלמידים"}));
    // Under a pattern, the lessons the pupils' list shows, read from the same store.
    QCOMPARE(EditorRig::entries(rig.item(24, 0)), rig.pupilsList(24));
    // A row kept apart opens like any other, with what keeps it from the pupils.
    rig.tree()->setCurrentItem(apart->child(0));
    QVERIFY(rig.textLines().value(0) == QStringLiteral("Unnamed") && rig.findingTexts().contains(QStringLiteral("לתבנית 7 אין שם")));
}

void EditorWindowTest::previewAndTryItShowTheUnsavedText()
{
    EditorRig rig;
    QVERIFY(rig.open(5, 1));
    rig.clickText(2, 4);
    rig.type(QStringLiteral("Birds &can& fly. "));
    QCOMPARE(rig.control<QComboBox>("Combo1_1")->currentText(), QStringLiteral("###"));
    // What the keyboard reaches has a name for a screen reader, and the text says its lesson.
    QStringList unnamed;
    for (QWidget *w : rig.window().findChildren<QWidget *>()) {
        const bool reached = w->isVisible() && (w->focusPolicy() & Qt::TabFocus);
        if (reached && QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << w->objectName();
    }
    QCOMPARE(unnamed, QStringList());
    const QString title = rig.control<QLabel>("LessonTitle")->text();
    QVERIFY(title.contains(QStringLiteral("תבנית 5")) && QAccessible::queryAccessibleInterface(rig.text())->text(QAccessible::Description) == title);
    // The switches show the page as the pupil's options would.
    rig.click(rig.control<QCheckBox>("PreviewWordBank"));
    rig.click(rig.control<QCheckBox>("PreviewSigns"));
    QVERIFY(!rig.control<QComboBox>("Combo1_1")->isVisible() && rig.control<QLineEdit>("Text1_1")->isVisible());
    QCOMPARE(rig.control<QLineEdit>("Text1_1")->text(), QString());

    // Played in the pupils' exercise screen, with its second gap, and back.
    rig.click(rig.control<QPushButton>("TryIt"));
    QWidget *exercise = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        exercise = w->objectName() == QLatin1String("Main") ? w : exercise;
    QVERIFY(exercise && exercise->isVisible() && !rig.window().isVisible());
    QCOMPARE(exercise->findChild<QLabel *>(QStringLiteral("Label20_1"))->text(), QStringLiteral("5"));
    QVERIFY(exercise->findChild<QComboBox *>(QStringLiteral("Combo1_2"))->isVisible());
    exercise->close();
    QVERIFY(rig.window().isVisible() && !exercise->isVisible());
    QCOMPARE(rig.stored(), kLessons); // played, not saved
    QVERIFY(rig.window().isWindowModified());

    // A lesson the pupil program refuses shows no page, and says why.
    QApplication::clipboard()->setText(QStringLiteral("&"));
    rig.key(Qt::Key_V, Qt::ControlModifier);
    QVERIFY(!rig.control<QLineEdit>("Text1_1")->isVisible() && rig.control<QLabel>("PreviewRefusal")->isVisible());
    // A paste too long for any lesson is refused whole.
    const QString before = rig.text()->toPlainText();
    rig.text()->selectAll();
    QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('a')));
    rig.key(Qt::Key_V, Qt::ControlModifier);
    QVERIFY(rig.dialogs.informed.value(0).contains(QStringLiteral("ארוך מדי")));
    QCOMPARE(rig.text()->toPlainText(), before);
}

void EditorWindowTest::anAccessStoreStaysByteForByte()
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
    rig.click(rig.control<QPushButton>("SetAccessAside"));
    QCOMPARE(rig.window().document()->path(), rig.storePath());
    QCOMPARE(StoreTests::readFile(rig.programPath(QStringLiteral("db1-aside.mdb"))), bytes);
    QCOMPARE(rig.pupilsList(24).size(), 2);
    QVERIFY(rig.control<QFrame>("AsideBar")->isVisible() && !rig.control<QFrame>("HiddenBar")->isVisible());
    rig.click(rig.control<QPushButton>("PutAccessBack"));
    QCOMPARE(StoreTests::readFile(access), bytes);
    QCOMPARE(QDir(rig.programPath(QString())).entryList({QStringLiteral("*.mdb")}), QStringList{"db1.mdb"});

    // Opened again, and copied into a new SQLite store that opens for editing.
    rig.dialogs.openPath = access;
    rig.trigger("Open");
    rig.dialogs.newPath = rig.programPath(QStringLiteral("copy.sqlite"));
    rig.click(rig.control<QPushButton>("ReadOnlyCopy"));
    QVERIFY(!rig.control<QFrame>("ReadOnlyBar")->isVisible());
    QCOMPARE(rig.stored(rig.dialogs.newPath).size(), StoreTests::expectedRows().size());

    // The stores opened last, latest first, each once.
    rig.trigger("Recent_2");
    QCOMPARE(rig.window().document()->path(), rig.storePath());
    QVERIFY(!rig.window().findChild<QAction *>(QStringLiteral("Recent_3")));
}

// Read first: a damaged store leaves the open one, its edits and the file as they were,
// unasked; a store held by another program keeps the edits in the window.
void EditorWindowTest::aLockedOrUnreadableStoreKeepsTheEdits()
{
    EditorRig rig;
    QVERIFY(rig.open(24, 2, QStringLiteral("Now ")));
    StoreTests::StoreFolder elsewhere;
    const QString path = elsewhere.write(QStringLiteral("broken.sqlite"), QByteArray(8192, '\x5a'));
    QVERIFY(!rig.window().openStore(path));
    QVERIFY(rig.dialogs.informed.value(0).contains(QStringLiteral("לא ניתן לפתוח")) && rig.dialogs.asked.isEmpty());
    QCOMPARE(StoreTests::readFile(path), QByteArray(8192, '\x5a'));
    // One that can be read is opened only if the teacher lets the edits go.
    QVERIFY(!rig.window().openStore(rig.storePath()));
    QCOMPARE(rig.dialogs.asked.size(), 1);

    sqlite3 *holder = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(rig.storePath()).constData(), &holder), SQLITE_OK);
    QCOMPARE(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    rig.trigger("Save");
    sqlite3_close(holder); // and its transaction rolled back
    QVERIFY(rig.dialogs.informed.value(1).contains(QStringLiteral("תוכנית אחרת תופסת את המאגר")));
    QCOMPARE(rig.stored(), kLessons);
    rig.trigger("Save"); // the edits kept, saved once the store is free
    QCOMPARE(rig.stored()[1].cloze, QStringLiteral("Now ") + kLessons[1].cloze);
}

// Edits are kept a moment after the last change: after a crash, or a close cancelled,
// the next run offers them back; a save or a discard lets them go.
void EditorWindowTest::editsLeftUnsavedAreOfferedBackOnce_data()
{
    QTest::addColumn<std::optional<Unsaved>>("closing"); // the answer on closing; none after a crash
    QTest::addColumn<bool>("takeBack");
    QTest::addColumn<int>("questions");
    QTest::newRow("crash, taken back") << std::optional<Unsaved>() << true << 1;
    QTest::newRow("crash, let go") << std::optional<Unsaved>() << false << 1;
    QTest::newRow("close cancelled") << std::optional(Unsaved::Cancel) << false << 2;
    QTest::newRow("close, discarded") << std::optional(Unsaved::Discard) << false << 1;
    QTest::newRow("close, saved") << std::optional(Unsaved::Save) << false << 1;
}

void EditorWindowTest::editsLeftUnsavedAreOfferedBackOnce()
{
    QFETCH(std::optional<Unsaved>, closing);
    QFETCH(bool, takeBack);
    QFETCH(int, questions);
    EditorRig rig;
    QVERIFY(rig.open(24, 2, QStringLiteral("Now ")));
    rig.trigger("NewLesson");
    rig.type(QStringLiteral("She &can& swim."));
    QTest::qWait(1300);
    const qsizetype changes = rig.window().document()->changes().size();
    if (closing) {
        rig.dialogs.unsaved = *closing;
        rig.window().close();
        QCOMPARE(rig.window().isVisible(), *closing == Unsaved::Cancel);
        QCOMPARE(rig.stored().size(), kLessons.size() + (*closing == Unsaved::Save ? 1 : 0));
    }
    rig.dialogs.yes = takeBack;
    QVERIFY(rig.open()); // a new run
    QCOMPARE(rig.dialogs.asked.size(), questions);
    QCOMPARE(rig.window().document()->changes().size(), takeBack ? changes : 0);
    if (takeBack)
        QCOMPARE(rig.lessonLines(24, 3).value(1), QStringLiteral("1. She &can& swim."));
    // The question comes only once.
    QVERIFY(rig.open());
    QCOMPARE(rig.dialogs.asked.size(), questions + (takeBack ? 1 : 0));
}

void EditorWindowTest::lessonFoldersGoOutAndComeBack()
{
    EditorRig rig;
    StoreTests::StoreFolder folders;
    QVERIFY(rig.open() && rig.choose(5));
    rig.dialogs.folder = folders.path(QStringLiteral("pattern"));
    rig.trigger("ExportPattern");
    QCOMPARE(QDir(rig.dialogs.folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"05"});
    rig.dialogs.folder = folders.path(QStringLiteral("all"));
    rig.trigger("ExportAll");
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("נכתבו 3 קובצי שיעור")));
    QCOMPARE(StoreTests::readFile(folders.path(QStringLiteral("all/24/02.txt"))), kLessons[1].cloze.toUtf8());
    rig.trigger("ExportAll"); // nothing already in a folder is overwritten
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("חדשה או ריקה")));

    // A teacher changes one file with a plain text editor and adds a lesson with a fault.
    folders.write(QStringLiteral("all/24/01.txt"), "Write the verb now.\n1. She &plays& (play).\n");
    folders.write(QStringLiteral("all/24/03.txt"), "Open marker\n1. She &plays (play).\n");
    folders.write(QStringLiteral("all/notes.txt"), "not a lesson");
    QVERIFY(rig.choose(24, 1)); // open in the window while its file comes in
    rig.trigger("ImportFolder");
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("יובאו 4 שיעורים: 1 חדשים")) && rig.dialogs.informed.last().contains(QStringLiteral("ב-1 מהם")));
    QCOMPARE(rig.lessonLines(24, 1), (QStringList{"Write the verb now.", "1. She &plays& (play)."}));
    rig.trigger("Save");
    QVERIFY(rig.dialogs.informed.last().contains(QStringLiteral("תבנית 24, שיעור 3")));
    QCOMPARE(rig.stored(), kLessons);
    rig.trigger("Undo");
    QVERIFY(!rig.window().document()->hasChanges());
    QCOMPARE(rig.lessonLines(24, 1).value(0), QStringLiteral("Write the verb."));
}

void EditorWindowTest::printedPreviewedAndWrittenWithTheOptionsOfLastTime()
{
    EditorRig rig;
    QTemporaryDir folder;
    rig.dialogs.printTo = folder.filePath(QStringLiteral("printed.pdf"));
    QVERIFY(rig.open(24, 1, QStringLiteral("Now "))); // unsaved

    // Printed with a word bank on Letter, the key's page alone, captioned with the lesson.
    rig.dialogs.sheetKey = true;
    rig.dialogs.pagesChosen = QPageRanges::fromString(QStringLiteral("2"));
    rig.trigger("PrintWorksheet");
    const QString key = printed(rig.dialogs.printTo, 1);
    QVERIFY2(key.contains(QStringLiteral("NowWritetheverb.1.Sheplays(play)")) && key.contains(QStringLiteral("simple")), qPrintable(key));

    // Previewed as chosen before: the worksheet with its word bank, then the key.
    rig.trigger("PreviewWorksheet");
    QVERIFY(printed(rig.dialogs.printTo, 2).contains(QStringLiteral("מחסן")));

    // Written without the key, to a name without .pdf; a new run offers the same, in
    // the folder of the last PDF.
    rig.dialogs.sheetKey = false;
    rig.dialogs.pdfPath = folder.filePath(QStringLiteral("sheet"));
    rig.trigger("ExportWorksheet");
    QVERIFY(printed(rig.dialogs.pdfPath + QStringLiteral(".pdf"), 1).contains(QStringLiteral("מחסן")));
    rig.dialogs.pdfPath = folder.filePath(QStringLiteral("again.pdf"));
    QVERIFY(rig.open(24, 2));
    rig.trigger("ExportWorksheet");
    QCOMPARE(QFileInfo(rig.dialogs.suggestedPdf).absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
    QVERIFY(printed(rig.dialogs.pdfPath, 1).contains(QStringLiteral("works")));

    // A line too wide for the pupils' page is refused, though paper would wrap it; a
    // PDF that cannot be written is said.
    QFile::remove(rig.dialogs.printTo);
    rig.key(Qt::Key_End, Qt::ControlModifier);
    rig.type(QStringLiteral(" ") + QString(330, QLatin1Char('x')));
    rig.trigger("PrintWorksheet");
    QVERIFY(rig.choose(5, 1));
    rig.dialogs.pdfPath = folder.filePath(QStringLiteral("missing/sheet.pdf"));
    rig.trigger("ExportWorksheet");
    QVERIFY(rig.dialogs.informed.value(0).startsWith(QStringLiteral("לא ניתן להכין דף עבודה: את תבנית 24, שיעור 2 תוכנית התלמידים לא תוכל לפתוח.")));
    QVERIFY(rig.dialogs.informed.value(0).contains(QStringLiteral("ארוכה מדי")) && rig.dialogs.informed.value(1).startsWith(QStringLiteral("לא ניתן לכתוב את")));
    QVERIFY(!QFileInfo::exists(rig.dialogs.printTo) && !QFileInfo::exists(folder.filePath(QStringLiteral("missing"))));
    QCOMPARE(rig.stored(), kLessons); // printing saves nothing
}

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
