// The screens as a screen reader meets them: what every control is called, what a gap
// says, and where the keyboard's focus goes.
#include "screen_rig.h"

#include "screens/counter_label.h"

#include <QAccessible>
#include <QApplication>

#include <tuple>

namespace {

QString said(QObject *object, QAccessible::Text text = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(object)->text(text);
}

// What a screen reader presents by its name: not containers, panes or list entries,
// nor a label that shows nothing to a sighted pupil either.
bool presentedByName(QAccessibleInterface *node)
{
    static const QList<QAccessible::Role> roles{QAccessible::PushButton, QAccessible::EditableText, QAccessible::ComboBox,
                                                QAccessible::List, QAccessible::ProgressBar, QAccessible::ScrollBar,
                                                QAccessible::MenuItem, QAccessible::StaticText};
    const auto *label = qobject_cast<const QLabel *>(node->object());
    const bool blank = label && label->text().trimmed().isEmpty() && !qobject_cast<const CounterLabel *>(label);
    return roles.contains(node->role()) && !blank;
}

void collectUnnamed(QAccessibleInterface *node, QStringList &unnamed)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child || child->state().invisible)
            continue;
        if (presentedByName(child) && child->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << (child->object() ? child->object()->objectName() : QStringLiteral("?"));
        collectUnnamed(child, unnamed);
    }
}

// rightFirst: a gap answered right before; 0: none
// closing: the gap in focus that closes
// next: the gap that has the focus then
struct FocusCase { bool magazine; int rightFirst; int closing; bool outOfAttempts; int next; };

// from: chooser, gap, button (the grammar help's)
// back: where Escape leads; empty: no way back
struct KeyCase { QString from; QKeyCombination key; QString opened; QString back; };

} // namespace

Q_DECLARE_METATYPE(FocusCase)
Q_DECLARE_METATYPE(KeyCase)

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void everyVisibleControlIsNamed_data();
    void everyVisibleControlIsNamed();
    void countersCarryTheirCaptions();
    void gapIsNamedAndDescribedByItsRow_data();
    void gapIsNamedAndDescribedByItsRow();
    void focusMovesOnWhenTheGapCloses_data();
    void focusMovesOnWhenTheGapCloses();
    void tabGoesThroughOpenGapsInReadingOrder();
    void resultsSayTheGradeAndFocusTheWayOn_data();
    void resultsSayTheGradeAndFocusTheWayOn();
    void commandKeys_data();
    void commandKeys();
    void refusedSettingTakesThePupilToIt();
};

void AccessibilityTest::everyVisibleControlIsNamed_data()
{
    QTest::addColumn<QString>("screen");
    for (const char *screen : {"ChooseExercise", "typed", "choice", "Results", "helpForm", "help4grammar"})
        QTest::newRow(screen) << screen;
}

void AccessibilityTest::everyVisibleControlIsNamed()
{
    QFETCH(QString, screen);
    ScreenRig rig;
    if (screen == QLatin1String("helpForm"))
        rig.trigger(rig.main().chooser(), QStringLiteral("Help1"));
    if (screen != QLatin1String("ChooseExercise") && screen != QLatin1String("helpForm")) {
        QVERIFY(rig.startLesson(kThreeGaps, screen == QLatin1String("choice"), true, QStringLiteral("3")));
        // Every state a gap can show: open, answered wrong, closed.
        rig.answer(1, QStringLiteral("word2"));
        rig.answer(2, QStringLiteral("word2"));
    }
    if (screen == QLatin1String("Results"))
        rig.trigger(&rig.main(), QStringLiteral("exit1"));
    if (screen == QLatin1String("help4grammar"))
        QTest::mouseClick(rig.ex().Command2, Qt::LeftButton);
    QWidget *window = rig.shown(screen == QLatin1String("typed") || screen == QLatin1String("choice") ? "Main" : screen);
    QVERIFY(window);

    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
    QVERIFY(!said(window).trimmed().isEmpty());
}

void AccessibilityTest::countersCarryTheirCaptions()
{
    ScreenRig rig;
    rig.setSetting(3, QStringLiteral("0.5"));
    QVERIFY(rig.startLesson(kThreeGaps, false, false, QStringLiteral("4")));
    rig.typeAnswer(1, QStringLiteral("x"));
    // By the captions above them, with a value to read as a number.
    for (const auto &[counter, name, value] : {std::tuple<QLabel *, const char *, double>{rig.ex().Label14, "נסיונות נוספים: 3", 3},
                                               {rig.ex().Label9, "מספר נקודות מצטבר: -0.5", -0.5},
                                               {rig.ex().Label20[3], "חיוב: 0.5", 0.5}}) {
        QCOMPARE(said(counter), QString::fromUtf8(name));
        QCOMPARE(said(counter, QAccessible::Value), counter->text());
        QCOMPARE(QAccessible::queryAccessibleInterface(counter)->valueInterface()->currentValue().toDouble(), value);
    }
}

void AccessibilityTest::gapIsNamedAndDescribedByItsRow_data()
{
    QTest::addColumn<bool>("magazine");
    QTest::newRow("typed gaps") << false;
    QTest::newRow("choice gaps") << true;
}

void AccessibilityTest::gapIsNamedAndDescribedByItsRow()
{
    QFETCH(bool, magazine);
    ScreenRig rig;
    QVERIFY(rig.startLesson(kThreeGaps, magazine, true));
    const QString rows[] = {QStringLiteral("1. Say ___ and ... now."), QStringLiteral("1. Say ... and ___ now."),
                            QStringLiteral("2. ___ ends it.")};
    for (int g = 1; g <= 3; ++g) {
        QCOMPARE(said(rig.gap(g)), QStringLiteral("השלמה %1 מתוך 3").arg(g));
        QCOMPARE(said(rig.gap(g), QAccessible::Description), rows[g - 1]);
        QCOMPARE(said(rig.gap(g), QAccessible::Value), QStringLiteral("####%1").arg(g)); // the mask
    }
    // The page is met in reading order, whatever order its controls were made in; a
    // closed gap's answer in the gap's place.
    rig.answer(2, QStringLiteral("word2"));
    QStringList met;
    QAccessibleInterface *page = QAccessible::queryAccessibleInterface(rig.ex().InnerBox);
    for (int i = 0; i < page->childCount(); ++i) {
        if (!page->child(i)->state().invisible)
            met << page->child(i)->text(QAccessible::Name);
    }
    QCOMPARE(met, (QStringList{"Fill in the words\r\n", "1. Say ", "השלמה 1 מתוך 3", " and ",
                               "השלמה 2: word2. תשובה נכונה", " now.", "2. ", "נכון! השלמה 3 מתוך 3", " ends it."}));
}

void AccessibilityTest::focusMovesOnWhenTheGapCloses_data()
{
    QTest::addColumn<FocusCase>("c");
    QTest::newRow("past a closed gap") << FocusCase{false, 2, 1, false, 3};
    QTest::newRow("wraps to the first open gap") << FocusCase{false, 0, 3, false, 1};
    QTest::newRow("out of attempts") << FocusCase{false, 0, 2, true, 3};
    QTest::newRow("choice gaps wrap") << FocusCase{true, 1, 3, false, 2};
}

void AccessibilityTest::focusMovesOnWhenTheGapCloses()
{
    QFETCH(FocusCase, c);
    const auto &[magazine, rightFirst, closing, outOfAttempts, next] = c;
    ScreenRig rig;
    QVERIFY(rig.startLesson(kThreeGaps, magazine, true, QStringLiteral("2")));
    if (rightFirst)
        rig.answer(rightFirst, QStringLiteral("word%1").arg(rightFirst));
    // The receiving gap: one attempt used, and something typed since that its focus
    // handling replaces by the mask.
    rig.answer(next, QStringLiteral("word%1").arg(next % 3 + 1));
    if (!magazine)
        rig.ex().Text1[next]->setText(QStringLiteral("typed"));
    for (const QString &text : outOfAttempts ? QStringList{"x", "y"} : QStringList{QStringLiteral("word%1").arg(closing)})
        rig.answer(closing, text);

    QVERIFY(!rig.gap(closing)->isVisible());
    QCOMPARE(QApplication::focusWidget(), rig.gap(next));
    // The receiving gap says how the last one ended, and its own focus handling ran
    // after the judgement: the attempts displays are its own.
    QVERIFY2(said(rig.gap(next)).startsWith(outOfAttempts ? QStringLiteral("נגמרו הנסיונות. התשובה: word%1.").arg(closing)
                                                          : QStringLiteral("נכון! ")),
             qPrintable(said(rig.gap(next))));
    QCOMPARE((QStringList{rig.ex().Label14->text(), rig.ex().Label8->text()}), (QStringList{"1", "1"}));
    if (!magazine) {
        QCOMPARE(rig.ex().Text1[next]->text(), QStringLiteral("####%1").arg(next));
        QCOMPARE(rig.ex().Text1[next]->cursorPosition(), 0);
    }
    // The news is told once.
    QTest::keyClick(rig.gap(next), Qt::Key_Tab);
    QCOMPARE(said(rig.gap(next)), QStringLiteral("השלמה %1 מתוך 3. לא נכון, נשאר עוד נסיון אחד").arg(next));
}

void AccessibilityTest::tabGoesThroughOpenGapsInReadingOrder()
{
    ScreenRig rig;
    QVERIFY(rig.startLesson(lessonWithGaps(5), false, true));
    // Start put the pupil into the first gap, the caret at the start of the mask.
    QCOMPARE(ScreenRig::activate(&rig.main()), rig.ex().Text1[1]);
    QCOMPARE(rig.ex().Text1[1]->cursorPosition(), 0);
    rig.typeAnswer(2, QStringLiteral("word2"));
    rig.typeAnswer(4, QStringLiteral("word4"));
    rig.focusGap(1);

    // From gap 1 round to it again: the open gaps in order, then the commands, nothing else.
    QList<QWidget *> visited{QApplication::focusWidget()};
    for (int presses = 0; presses < 30; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == visited.first())
            break;
        visited << QApplication::focusWidget();
    }
    const ExerciseControls &ex = rig.ex();
    QCOMPARE(visited, (QList<QWidget *>{ex.Text1[1], ex.Text1[3], ex.Text1[5], ex.Command6, ex.Command1,
                                        ex.Command5, ex.Command2}));
}

void AccessibilityTest::resultsSayTheGradeAndFocusTheWayOn_data()
{
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("again"); // the second results, the first closed with the focus on leaving
    QTest::newRow("every gap answered") << false << false;
    QTest::newRow("left with the menu") << true << false;
    QTest::newRow("again after closing on the leave button") << false << true;
}

void AccessibilityTest::resultsSayTheGradeAndFocusTheWayOn()
{
    QFETCH(bool, left);
    QFETCH(bool, again);
    ScreenRig rig;
    QWidget *focus = nullptr;
    for (int round = again ? 2 : 1; round > 0; --round) {
        if (round == 1 && again) {
            rig.res().Command2->setFocus(Qt::TabFocusReason);
            rig.res().screen->close(); // the window system's close: back to the chooser
        }
        QVERIFY(rig.startLesson(kThreeGaps, false, false));
        rig.typeAnswer(1, QStringLiteral("word1"));
        if (left)
            rig.trigger(&rig.main(), QStringLiteral("exit1"));
        else
            for (int g : {2, 3})
                rig.typeAnswer(g, QStringLiteral("word%1").arg(g));
        focus = ScreenRig::activate(rig.res().screen);
    }
    ResultsControls results = rig.res();
    QVERIFY(!results.Label19->text().isEmpty());
    QCOMPARE(said(results.screen), QStringLiteral("ציונך הוא %1. %2").arg(results.Label18->text(), results.Label19->text()));
    QCOMPARE(focus, left ? results.Command2 : results.Command1);
    if (left)
        return;
    // Back at the chooser, the keyboard waits in the lesson list.
    QTest::keyClick(results.Command1, Qt::Key_Space);
    QCOMPARE(ScreenRig::activate(rig.main().chooser()), rig.ch().List1);
}

void AccessibilityTest::commandKeys_data()
{
    QTest::addColumn<KeyCase>("c");
    QTest::newRow("F1 on the chooser") << KeyCase{"chooser", Qt::Key_F1, "helpForm", "ChooseExercise"};
    QTest::newRow("F1 in a gap") << KeyCase{"gap", Qt::Key_F1, "helpForm", "Main"};
    QTest::newRow("Space on the grammar help") << KeyCase{"button", Qt::Key_Space, "help4grammar", "Main"};
    QTest::newRow("Ctrl+Q in a gap") << KeyCase{"gap", Qt::CTRL | Qt::Key_Q, "Results", ""};
}

void AccessibilityTest::commandKeys()
{
    QFETCH(KeyCase, c);
    const auto &[from, key, opened, back] = c;
    ScreenRig rig;
    QWidget *target = ScreenRig::activate(rig.main().chooser());
    if (from != QLatin1String("chooser")) {
        QVERIFY(rig.startLesson(kThreeGaps, false, false));
        rig.focusGap(1);
        QTest::keyClicks(rig.ex().Text1[1], QStringLiteral("wor"));
        target = from == QLatin1String("gap") ? static_cast<QWidget *>(rig.ex().Text1[1]) : rig.ex().Command2;
        target->setFocus(Qt::TabFocusReason);
    }
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
    QWidget *window = rig.shown(opened);
    QVERIFY2(window, qPrintable(opened));
    if (from != QLatin1String("chooser")) {
        // A command key: nothing typed, nothing judged.
        QCOMPARE(rig.ex().Text1[1]->text(), QStringLiteral("wor"));
        QCOMPARE(int(rig.state.TriesLeft[1]), 2);
    }
    if (back.isEmpty())
        return;
    QVERIFY(!rig.shown(back)); // the opener makes way for what it opened
    QTest::keyClick(ScreenRig::activate(window), Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    QVERIFY(rig.shown(back));
    QCOMPARE(rig.shown(QStringLiteral("ChooseExercise")) != nullptr, back == QLatin1String("ChooseExercise"));
}

void AccessibilityTest::refusedSettingTakesThePupilToIt()
{
    ScreenRig rig;
    rig.rows->texts[{5, 1}] = kThreeGaps;
    QVERIFY(rig.clickPattern(5) && rig.clickLesson(1));
    rig.setSetting(3, QStringLiteral("-1"));
    ScreenRig::activate(rig.main().chooser());
    QTest::keyClick(rig.ch().Command4, Qt::Key_Space);
    QComboBox *debit = rig.ch().Combo2[3];
    QCOMPARE(QApplication::focusWidget(), debit);
    QVERIFY(rig.ch().SettingsHint->isVisible());
    QCOMPARE(said(debit, QAccessible::Description), rig.ch().SettingsHint->text());
    QTest::keyClick(debit, Qt::Key_Backspace); // mended: the hint is gone
    QVERIFY(said(debit, QAccessible::Description) != rig.ch().SettingsHint->text());
    QVERIFY(!rig.ch().SettingsHint->isVisible());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
