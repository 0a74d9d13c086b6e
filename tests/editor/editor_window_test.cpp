// The lesson editor worked as a teacher works it: through its controls, by name.
#include "editor_rig.h"

#include "editor/lesson_text_edit.h"
#include "lessons/cloze_builder.h"
#include "lessons/patterns.h"
#include "platform/program_store.h"
#include "platform/sqlite_writer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

QWidget *screen(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name)
            return w;
    }
    return nullptr;
}

// Each line numbered, two gaps a line.
QString gapsLesson(int gaps)
{
    QString text = QStringLiteral("Write the words.");
    for (int g = 1; g <= gaps; g += 2)
        text += QStringLiteral("\n%1. Say &w%1& and &w%2& now.").arg(g).arg(g + 1);
    return text;
}

} // namespace

class EditorWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void aNewLessonReachesThePupils();
    void undoTakesBackEveryChangeUntilSave();
    void everyRowIsShownThoseNoPupilSeesApart();
    void previewFollowsTypingAndSwitches();
    void badInput_data();
    void badInput();
    void tryItPlaysTheUnsavedLessonAndComesBack();
};

void EditorWindowTest::aNewLessonReachesThePupils()
{
    EditorRig rig;
    rig.start().openProgramStore();
    QCOMPARE(rig.window().windowTitle(), QStringLiteral("db1.sqlite[*] – עורך השיעורים"));
    QVERIFY(rig.choose(24));
    rig.trigger("NewLesson");
    QVERIFY(rig.control<QLabel>("LessonTitle")->text().startsWith(QStringLiteral("תבנית 24, שיעור 3")));
    QVERIFY(rig.window().isWindowModified());

    // Type, and make a gap of a word with Ctrl+G.
    rig.type(QStringLiteral("She plays the piano."));
    rig.clickText(2, 9, true);
    QCOMPARE(rig.text()->textCursor().selectedText(), QStringLiteral("plays"));
    rig.trigger("MakeGap");
    QCOMPARE(rig.textLines(), (QStringList{"Fill in the gaps.", "1. She &plays& the piano."}));
    QCOMPARE(rig.findingTexts(), QStringList{QStringLiteral("לא נמצאו בעיות בשיעור.")});

    // A marker left open is a finding; the save is refused and says why.
    rig.key(Qt::Key_End);
    rig.type(QStringLiteral(" &"));
    QCOMPARE(rig.findings()->count(), 1);
    QVERIFY(rig.findingTexts().first().contains(QStringLiteral("בשורה 2")));
    rig.clickText(1, 1);
    QTest::mouseClick(rig.findings()->viewport(), Qt::LeftButton, {},
                      rig.findings()->visualItemRect(rig.findings()->item(0)).center());
    QCOMPARE(rig.text()->textCursor().blockNumber(), 1); // the caret on the finding's line
    rig.trigger("Save");
    QCOMPARE(rig.dialogs.informed.size(), 1);
    QVERIFY(rig.dialogs.informed.first().contains(QStringLiteral("תבנית 24, שיעור 3")));
    QCOMPARE(rig.stored(), EditorRig::kLessons);
    QVERIFY(rig.window().isWindowModified());

    // Fixed, saved, and there for the pupils.
    rig.key(Qt::Key_End);
    rig.key(Qt::Key_Backspace);
    rig.key(Qt::Key_Backspace);
    QCOMPARE(rig.findingTexts(), QStringList{QStringLiteral("לא נמצאו בעיות בשיעור.")});
    rig.trigger("Save");
    QCOMPARE(rig.dialogs.informed.size(), 1);
    QVERIFY(!rig.window().isWindowModified());
    QCOMPARE(rig.stored().last(),
             (Lessons::StoredLesson{24, 3, QStringLiteral("Fill in the gaps.\r\n1. She &plays& the piano."), false}));
    QCOMPARE(rig.pupilsList(24), (QStringList{"1 Write the verb.\r\n", "2 Write the verb again.\r\n",
                                              "3 Fill in the gaps.\r\n"}));
    const auto text = Lessons::programLessonStore(rig.programPath(QString()))->lessonText(24, 3);
    const Cloze::BuildResult built = Cloze::buildLesson(*text.value);
    QVERIFY(built);
    QCOMPARE(built.lesson->answers, QStringList{QStringLiteral("plays")});
    QVERIFY(!rig.action("Undo")->isEnabled());
}

void EditorWindowTest::undoTakesBackEveryChangeUntilSave()
{
    EditorRig rig;
    rig.start().openProgramStore();
    QVERIFY(rig.choose(24, 1));
    rig.type(QStringLiteral("Now "));
    rig.trigger("DuplicateLesson");
    rig.type(QStringLiteral(" More."));
    QVERIFY(rig.choose(5, 1));
    rig.dialogs.numbers = std::make_pair(6, 4);
    rig.trigger("MoveLesson");
    QVERIFY(rig.choose(24, 2));
    rig.trigger("DeleteLesson");
    QCOMPARE(rig.dialogs.asked.size(), 1);
    QVERIFY(!rig.item(24, 2));
    QCOMPARE(rig.window().document()->changes().size(), 4);

    // Ctrl+Z in the text box goes back through every lesson's changes, in turn.
    int steps = 0;
    while (rig.action("Undo")->isEnabled() && steps < 20) {
        rig.key(Qt::Key_Z, Qt::ControlModifier);
        ++steps;
    }
    QCOMPARE(steps, 5);
    QVERIFY(!rig.window().document()->hasChanges());
    QVERIFY(!rig.window().isWindowModified());
    QVERIFY(rig.item(24, 2) && rig.item(5, 1) && !rig.item(24, 3));

    while (rig.action("Redo")->isEnabled())
        rig.trigger("Redo");
    QCOMPARE(rig.window().document()->changes().size(), 4);
    QVERIFY(rig.choose(24, 1));
    QCOMPARE(rig.textLines().first(), QStringLiteral("Now Write the verb."));
    QVERIFY(rig.choose(24, 3));
    QCOMPARE(rig.textLines().last(), QStringLiteral("2. We &live& (live) here. More."));
    QVERIFY(!rig.item(24, 2) && rig.item(6, 4));
    rig.trigger("Save");
    QVERIFY(!rig.action("Undo")->isEnabled());
    // Each kind of change, saved: a text, a removal, a move in place, a new row last.
    const QString edited = QStringLiteral("Now ") + EditorRig::kLessons[0].cloze;
    QCOMPARE(rig.stored(), (QList<Lessons::StoredLesson>{{24, 1, edited, false},
                                                         {6, 4, EditorRig::kLessons[2].cloze, false},
                                                         {24, 3, edited + QStringLiteral(" More."), false}}));
}

void EditorWindowTest::everyRowIsShownThoseNoPupilSeesApart()
{
    EditorRig rig;
    QList<Lessons::StoredLesson> rows = EditorRig::kLessons;
    rows += {{7, 1, QStringLiteral("Unnamed\r\n1. &a&"), false},
             {24, 100, QStringLiteral("High\r\n1. &a&"), false},
             {24, 2, QStringLiteral("Second\r\n1. &a&"), false},
             {13, 1, QString(), false}};
    Lessons::SqliteWriter::createStore(rig.storePath(), rows, Lessons::SqliteWriter::Existing::Replace);
    rig.start().openProgramStore();
    QTreeWidget *tree = rig.tree();
    QCOMPARE(tree->topLevelItemCount(), 25);
    QTreeWidgetItem *apart = tree->topLevelItem(24);
    QCOMPARE(apart->text(0), QStringLiteral("לא מוצגים לתלמידים (4)"));
    QStringList shown;
    for (int i = 0; i < apart->childCount(); ++i)
        shown << apart->child(i)->text(0);
    QCOMPARE(shown, (QStringList{"7/1  Unnamed  — תבנית ללא שם: לא מוצג לתלמידים",
                                 "13/1    — טקסט ריק: לא מוצג לתלמידים",
                                 "24/2  Second  — שורה נוספת לאותו מספר: התלמידים רואים רק את הראשונה",
                                 "24/100  High  — מספר שיעור מחוץ לטווח 1 עד 99: לא מוצג לתלמידים"}));
    // Under each pattern, the lessons the pupils' list shows, read from the same store.
    for (int i = 0; i < 24; ++i) {
        QTreeWidgetItem *pattern = tree->topLevelItem(i);
        QStringList listed;
        for (int j = 0; j < pattern->childCount(); ++j)
            listed << pattern->child(j)->text(0);
        QStringList pupils = rig.pupilsList(Patterns::patternNumberFromEntry(pattern->text(0).left(3)));
        for (QString &entry : pupils)
            entry = entry.simplified();
        QCOMPARE(listed, pupils);
    }
    // A row kept apart opens like any other, with what keeps it from the pupils.
    tree->setCurrentItem(apart->child(0));
    QCOMPARE(rig.textLines(), (QStringList{"Unnamed", "1. &a&"}));
    QVERIFY(rig.findingTexts().join(QLatin1Char('|')).contains(QStringLiteral("לתבנית 7 אין שם")));
}

void EditorWindowTest::previewFollowsTypingAndSwitches()
{
    EditorRig rig;
    rig.start().openProgramStore();
    QVERIFY(rig.choose(24, 2));
    auto *heading = rig.control<QLabel>("Label4_0");
    QCOMPARE(heading->text(), QStringLiteral("Write the verb again.\r\n"));
    QVERIFY(rig.control<QComboBox>("Combo1_1")->isVisible());
    QCOMPARE(rig.control<QComboBox>("Combo1_1")->currentText(), QStringLiteral("#####"));
    rig.clickText(1, 1);
    rig.type(QStringLiteral("Now "));
    QCOMPARE(heading->text(), QStringLiteral("Now Write the verb again.\r\n"));
    QTest::mouseClick(rig.control<QCheckBox>("PreviewWordBank"), Qt::LeftButton);
    QApplication::processEvents();
    QVERIFY(!rig.control<QComboBox>("Combo1_1")->isVisible());
    QVERIFY(rig.control<QLineEdit>("Text1_1")->isVisible());
    QTest::mouseClick(rig.control<QCheckBox>("PreviewSigns"), Qt::LeftButton);
    QCOMPARE(rig.control<QLineEdit>("Text1_1")->text(), QString());
    // A lesson the pupil program refuses shows no page, and says why.
    rig.clickText(2, 1);
    rig.type(QStringLiteral("&"));
    QVERIFY(!rig.control<QLineEdit>("Text1_1")->isVisible());
    QVERIFY(rig.control<QLabel>("PreviewRefusal")->isVisible());
}

void EditorWindowTest::badInput_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("finding");
    QTest::newRow("51 gaps pasted") << gapsLesson(51) << QString() << QStringLiteral("יותר מ-50");
    QTest::newRow("unclosed marker pasted") << QStringLiteral("Verbs\n1. She &goes to school.") << QString()
                                             << QStringLiteral("נפתח ולא נסגר");
    QTest::newRow("1 MB pasted") << QString(1 << 20, QLatin1Char('a')) << QStringLiteral("ארוך מדי") << QString();
}

void EditorWindowTest::badInput()
{
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(QString, finding);
    EditorRig rig;
    rig.start().openProgramStore();
    QVERIFY(rig.choose(24, 1));
    const QString before = rig.text()->toPlainText();
    rig.text()->selectAll();
    QApplication::clipboard()->setText(input);
    rig.key(Qt::Key_V, Qt::ControlModifier);
    if (!message.isEmpty()) {
        QCOMPARE(rig.dialogs.informed.size(), 1);
        QVERIFY(rig.dialogs.informed.first().contains(message));
        QCOMPARE(rig.text()->toPlainText(), before);
        QVERIFY(!rig.window().isWindowModified());
        return;
    }
    QCOMPARE(rig.text()->toPlainText(), input);
    QVERIFY2(rig.findingTexts().join(QLatin1Char('|')).contains(finding), qPrintable(rig.findingTexts().join('|')));
    rig.trigger("Save");
    QCOMPARE(rig.dialogs.informed.size(), 1);
    QCOMPARE(rig.stored(), EditorRig::kLessons);
    QVERIFY(rig.window().isWindowModified()); // the text stays for the teacher to mend
    QCOMPARE(rig.text()->toPlainText(), input);
}

void EditorWindowTest::tryItPlaysTheUnsavedLessonAndComesBack()
{
    EditorRig rig;
    rig.start().openProgramStore();
    QVERIFY(rig.choose(5, 1));
    rig.clickText(2, 4);
    rig.type(QStringLiteral("Birds &can& fly. "));
    QTest::mouseClick(rig.control<QPushButton>("TryIt"), Qt::LeftButton);
    QWidget *exercise = screen(QStringLiteral("Main"));
    QVERIFY(exercise && exercise->isVisible());
    QVERIFY(!rig.window().isVisible());
    QCOMPARE(exercise->findChild<QLabel *>(QStringLiteral("Label20_1"))->text(), QStringLiteral("5"));
    for (const auto &[g, answer] : {std::pair{1, "can"}, std::pair{2, "can't"}}) {
        auto *gap = exercise->findChild<QComboBox *>(QStringLiteral("Combo1_%1").arg(g));
        gap->setFocus(Qt::TabFocusReason);
        gap->setCurrentIndex(gap->findText(QString::fromLatin1(answer)));
    }
    QWidget *results = screen(QStringLiteral("Results"));
    QVERIFY(results && results->isVisible());
    QCOMPARE(results->findChild<QLabel *>(QStringLiteral("Label18"))->text(), QStringLiteral("100"));
    QTest::mouseClick(results->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(rig.window().isVisible());
    QVERIFY(!exercise->isVisible() && !results->isVisible());
    QCOMPARE(rig.stored(), EditorRig::kLessons); // played, not saved
    QVERIFY(rig.window().isWindowModified());
}

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
