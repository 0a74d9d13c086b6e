#include "screen_rig.h"

#include "platform/random.h"
#include "screens/results/feedback.h"
#include "screens/units.h"

#include <QApplication>
#include <QSignalSpy>

namespace {

// keys: into gap 1, answered «isn't»; shown: in the box, or on the label of a closed gap;
// closedOn: invalid while the gap stays open; attemptsMade: of the gap with the focus
struct TypedCase { bool signs; QString attempts; QStringList keys; QString shown, score; QColor closedOn;
                   QStringList sounds; QString attemptsMade; };

// gaps: focused in this order; the last is answered
struct ScrollCase { bool magazine; QString lesson; QList<int> gaps; QString answer; };

// open: the new exercise question, or a help screen; end: the exit button, the answer to the
// question, or the time; pick: the draw's pick of the ten messages of the grade's band
struct EndCase { QString open, end; int pick; };

// The pattern entry by which the lesson editor names the lesson it tries.
const QString kEntry = QStringLiteral("24  present simple - positive");

QStringList visibleScreens()
{
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            names << w->objectName();
    }
    return names;
}

// Seeds the draw so that the results show the pick-th message of their band.
void seedForPick(int pick)
{
    for (unsigned seed = 1;; ++seed) {
        Random::seed(seed);
        if (int(Random::uniform() * 10) == pick) {
            Random::seed(seed);
            return;
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(TypedCase)
Q_DECLARE_METATYPE(ScrollCase)
Q_DECLARE_METATYPE(EndCase)

class MainScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void typedGap_data();
    void typedGap();
    void enteringATypedGapKeepsTheMaskAndTheTypedText();
    void choiceGap_data();
    void choiceGap();
    void focusedGapScrollsIntoView_data();
    void focusedGapScrollsIntoView();
    void everyEndOfAnExercise_data();
    void everyEndOfAnExercise();
    void backgroundColourOfThePageAndCountersOnly();
    void noTimeLimitCanBeReadWhole();
    // As the lesson editor's Try it uses the screen.
    void everyWayOutReturnsToTheEditor_data();
    void everyWayOutReturnsToTheEditor();
    void aLessonThatCannotBePlayedShowsNothing_data();
    void aLessonThatCannotBePlayedShowsNothing();
};

void MainScreenTest::typedGap_data()
{
    QTest::addColumn<TypedCase>("c");
    const QColor right(0x00, 0xFF, 0xFF), out(0xFF, 0x88, 0x88);
    const QStringList wrongThenDelete{"gone", "<Enter>", "<Home>", "<Delete>"};
    QTest::newRow("partly overtyped is wrong")
        << TypedCase{true, "5", {"isn", "<Enter>"}, "###'#", "-1", {}, {"wrong.wav"}, "1"};
    QTest::newRow("Delete is no character") << TypedCase{false, "5", wrongThenDelete, "one", "-1", {}, {"wrong.wav"}, "1"};
    QTest::newRow("next key empties it")
        << TypedCase{false, "5", wrongThenDelete + QStringList{"x"}, "x", "-1", {}, {"wrong.wav"}, "1"};
    QTest::newRow("wrong then right") << TypedCase{false, "3", {"is", "<Enter>", "isn't", "<Enter>"}, "isn't", "0",
                                                   right, {"wrong.wav", "right.wav"}, "0"};
    QTest::newRow("out of attempts") << TypedCase{false, "2", {"a", "<Enter>", "b", "<Enter>"}, "isn't", "-2", out,
                                                  {"wrong.wav", "wrong.wav"}, "0"};
}

void MainScreenTest::typedGap()
{
    QFETCH(TypedCase, c);
    ScreenRig rig;
    QVERIFY(rig.startLesson(QStringLiteral("Short forms\r\n1. It &isn't& cold.\r\n2. I &am& here."), false, c.signs,
                            c.attempts));
    QLineEdit *box = rig.ex().Text1[1];
    rig.focusGap(1);
    for (const QString &keys : c.keys) {
        if (keys == QLatin1String("<Enter>") || keys == QLatin1String("<Home>")) {
            QTest::keyClick(box, keys == QLatin1String("<Enter>") ? Qt::Key_Return : Qt::Key_Home);
        } else if (keys == QLatin1String("<Delete>")) {
            // As the keyboard sends it: with the text 0x7F.
            QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
            QCoreApplication::sendEvent(box, &del);
        } else {
            QTest::keyClicks(box, keys);
        }
    }
    QCOMPARE(rig.ex().Label9->text(), c.score);
    QCOMPARE(rig.soundNames(), c.sounds);
    QCOMPARE(rig.ex().Label8->text(), c.attemptsMade);
    const bool closed = c.closedOn.isValid();
    QLabel *label = rig.ex().Label15[1];
    QCOMPARE(box->isVisible(), !closed);
    QCOMPARE(label->isVisible(), closed);
    QCOMPARE(closed ? label->text() : box->text(), c.shown);
    if (closed)
        QCOMPARE(label->palette().color(QPalette::Window), c.closedOn);
}

void MainScreenTest::enteringATypedGapKeepsTheMaskAndTheTypedText()
{
    ScreenRig rig;
    QVERIFY(rig.startLesson(kTwoGaps, false, true));
    rig.focusGap(2);
    QLineEdit *box = rig.ex().Text1[1];
    const QPoint end(box->width() - 3, box->height() / 2);
    // A click at the end of the mask still lets the pupil type over it from the start.
    QTest::mouseClick(box, Qt::LeftButton, {}, end);
    QVERIFY(box->hasFocus());
    QCOMPARE(box->cursorPosition(), 0);
    QTest::keyClicks(box, QStringLiteral("go"));
    QCOMPARE(box->text(), QStringLiteral("go##"));
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent in(QEvent::FocusIn, reason);
        QCoreApplication::sendEvent(box, &in);
        QCOMPARE(box->text(), QStringLiteral("go##"));
    }
    // Once in the gap, a click places the caret where it falls.
    QTest::mouseClick(box, Qt::LeftButton, {}, end);
    QCOMPARE(box->cursorPosition(), 4);
    QFocusEvent moved(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(box, &moved);
    QCOMPARE(box->text(), QStringLiteral("####"));
}

void MainScreenTest::choiceGap_data()
{
    QTest::addColumn<QString>("typed"); // into gap 3, answered «ten»
    QTest::addColumn<int>("key");
    QTest::newRow("an entry in other letters and Enter") << "TEN" << int(Qt::Key_Return);
    QTest::newRow("the start of an entry and Tab") << "te" << int(Qt::Key_Tab);
}

void MainScreenTest::choiceGap()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    ScreenRig rig;
    QVERIFY(rig.startLesson(QStringLiteral("Short words\r\n1. I &was& &WWW& at &ten& home."), true, true,
                            QStringLiteral("3")));
    ExerciseControls &screen = rig.ex();
    for (int g = 1; g <= 3; ++g) {
        QComboBox *list = screen.Combo1[g];
        for (int i = -1; i < list->count(); ++i) {
            const QString text = i < 0 ? list->currentText() : list->itemText(i);
            QVERIFY2(list->lineEdit()->width() >= QFontMetrics(list->font()).horizontalAdvance(text) + 5,
                     qPrintable(QStringLiteral("gap %1: %2").arg(g).arg(text)));
        }
    }
    QCOMPARE(screen.Combo1[1]->currentText(), QStringLiteral("###"));
    // The arrow keys judge each entry they reach.
    QComboBox *list = screen.Combo1[2];
    rig.focusGap(2);
    QTest::keyClick(list, Qt::Key_Down); // "was"
    QCOMPARE(screen.Label9->text(), QStringLiteral("-1"));
    QCOMPARE(list->palette().color(QPalette::Base), QColor(0xFF, 0xCC, 0xCC));
    QTest::keyClick(list, Qt::Key_Down); // "WWW"
    QCOMPARE(rig.soundNames(), (QStringList{"wrong.wav", "right.wav"}));
    QVERIFY(!list->isVisible());
    QLabel *label = screen.Label15[2];
    QCOMPARE(label->text(), QStringLiteral("WWW"));
    QCOMPARE(screen.Label9->text(), QStringLiteral("0"));
    // Typing into a list never judges, nor completes what was typed.
    list = screen.Combo1[3];
    rig.focusGap(3);
    QTest::keyClicks(list, typed);
    QTest::keyClick(list, Qt::Key(key));
    rig.focusGap(1);
    QCOMPARE(rig.sound.played.size(), 2);
    QCOMPARE(screen.Label9->text(), QStringLiteral("0"));
    QVERIFY(list->isVisible());
    QCOMPARE(list->currentText(), typed);
    // The arrow keys still choose, and the choice is judged.
    rig.focusGap(3);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(rig.sound.played.size(), 3);
}

void MainScreenTest::focusedGapScrollsIntoView_data()
{
    QTest::addColumn<ScrollCase>("c");
    // Text runs are 100 twips a character: the second gap stands far right, the first near the left.
    const QString longRow = QStringLiteral("Long row\r\n1. A &x& ") + QString(170, QLatin1Char('y')) + " &z& end.";
    QTest::newRow("typed gaps") << ScrollCase{false, lessonWithGaps(50), {40, 20, 1, 33, 50}, "word50"};
    QTest::newRow("choice gaps") << ScrollCase{true, lessonWithGaps(50), {40, 20, 1, 33, 50}, "word50"};
    QTest::newRow("the end of a long row") << ScrollCase{false, longRow, {2, 1, 2}, "z"};
}

void MainScreenTest::focusedGapScrollsIntoView()
{
    QFETCH(ScrollCase, c);
    const auto &[magazine, lesson, gaps, answer] = c;
    ScreenRig rig;
    ExerciseControls &screen = rig.ex();
    // A first round, answered in part and scrolled, then back to the chooser: the page
    // goes back to its top. The second round's page differs, and the screen's first
    // showing no longer sets the bars' range.
    rig.rows->texts[{5, 2}] = lesson;
    QVERIFY(rig.startLesson(lessonWithGaps(40), magazine, false));
    if (magazine)
        rig.chooseAnswer(1, QStringLiteral("word1"));
    else
        rig.typeAnswer(1, QStringLiteral("word1"));
    rig.focusGap(40);
    QVERIFY(screen.FlatScrollBar1->value() > 0);
    rig.main().FinishExercise();
    QTest::mouseClick(rig.res().Command1, Qt::LeftButton);
    QCOMPARE(screen.FlatScrollBar1->value() + screen.FlatScrollBar2->value(), 0);
    QCOMPARE(screen.InnerBox->pos(), QPoint(0, 0));
    QVERIFY(rig.clickLesson(2));
    rig.clickStart();
    QCOMPARE(screen.Label9->text(), QStringLiteral("0"));
    QVERIFY(!screen.Label15[1]->isVisible());
    // What the pupil sees of the viewport: between its side frames, above the horizontal
    // bar and the panel that cover its foot.
    QRect seen = screen.OuterBox->geometry();
    seen.setLeft(seen.left() + screen.OuterBox->contentsRect().left());
    seen.setRight(seen.left() + screen.OuterBox->contentsRect().width() - 1);
    seen.setBottom(std::min(screen.FlatScrollBar2->y(), screen.Frame1->y()) - 1);
    for (int g : gaps) {
        rig.focusGap(g);
        const QRect inView(rig.gap(g)->mapTo(screen.screen, QPoint(0, 0)), rig.gap(g)->size());
        QVERIFY2(seen.contains(inView), qPrintable(QStringLiteral("gap %1").arg(g)));
        QVERIFY(screen.InnerBox->rect().contains(rig.gap(g)->geometry())); // the page holds the whole row
    }
    // The bars move the page as the pupil drags them.
    screen.FlatScrollBar1->setValue(1000);
    screen.FlatScrollBar2->setValue(0);
    QCOMPARE(screen.InnerBox->pos(), QPoint(0, Units::Scale().toPixels(-screen.FlatScrollBar1->value())));
    // The last gap has its answer label too.
    const int last = gaps.last();
    if (magazine)
        screen.Combo1[last]->setCurrentIndex(screen.Combo1[last]->findText(answer));
    else
        rig.typeAnswer(last, answer);
    QVERIFY(screen.Label15[last]->isVisible());
    QCOMPARE(screen.Label15[last]->text(), answer);
}

void MainScreenTest::everyEndOfAnExercise_data()
{
    QTest::addColumn<EndCase>("c");
    QTest::newRow("exit: only leaving is left") << EndCase{"", "exit", 0};
    QTest::newRow("new exercise, yes") << EndCase{"question", "yes", 9};
    QTest::newRow("new exercise, no: nothing changes") << EndCase{"question", "no", 0};
    QTest::newRow("time up while asking: the answer is too late") << EndCase{"question", "time", 4};
    QTest::newRow("time up on the sixty-first tick") << EndCase{"", "time", 5};
    QTest::newRow("time up while the grammar help is open") << EndCase{"help4grammar", "time", 1};
    QTest::newRow("time up while the general help is open") << EndCase{"helpForm", "time", 8};
}

void MainScreenTest::everyEndOfAnExercise()
{
    QFETCH(EndCase, c);
    const auto &[open, end, pick] = c;
    ScreenRig rig;
    QVERIFY(writeFile(rig.folder.filePath(QStringLiteral("data/help/hlp605.rtf.txt")), "topic 605\r\n"));
    QVERIFY(rig.startLesson(kTwoGaps, false, false)); // a lesson of pattern 5
    rig.typeAnswer(1, QStringLiteral("goes"));
    rig.focusGap(2); // time up takes the focus from a gap that can no longer answer
    ExerciseControls &screen = rig.ex();
    const auto timeUp = [&rig, &screen] {
        for (int tick = 1; tick <= 60; ++tick)
            rig.tick();
        QVERIFY(screen.Text1[2]->isEnabled());
        rig.tick();
        QCOMPARE(screen.ccrpProgressBar1->value(), 100);
        QVERIFY(!screen.Text1[1]->isEnabled() && !screen.Text1[2]->isEnabled());
    };
    seedForPick(pick);
    if (open == QLatin1String("question")) {
        rig.dialogs.answer = end != QLatin1String("no");
        if (end == QLatin1String("time"))
            rig.dialogs.whileOpen = timeUp;
        QTest::mouseClick(screen.Command6, Qt::LeftButton);
        QCOMPARE(rig.dialogs.asked, QStringList{QStringLiteral(" ?האם ברצונך להתחיל תרגיל חדש")});
    } else if (!open.isEmpty()) {
        if (open == QLatin1String("help4grammar"))
            QTest::mouseClick(screen.Command2, Qt::LeftButton);
        else
            rig.trigger(&rig.main(), QStringLiteral("help1"));
        QWidget *help = rig.shown(open);
        QVERIFY(help && !rig.main().isVisible());
        if (open == QLatin1String("help4grammar")) // the topic of the pattern chosen
            QCOMPARE(help->findChild<QListWidget *>(QStringLiteral("List1"))->item(0)->text(), QStringLiteral("topic 605"));
        timeUp();
        QTest::qWait(10); // a destroyed help goes with the next turn of the event loop
        QVERIFY(!rig.shown(open));
    } else if (end == QLatin1String("exit")) {
        QTest::mouseClick(screen.Command1, Qt::LeftButton);
    } else {
        timeUp();
    }
    const bool ended = end != QLatin1String("no");
    // Dialogs closed; sounds (right, then the results'); exercise shown; timer running; results shown.
    const QList<int> after{rig.dialogs.closedDialogs, int(rig.sound.played.size()), rig.main().isVisible(),
                           screen.Timer1->isActive(), rig.shown(QStringLiteral("Results")) != nullptr};
    QCOMPARE(after, (ended ? QList<int>{1, 2, 0, 0, 1} : QList<int>{0, 1, 1, 1, 0}));
    if (!ended)
        return;
    ResultsControls results = rig.res();
    QVERIFY(!rig.ch().screen->isVisible());
    const bool back = end != QLatin1String("exit");
    QCOMPARE(results.Command1->isVisible(), back);
    QCOMPARE(results.Label18->text(), QStringLiteral("50"));
    QCOMPARE(results.Label19->text(), Feedback::messages(Feedback::Band::Low).at(pick));
    QCOMPARE(rig.soundNames().last(), QStringLiteral("wickedlaugh.wav"));
    // It ends once: no later tick or end changes the results.
    const QString message = results.Label19->text();
    for (int tick = 0; tick < 70; ++tick)
        rig.tick();
    rig.main().FinishExercise();
    QCOMPARE(rig.sound.played.size(), 2);
    QCOMPARE(results.Label19->text(), message);
    // Closed, the results screen acts as the button it offers.
    results.screen->close();
    QCOMPARE(rig.ch().screen->isVisible(), back);
    QCOMPARE(rig.sound.closes, back ? 0 : 1);
    if (back) { // turning the time limit off for the next exercise empties the bar
        QTest::mouseClick(rig.ch().Command1, Qt::LeftButton);
        QCOMPARE(screen.ccrpProgressBar1->value(), 0);
    }
}

void MainScreenTest::backgroundColourOfThePageAndCountersOnly()
{
    ScreenRig rig;
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    ExerciseControls &screen = rig.ex();
    rig.typeAnswer(1, QStringLiteral("goes"));
    QList<QWidget *> others{screen.Label15[1], screen.Frame1, screen.OuterBox, screen.InnerBox, screen.menu,
                            screen.Command1, screen.Command2, screen.Command5, screen.Command6, screen.Label19,
                            screen.Label21, screen.Label18, screen.Label22, screen.Label1, screen.Label2,
                            screen.Label5, screen.Label7, screen.Label10, screen.Label11, screen.Label17,
                            screen.Label23, screen.ccrpProgressBar1};
    std::copy(screen.Label20.begin(), screen.Label20.end(), std::back_inserter(others));
    const auto colours = [](const QList<QWidget *> &widgets) {
        QList<QPair<QColor, QColor>> both;
        for (QWidget *w : widgets)
            both.append({w->palette().color(w->backgroundRole()), w->palette().color(w->foregroundRole())});
        return both;
    };
    const auto before = colours(others);

    const QColor chosen(200, 30, 90);
    rig.dialogs.colour = chosen;
    QTest::mouseClick(screen.Command5, Qt::LeftButton);
    QTest::mouseClick(screen.Command5, Qt::LeftButton);
    // The second opening is preset with the colour of the first.
    QCOMPARE(rig.dialogs.presets, (QList<QColor>{Qt::white, chosen}));
    const QPair<QColor, QColor> recoloured{chosen, QColor(0, 255, 255)}; // each channel of the text on its own
    QCOMPARE(colours({screen.Text1[1], screen.Label4[1], screen.Label9}), (QList<QPair<QColor, QColor>>(3, recoloured)));
    QCOMPARE(colours(others), before);
    // The screen's own background, where no control stands: below the help button.
    const QPoint empty(Units::Scale().toPixels(14400), Units::Scale().toPixels(8000));
    QCOMPARE(screen.screen->childAt(empty)->objectName(), QStringLiteral("MainCanvas"));
    QCOMPARE(screen.screen->grab().toImage().pixelColor(empty), chosen);
}

void MainScreenTest::noTimeLimitCanBeReadWhole()
{
    ScreenRig rig;
    QTest::mouseClick(rig.ch().Command1, Qt::LeftButton);
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    ExerciseControls &screen = rig.ex();
    QLabel *time = screen.Label20[0];
    QCOMPARE(time->text(), QStringLiteral("ללא הגבלת זמן"));
    QVERIFY(QFontMetrics(time->font()).horizontalAdvance(time->text()) <= time->width());
    QVERIFY(screen.Frame1->rect().contains(time->geometry()));
    QVERIFY(!time->geometry().intersects(screen.Label2->geometry()));
    QVERIFY(!time->geometry().intersects(screen.Label5->geometry()));
}

void MainScreenTest::everyWayOutReturnsToTheEditor_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("back on the results") << "back";
    QTest::newRow("results window closed") << "close results";
    QTest::newRow("leave button, then leave") << "leave";
    QTest::newRow("exercise window closed") << "close exercise";
    QTest::newRow("time up, then back") << "time";
}

void MainScreenTest::everyWayOutReturnsToTheEditor()
{
    QFETCH(QString, way);
    ScreenRig rig(ScreenRig::Start::Unloaded);
    rig.state.MagazineOn = rig.state.SignsOn = rig.state.TimeLimitOn = false;
    QSignalSpy ended(&rig.main(), &Main::trialEnded);
    ExerciseControls &screen = rig.ex();
    // The way out of the first round, then back on the results of a second one.
    for (int round = 1; round <= 2; ++round) {
        QCOMPARE(rig.main().tryLesson(kEntry, 3, kTwoGaps), QString());
        // Without the chooser, with its initial settings and the three options on:
        // choice gaps showing their masks, and the time running.
        QCOMPARE(visibleScreens(), QStringList{QStringLiteral("Main")});
        // The lesson, the pattern, the attempts left, then the four settings.
        const QStringList shown{screen.Label19->text(), screen.Label21->text(), screen.Label14->text()};
        QCOMPARE(shown + screen.settings(), (QStringList{"3 ", kEntry, "5", "1", "5", "1", "1"}));
        QVERIFY(screen.Combo1[1]->isVisible() && screen.Combo1[1]->isEnabled());
        QCOMPARE(screen.Combo1[2]->currentText(), QStringLiteral("####"));
        QVERIFY(screen.Timer1->isActive());
        if (round == 2 || way == QLatin1String("back") || way == QLatin1String("close results")) {
            rig.chooseAnswer(1, QStringLiteral("goes"));
            rig.chooseAnswer(2, QStringLiteral("live"));
            QVERIFY(rig.res().Command1->isVisible()); // back is offered every round
            if (round == 2 || way == QLatin1String("back"))
                QTest::mouseClick(rig.res().Command1, Qt::LeftButton);
            else
                rig.res().screen->close();
        } else if (way == QLatin1String("leave")) {
            QTest::mouseClick(screen.Command1, Qt::LeftButton);
            QVERIFY(!rig.res().Command1->isVisible());
            QTest::mouseClick(rig.res().Command2, Qt::LeftButton);
        } else if (way == QLatin1String("close exercise")) {
            rig.main().close();
        } else {
            for (int tick = 0; tick <= 60; ++tick)
                rig.tick();
            QTest::mouseClick(rig.res().Command1, Qt::LeftButton);
        }
        QCOMPARE(ended.count(), round);
        QCOMPARE(visibleScreens(), QStringList());
        QVERIFY(!screen.Timer1->isActive());
        QCOMPARE(rig.sound.closes, 0); // the program goes on
    }
}

void MainScreenTest::aLessonThatCannotBePlayedShowsNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("says");
    QTest::newRow("unclosed marker") << "Verbs\r\n1. She &goes to school." << "&";
    QTest::newRow("no gaps") << "Verbs\r\n1. She goes to school." << "אין מילים להשלים";
}

void MainScreenTest::aLessonThatCannotBePlayedShowsNothing()
{
    QFETCH(QString, text);
    QFETCH(QString, says);
    ScreenRig rig(ScreenRig::Start::Unloaded);
    QSignalSpy ended(&rig.main(), &Main::trialEnded);
    const QString refusal = rig.main().tryLesson(kEntry, 3, text);
    QVERIFY2(refusal.contains(says), qPrintable(refusal));
    QCOMPARE(visibleScreens(), QStringList());
    QCOMPARE(ended.count(), 0);
    // The pupil program's way is as before: closing the screen leaves the program.
    rig.main().close();
    QCOMPARE(rig.sound.closes, 1);
}

QTEST_MAIN(MainScreenTest)
#include "main_screen_test.moc"
