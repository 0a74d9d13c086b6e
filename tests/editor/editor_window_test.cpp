// The lesson editor worked as a teacher works it: through its controls, by name.
#include "editor_rig.h"

#include "lessons/cloze_builder.h"
#include "platform/program_store.h"
#include "platform/sqlite_writer.h"

#include <QClipboard>

namespace {

QWidget *screen(const QString &name)
{
    const QWidgetList all = QApplication::topLevelWidgets();
    const auto found = std::find_if(all.begin(), all.end(), [&](QWidget *w) { return w->objectName() == name; });
    return found == all.end() ? nullptr : *found;
}

QStringList entries(const QTreeWidgetItem *parent)
{
    QStringList texts;
    for (int i = 0; i < parent->childCount(); ++i)
        texts << parent->child(i)->text(0);
    return texts;
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
};

void EditorWindowTest::aNewLessonReachesThePupils()
{
    EditorRig rig;
    QVERIFY(rig.open());
    QCOMPARE(rig.window().windowTitle(), QStringLiteral("db1.sqlite[*] – עורך השיעורים"));
    QVERIFY(rig.choose(24));
    rig.trigger("NewLesson");
    QVERIFY(rig.control<QLabel>("LessonTitle")->text().startsWith(QStringLiteral("תבנית 24, שיעור 3")));

    // Type, and make a gap of a word chosen with a double click.
    rig.type(QStringLiteral("She plays the piano."));
    rig.clickText(2, 9, true);
    rig.trigger("MakeGap");
    QCOMPARE(rig.textLines(), (QStringList{"Fill in the gaps.", "1. She &plays& the piano."}));
    QCOMPARE(rig.findingTexts(), QStringLiteral("לא נמצאו בעיות בשיעור."));

    // A marker left open is a finding on its line; the save is refused and says why.
    rig.key(Qt::Key_End);
    rig.type(QStringLiteral(" &"));
    QVERIFY(rig.findingTexts().contains(QStringLiteral("בשורה 2")));
    rig.clickText(1, 1);
    QTest::mouseClick(rig.findings()->viewport(), Qt::LeftButton, {},
                      rig.findings()->visualItemRect(rig.findings()->item(0)).center());
    QCOMPARE(rig.text()->textCursor().blockNumber(), 1);
    rig.trigger("Save");
    QCOMPARE(rig.dialogs.informed.size(), 1);
    QVERIFY(rig.dialogs.informed.first().contains(QStringLiteral("תבנית 24, שיעור 3")));
    QCOMPARE(rig.stored(), EditorRig::kLessons);
    QVERIFY(rig.window().isWindowModified());

    // Fixed, saved, and there for the pupils.
    rig.key(Qt::Key_End);
    rig.key(Qt::Key_Backspace);
    rig.key(Qt::Key_Backspace);
    rig.trigger("Save");
    QVERIFY(!rig.window().isWindowModified() && !rig.control("Undo")->isEnabled());
    QCOMPARE(rig.stored().last(),
             (Lessons::StoredLesson{24, 3, QStringLiteral("Fill in the gaps.\r\n1. She &plays& the piano."), false}));
    QCOMPARE(rig.pupilsList(24).last(), QStringLiteral("3 Fill in the gaps."));
    const auto text = Lessons::programLessonStore(rig.programPath(QString()))->lessonText(24, 3);
    const Cloze::BuildResult built = Cloze::buildLesson(*text.value);
    QVERIFY(built);
    QCOMPARE(built.lesson->answers, QStringList{QStringLiteral("plays")});
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
    QCOMPARE(rig.window().document()->changes().size(), 4);

    // Ctrl+Z in the text box goes back through every lesson's changes, in turn.
    int steps = 0;
    for (; rig.control("Undo")->isEnabled() && steps < 20; ++steps)
        rig.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(steps, 5);
    QVERIFY(!rig.window().isWindowModified());
    QVERIFY(rig.item(24, 2) && rig.item(5, 1) && !rig.item(24, 3));

    while (rig.control("Redo")->isEnabled())
        rig.trigger("Redo");
    QCOMPARE(rig.lessonLines(24, 1).value(0), QStringLiteral("Now Write the verb."));
    QCOMPARE(rig.lessonLines(24, 3).value(2), QStringLiteral("2. We &live& (live) here. More."));
    rig.trigger("Save");
    QVERIFY(!rig.control("Undo")->isEnabled());
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
    QVERIFY(rig.open());
    QTreeWidget *tree = rig.tree();
    QCOMPARE(tree->topLevelItemCount(), 25);
    QTreeWidgetItem *apart = tree->topLevelItem(24);
    QCOMPARE(apart->text(0), QStringLiteral("לא מוצגים לתלמידים (4)"));
    QCOMPARE(entries(apart), (QStringList{"7/1  Unnamed  — תבנית ללא שם: לא מוצג לתלמידים",
                                          "13/1    — טקסט ריק: לא מוצג לתלמידים",
                                          "24/2  Second  — שורה נוספת לאותו מספר: התלמידים רואים רק את הראשונה",
                                          "24/100  High  — מספר שיעור מחוץ לטווח 1 עד 99: לא מוצג לתלמידים"}));
    // Under a pattern, the lessons the pupils' list shows, read from the same store.
    QCOMPARE(entries(rig.item(24, 0)), rig.pupilsList(24));
    QCOMPARE(entries(rig.item(5, 0)), rig.pupilsList(5));
    // A row kept apart opens like any other, with what keeps it from the pupils.
    tree->setCurrentItem(apart->child(0));
    QCOMPARE(rig.textLines(), (QStringList{"Unnamed", "1. &a&"}));
    QVERIFY(rig.findingTexts().contains(QStringLiteral("לתבנית 7 אין שם")));
}

void EditorWindowTest::previewAndTryItShowTheUnsavedText()
{
    EditorRig rig;
    QVERIFY(rig.open(5, 1));
    rig.clickText(2, 4);
    rig.type(QStringLiteral("Birds &can& fly. "));
    QCOMPARE(rig.control<QComboBox>("Combo1_1")->currentText(), QStringLiteral("###"));
    QTest::mouseClick(rig.control<QCheckBox>("PreviewWordBank"), Qt::LeftButton);
    QVERIFY(!rig.control<QComboBox>("Combo1_1")->isVisible());
    QTest::mouseClick(rig.control<QCheckBox>("PreviewSigns"), Qt::LeftButton);
    QVERIFY(rig.control<QLineEdit>("Text1_1")->isVisible());
    QCOMPARE(rig.control<QLineEdit>("Text1_1")->text(), QString());

    // Played in the pupils' exercise screen as it starts, and back.
    QTest::mouseClick(rig.control<QPushButton>("TryIt"), Qt::LeftButton);
    QWidget *exercise = screen(QStringLiteral("Main"));
    QVERIFY(exercise && exercise->isVisible() && !rig.window().isVisible());
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
    QVERIFY(rig.window().isVisible() && !exercise->isVisible() && !results->isVisible());
    QCOMPARE(rig.stored(), EditorRig::kLessons); // played, not saved
    QVERIFY(rig.window().isWindowModified());

    // A lesson the pupil program refuses shows no page, and says why.
    QApplication::clipboard()->setText(QStringLiteral("&"));
    rig.key(Qt::Key_V, Qt::ControlModifier);
    QVERIFY(!rig.control<QLineEdit>("Text1_1")->isVisible());
    QVERIFY(rig.control<QLabel>("PreviewRefusal")->isVisible());
    // A paste too long for any lesson is refused whole.
    const QString before = rig.text()->toPlainText();
    rig.text()->selectAll();
    QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('a')));
    rig.key(Qt::Key_V, Qt::ControlModifier);
    QVERIFY(rig.dialogs.informed.value(0).contains(QStringLiteral("ארוך מדי")));
    QCOMPARE(rig.text()->toPlainText(), before);
}

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
