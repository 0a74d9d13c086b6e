// The screens as a screen reader meets them: what every control is called, what a gap
// says before and after an answer, and where the keyboard's focus goes.
#include "screen_rig.h"

#include "screens/counter_label.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

// Three rows; the first holds two gaps.
const QString kThreeGaps =
    QStringLiteral("Fill in the words\r\n1. Say &word1& and &word2& now.\r\n2. &word3& ends it.");

QAccessibleInterface *face(QObject *object)
{
    QAccessibleInterface *found = QAccessible::queryAccessibleInterface(object);
    if (!found)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return found;
}

QString nameOf(QObject *object)
{
    return face(object)->text(QAccessible::Name);
}

QString descriptionOf(QObject *object)
{
    return face(object)->text(QAccessible::Description);
}

// What a screen reader presents by name; containers, panes and list entries it reads
// through what they hold.
bool presentedByName(QAccessibleInterface *node)
{
    switch (node->role()) {
    case QAccessible::PushButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::List:
    case QAccessible::ProgressBar:
    case QAccessible::ScrollBar:
    case QAccessible::MenuItem:
        return true;
    case QAccessible::StaticText: {
        // A label with no text shows nothing to a sighted pupil either.
        const auto *label = qobject_cast<const QLabel *>(node->object());
        return !label || !label->text().trimmed().isEmpty() || qobject_cast<const CounterLabel *>(label);
    }
    default:
        return false;
    }
}

void collectUnnamed(QAccessibleInterface *node, const QString &path, QStringList &unnamed)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child || child->state().invisible)
            continue;
        const QString where = path + QLatin1Char('/') +
                              (child->object() ? child->object()->objectName() : QString()) +
                              QStringLiteral("(%1)").arg(int(child->role()));
        if (presentedByName(child) && child->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << where;
        collectUnnamed(child, where, unnamed);
    }
}

QWidget *shownWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return w;
    }
    return nullptr;
}

void activate(QWidget *window)
{
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window, 1000);
}

QWidget *focused()
{
    return QApplication::focusWidget();
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void everyVisibleControlIsNamed_data();
    void everyVisibleControlIsNamed();
    void settingFieldsCarryTheirCaptions();
    void countersSayCaptionAndValue();
    void gapIsNamedAndDescribedByItsRow_data();
    void gapIsNamedAndDescribedByItsRow();
    void pageIsMetInReadingOrder();
    void judgementIsSaidOnTheGap_data();
    void judgementIsSaidOnTheGap();
    void focusMovesOnWhenTheGapCloses_data();
    void focusMovesOnWhenTheGapCloses();
    void tabGoesThroughOpenGapsInReadingOrder();
    void startPutsThePupilIntoTheFirstGap_data();
    void startPutsThePupilIntoTheFirstGap();
    void resultsSayTheGradeAndFocusTheWayOn_data();
    void resultsSayTheGradeAndFocusTheWayOn();
    void commandKeys_data();
    void commandKeys();
    void refusedSettingTakesThePupilToIt();
};

void AccessibilityTest::everyVisibleControlIsNamed_data()
{
    QTest::addColumn<QString>("screen");
    QTest::newRow("chooser") << "ChooseExercise";
    QTest::newRow("chooser with a refused setting") << "refused";
    QTest::newRow("exercise, typed gaps") << "typed";
    QTest::newRow("exercise, choice gaps") << "choice";
    QTest::newRow("results") << "Results";
    QTest::newRow("results after leaving") << "left";
    QTest::newRow("general help") << "helpForm";
    QTest::newRow("grammar help") << "help4grammar";
}

void AccessibilityTest::everyVisibleControlIsNamed()
{
    QFETCH(QString, screen);
    ScreenRig rig;
    rig.load();
    QWidget *window = rig.main().chooser();
    if (screen == QLatin1String("refused")) {
        rig.rows->texts[{5, 1}] = kThreeGaps;
        QVERIFY(rig.clickPattern(5) && rig.clickLesson(1));
        rig.setSetting(2, QStringLiteral("x"));
        rig.clickStart();
    } else if (screen == QLatin1String("typed") || screen == QLatin1String("choice")) {
        const bool magazine = screen == QLatin1String("choice");
        QVERIFY(rig.startLesson(kThreeGaps, magazine, true, QStringLiteral("3")));
        // One gap answered wrong, one closed: every state a gap can show.
        if (magazine) {
            rig.chooseAnswer(1, QStringLiteral("word2"));
            rig.chooseAnswer(2, QStringLiteral("word2"));
        } else {
            rig.typeAnswer(1, QStringLiteral("x"));
            rig.typeAnswer(2, QStringLiteral("word2"));
        }
        window = &rig.main();
    } else if (screen == QLatin1String("Results") || screen == QLatin1String("left")) {
        QVERIFY(rig.startLesson(kThreeGaps, false, false));
        if (screen == QLatin1String("left"))
            rig.trigger(&rig.main(), QStringLiteral("exit1"));
        else
            for (int g = 1; g <= 3; ++g)
                rig.typeAnswer(g, QStringLiteral("word%1").arg(g));
        window = rig.res().screen;
    } else if (screen == QLatin1String("helpForm")) {
        rig.trigger(rig.main().chooser(), QStringLiteral("Help1"));
        window = shownWindow(screen);
    } else if (screen == QLatin1String("help4grammar")) {
        QVERIFY(rig.startLesson(kThreeGaps, false, false));
        QTest::mouseClick(rig.ex().Command2, Qt::LeftButton);
        window = shownWindow(screen);
    }
    QVERIFY(window && window->isVisible());

    QStringList unnamed;
    collectUnnamed(face(window), window->objectName(), unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));
    QVERIFY(!nameOf(window).trimmed().isEmpty());
}

void AccessibilityTest::settingFieldsCarryTheirCaptions()
{
    ScreenRig rig;
    rig.load();
    QWidget *chooser = rig.main().chooser();
    // Each field by the caption beside or above it, and its value apart from its name.
    const char *captions[4][2] = {{"Label5", "Label17"}, {"Label7", nullptr}, {"Label10", nullptr}, {"Label11", nullptr}};
    const char *values[4] = {"1", "5", "1", "1"};
    for (int i = 0; i < 4; ++i) {
        QComboBox *field = rig.ch().Combo2[i];
        const QString name = nameOf(field);
        for (const char *caption : captions[i]) {
            if (!caption)
                continue;
            const QString shown = chooser->findChild<QLabel *>(QLatin1String(caption))->text();
            const QString words = QString(shown).remove(QLatin1Char(':')).trimmed();
            QVERIFY2(name.contains(words), qPrintable(name + " lacks " + words));
        }
        QCOMPARE(face(field)->role(), QAccessible::ComboBox);
        QCOMPARE(face(field)->text(QAccessible::Value), QString::fromLatin1(values[i]));
        QVERIFY(!descriptionOf(field).isEmpty());
        QCOMPARE(nameOf(field->lineEdit()), name); // the text field in it, where the caret is
    }
    QCOMPARE(nameOf(rig.ch().List2), QStringLiteral("תבנית דקדוק"));
    QCOMPARE(nameOf(rig.ch().List1), QStringLiteral("שיעור"));
    // The toggles say their state.
    QCOMPARE(nameOf(rig.ch().Command2), QStringLiteral("עם מחסנית"));
    QTest::mouseClick(rig.ch().Command2, Qt::LeftButton);
    QCOMPARE(nameOf(rig.ch().Command2), QStringLiteral("ללא מחסנית"));
}

void AccessibilityTest::countersSayCaptionAndValue()
{
    ScreenRig rig;
    rig.load();
    rig.setSetting(3, QStringLiteral("0.5"));
    QVERIFY(rig.startLesson(kThreeGaps, false, false, QStringLiteral("4")));
    rig.typeAnswer(1, QStringLiteral("x"));
    ExerciseControls &ex = rig.ex();
    const struct
    {
        QLabel *counter;
        QString name;
        double value;
    } expected[] = {
        {ex.Label14, QStringLiteral("נסיונות נוספים: 3"), 3},
        {ex.Label8, QStringLiteral("נסיונות שנעשו: 1"), 1},
        {ex.Label9, QStringLiteral("מספר נקודות מצטבר: -0.5"), -0.5},
        {ex.Label20[1], QStringLiteral("נסיונות במשחק: 4"), 4},
        {ex.Label20[3], QStringLiteral("חיוב: 0.5"), 0.5},
    };
    for (const auto &e : expected) {
        QCOMPARE(nameOf(e.counter), e.name);
        QAccessibleValueInterface *value = face(e.counter)->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toDouble(), e.value);
    }
    QCOMPARE(nameOf(ex.ccrpProgressBar1), QStringLiteral("יתרת זמן"));
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
    rig.load();
    QVERIFY(rig.startLesson(kThreeGaps, magazine, true));
    const QString names[] = {QStringLiteral("השלמה 1 מתוך 3"), QStringLiteral("השלמה 2 מתוך 3"),
                             QStringLiteral("השלמה 3 מתוך 3")};
    const QString rows[] = {QStringLiteral("1. Say ___ and ... now."), QStringLiteral("1. Say ... and ___ now."),
                            QStringLiteral("2. ___ ends it.")};
    for (int g = 1; g <= 3; ++g) {
        QCOMPARE(nameOf(rig.gap(g)), names[g - 1]);
        QCOMPARE(descriptionOf(rig.gap(g)), rows[g - 1]);
        // The mask is what the field holds, not what it is called.
        QCOMPARE(face(rig.gap(g))->text(QAccessible::Value), QStringLiteral("####%1").arg(g));
    }
}

void AccessibilityTest::pageIsMetInReadingOrder()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kThreeGaps, false, false));
    rig.typeAnswer(3, QStringLiteral("word3"));
    // A second lesson on the same controls: the order is the new lesson's.
    QVERIFY(rig.startLesson(QStringLiteral("Two more\r\n1. &one& is\r\n2. not &two&"), false, false));
    QStringList met;
    QAccessibleInterface *page = face(rig.ex().InnerBox);
    for (int i = 0; i < page->childCount(); ++i) {
        QAccessibleInterface *child = page->child(i);
        if (!child->state().invisible)
            met << child->text(QAccessible::Name);
    }
    const QStringList reading{QStringLiteral("Two more\r\n"), QStringLiteral("1. "), QStringLiteral("השלמה 1 מתוך 2"),
                              QStringLiteral(" is"), QStringLiteral("2. not "), QStringLiteral("השלמה 2 מתוך 2"),
                              QString()};
    QCOMPARE(met, reading);
}

void AccessibilityTest::judgementIsSaidOnTheGap_data()
{
    QTest::addColumn<bool>("magazine");
    QTest::addColumn<QString>("attempts");
    QTest::addColumn<QStringList>("answers"); // to gap 1
    QTest::addColumn<QString>("gapName");     // of gap 1 while open; empty once closed
    QTest::addColumn<QString>("answerLabel"); // of gap 1's answer label once closed
    QTest::addColumn<QString>("nextGapName"); // of gap 2, which has the focus then

    QTest::newRow("wrong, attempts left") << false << "3" << QStringList{"x"}
                                          << "השלמה 1 מתוך 3. לא נכון, נשארו עוד 2 נסיונות" << "" << "";
    QTest::newRow("wrong, one attempt left") << false << "3" << QStringList{"x", "y"}
                                             << "השלמה 1 מתוך 3. לא נכון, נשאר עוד נסיון אחד" << "" << "";
    QTest::newRow("right") << false << "3" << QStringList{"word1"} << "" << "השלמה 1: word1. תשובה נכונה"
                           << "נכון! השלמה 2 מתוך 3";
    QTest::newRow("wrong, then right") << false << "3" << QStringList{"x", "word1"} << ""
                                       << "השלמה 1: word1. תשובה נכונה" << "נכון! השלמה 2 מתוך 3";
    QTest::newRow("out of attempts") << false << "2" << QStringList{"x", "y"} << ""
                                     << "השלמה 1: word1. נגמרו הנסיונות"
                                     << "נגמרו הנסיונות. התשובה: word1. השלמה 2 מתוך 3";
    QTest::newRow("choice, wrong") << true << "3" << QStringList{"word3"}
                                   << "השלמה 1 מתוך 3. לא נכון, נשארו עוד 2 נסיונות" << "" << "";
    QTest::newRow("choice, right") << true << "3" << QStringList{"word1"} << "" << "השלמה 1: word1. תשובה נכונה"
                                   << "נכון! השלמה 2 מתוך 3";
}

void AccessibilityTest::judgementIsSaidOnTheGap()
{
    QFETCH(bool, magazine);
    QFETCH(QString, attempts);
    QFETCH(QStringList, answers);
    QFETCH(QString, gapName);
    QFETCH(QString, answerLabel);
    QFETCH(QString, nextGapName);

    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kThreeGaps, magazine, false, attempts));
    for (const QString &answer : answers) {
        if (magazine)
            rig.chooseAnswer(1, answer);
        else
            rig.typeAnswer(1, answer);
    }
    if (answerLabel.isEmpty()) {
        QCOMPARE(nameOf(rig.gap(1)), gapName);
        QVERIFY(rig.gap(1)->hasFocus());
        return;
    }
    QVERIFY(!rig.gap(1)->isVisible());
    QCOMPARE(nameOf(rig.ex().Label15[1]), answerLabel);
    QCOMPARE(focused(), rig.gap(2));
    QCOMPARE(nameOf(rig.gap(2)), nextGapName);
    // The news is told once: gap 2 is called by its own name again when the pupil moves on.
    QTest::keyClick(focused(), Qt::Key_Tab);
    QVERIFY(!rig.gap(2)->hasFocus());
    QCOMPARE(nameOf(rig.gap(2)), QStringLiteral("השלמה 2 מתוך 3"));
}

void AccessibilityTest::focusMovesOnWhenTheGapCloses_data()
{
    QTest::addColumn<bool>("magazine");
    QTest::addColumn<QList<int>>("rightFirst"); // gaps answered right before
    QTest::addColumn<int>("closing");            // the gap in focus that closes
    QTest::addColumn<bool>("outOfAttempts");     // it closes for lack of attempts, else answered right
    QTest::addColumn<int>("next");               // the gap that has the focus then

    QTest::newRow("to the next gap") << false << QList<int>{} << 1 << false << 2;
    QTest::newRow("past a closed gap") << false << QList<int>{2} << 1 << false << 3;
    QTest::newRow("wraps to the first open gap") << false << QList<int>{} << 3 << false << 1;
    QTest::newRow("out of attempts") << false << QList<int>{} << 2 << true << 3;
    QTest::newRow("choice gaps") << true << QList<int>{} << 1 << false << 2;
    QTest::newRow("choice gaps wrap") << true << QList<int>{1} << 3 << false << 2;
}

void AccessibilityTest::focusMovesOnWhenTheGapCloses()
{
    QFETCH(bool, magazine);
    QFETCH(QList<int>, rightFirst);
    QFETCH(int, closing);
    QFETCH(bool, outOfAttempts);
    QFETCH(int, next);

    constexpr int kAttempts = 2;
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kThreeGaps, magazine, true, QString::number(kAttempts)));
    auto answer = [&](int g, const QString &text) {
        if (magazine)
            rig.chooseAnswer(g, text);
        else
            rig.typeAnswer(g, text);
    };
    for (int g : rightFirst)
        answer(g, QStringLiteral("word%1").arg(g));
    // One attempt used on the receiving gap, so that the attempts displays have to change;
    // something typed into it since, which its focus handling replaces by the mask.
    answer(next, QStringLiteral("word%1").arg(next % 3 + 1));
    if (!magazine)
        rig.ex().Text1[next]->setText(QStringLiteral("typed"));
    if (outOfAttempts) {
        answer(closing, QStringLiteral("x"));
        answer(closing, QStringLiteral("y"));
    } else {
        answer(closing, QStringLiteral("word%1").arg(closing));
    }

    QVERIFY(!rig.gap(closing)->isVisible());
    QCOMPARE(focused(), rig.gap(next));
    // The receiving gap's own focus handling ran, after the judgement.
    QCOMPARE(rig.ex().Label14->text(), QString::number(kAttempts - 1));
    QCOMPARE(rig.ex().Label8->text(), QStringLiteral("1"));
    if (!magazine) {
        QCOMPARE(rig.ex().Text1[next]->text(), QStringLiteral("####%1").arg(next));
        QCOMPARE(rig.ex().Text1[next]->cursorPosition(), 0);
    }
}

void AccessibilityTest::tabGoesThroughOpenGapsInReadingOrder()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(lessonWithGaps(5), false, false));
    rig.typeAnswer(2, QStringLiteral("word2"));
    rig.typeAnswer(4, QStringLiteral("word4"));
    rig.focusGap(1);

    // Forward from gap 1 until it comes round again: the open gaps in order, then the commands.
    QList<QWidget *> visited{focused()};
    for (int presses = 0; presses < 30; ++presses) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        if (focused() == visited.first())
            break;
        visited << focused();
    }
    QCOMPARE(focused(), rig.ex().Text1[1]);
    const QList<QWidget *> gapsFirst{rig.ex().Text1[1], rig.ex().Text1[3], rig.ex().Text1[5]};
    QCOMPARE(visited.mid(0, 3), gapsFirst);
    for (QWidget *command : {rig.ex().Command6, rig.ex().Command1, rig.ex().Command5, rig.ex().Command2})
        QVERIFY2(visited.contains(command), qPrintable(command->objectName()));
    QCOMPARE(visited.size(), 3 + 4); // nothing else takes the focus on the way

    // And back.
    rig.focusGap(5);
    QTest::keyClick(focused(), Qt::Key_Backtab);
    QCOMPARE(focused(), rig.ex().Text1[3]);
    QTest::keyClick(focused(), Qt::Key_Backtab);
    QCOMPARE(focused(), rig.ex().Text1[1]);
}

void AccessibilityTest::startPutsThePupilIntoTheFirstGap_data()
{
    QTest::addColumn<bool>("magazine");
    QTest::newRow("typed gaps") << false;
    QTest::newRow("choice gaps") << true;
}

void AccessibilityTest::startPutsThePupilIntoTheFirstGap()
{
    QFETCH(bool, magazine);
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kThreeGaps, magazine, true));
    activate(&rig.main());
    QCOMPARE(focused(), rig.gap(1));
    if (magazine)
        return;
    // The caret waits at the start of the mask, so that the answer types over it.
    QCOMPARE(rig.ex().Text1[1]->cursorPosition(), 0);
    QTest::keyClicks(focused(), QStringLiteral("word1"));
    QTest::keyClick(focused(), Qt::Key_Return);
    QVERIFY(rig.ex().Label15[1]->isVisible());
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
    rig.load();
    auto play = [&] {
        QVERIFY(rig.startLesson(kThreeGaps, false, false));
        rig.typeAnswer(1, QStringLiteral("word1"));
        if (left) {
            rig.trigger(&rig.main(), QStringLiteral("exit1"));
        } else {
            rig.typeAnswer(2, QStringLiteral("word2"));
            rig.typeAnswer(3, QStringLiteral("word3"));
        }
        activate(rig.res().screen);
    };
    play();
    if (again) {
        rig.res().Command2->setFocus(Qt::TabFocusReason);
        rig.res().screen->close(); // the window system's close: back to the chooser
        QVERIFY(rig.main().chooser()->isVisible());
        play();
    }
    ResultsControls results = rig.res();
    const QString said = nameOf(results.screen);
    QVERIFY2(said.contains(results.Label18->text()) && said.contains(QStringLiteral("ציונך הוא")), qPrintable(said));
    QVERIFY2(said.contains(results.Label19->text()), qPrintable(said));
    QVERIFY(!results.Label19->text().isEmpty());
    QCOMPARE(focused(), left ? results.Command2 : results.Command1);
    if (left)
        return;
    // Back to the chooser, where the next lesson is chosen.
    QTest::keyClick(results.Command1, Qt::Key_Space);
    activate(rig.main().chooser());
    QCOMPARE(focused(), rig.ch().List1);
}

void AccessibilityTest::commandKeys_data()
{
    QTest::addColumn<QString>("from");   // chooser, exercise, gap
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("opened"); // the screen shown afterwards
    QTest::addColumn<QString>("back");   // the screen Escape leads back to; empty: no way back

    QTest::newRow("F1 on the chooser") << "chooser" << int(Qt::Key_F1) << "helpForm" << "ChooseExercise";
    QTest::newRow("F1 in a gap") << "gap" << int(Qt::Key_F1) << "helpForm" << "Main";
    QTest::newRow("grammar help button") << "exercise" << int(Qt::Key_Space) << "help4grammar" << "Main";
    QTest::newRow("Ctrl+Q in a gap leaves the exercise") << "gap" << (Qt::CTRL | Qt::Key_Q).toCombined() << "Results"
                                                 << "";
}

void AccessibilityTest::commandKeys()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, opened);
    QFETCH(QString, back);

    ScreenRig rig;
    rig.load();
    QWidget *target = rig.main().chooser();
    if (from == QLatin1String("chooser")) {
        activate(target);
        target = rig.ch().List2;
    } else {
        QVERIFY(rig.startLesson(kThreeGaps, false, false));
        rig.focusGap(1);
        QTest::keyClicks(focused(), QStringLiteral("wor"));
        target = from == QLatin1String("gap") ? focused() : rig.ex().Command2;
        target->setFocus(Qt::TabFocusReason);
    }
    const QKeyCombination combination = QKeyCombination::fromCombined(key);
    QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
    QWidget *shown = shownWindow(opened);
    QVERIFY2(shown, qPrintable(opened));
    if (from == QLatin1String("gap")) {
        // The key was a command: nothing typed, nothing judged.
        QCOMPARE(rig.ex().Text1[1]->text(), QStringLiteral("wor"));
        QCOMPARE(int(rig.state.TriesLeft[1]), 2);
    }
    if (back.isEmpty()) {
        QVERIFY(!rig.res().Command1->isVisible());
        return;
    }
    activate(shown);
    QTest::keyClick(focused() ? focused() : shown, Qt::Key_Escape);
    QVERIFY(!shown->isVisible());
    QVERIFY(shownWindow(back));
}

void AccessibilityTest::refusedSettingTakesThePupilToIt()
{
    ScreenRig rig;
    rig.load();
    rig.rows->texts[{5, 1}] = kThreeGaps;
    QVERIFY(rig.clickPattern(5) && rig.clickLesson(1));
    activate(rig.main().chooser());
    rig.setSetting(3, QStringLiteral("-1"));
    rig.ch().Command4->setFocus(Qt::TabFocusReason);
    QTest::keyClick(rig.ch().Command4, Qt::Key_Space);
    QComboBox *debit = rig.ch().Combo2[3];
    QCOMPARE(focused(), debit);
    QCOMPARE(descriptionOf(debit), rig.ch().SettingsHint->text());
    QVERIFY(rig.ch().SettingsHint->isVisible());
    // Mended: the hint is gone from the field and the screen.
    QTest::keyClick(debit, Qt::Key_Backspace);
    QVERIFY(descriptionOf(debit) != rig.ch().SettingsHint->text());
    QVERIFY(!rig.ch().SettingsHint->isVisible());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
