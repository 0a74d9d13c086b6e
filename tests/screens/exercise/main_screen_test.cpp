#include "screen_rig.h"



#include "screens/units.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QMenuBar>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

const QString kTwoGaps = QStringLiteral("Put in the verb\r\n1. She &goes& to school.\r\n2. They &live& in Haifa.");

QStringList soundNames(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names << path.section(QLatin1Char('/'), -1);
    return names;
}

} // namespace

class MainScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void typedGap_data();
    void typedGap();
    void typedKeys_data();
    void typedKeys();
    void creditAndDebitWithFractions();
    void attemptsDisplayFollowsTheFocusedGap();
    void tabMovesToTheNextGap();
    void timeRunsOutWithAShortTick();
    void yesGradesTheExerciseSoFar();
    void signsComeBackOnFocusAndAfterWrongAnswer();
    void overtypeReplacesTheMask();
    void clickIntoAGapStartsAtTheMask();
    void choiceGap_data();
    void choiceGap();
    void arrowKeyInAChoiceListJudges();
    void arrowKeysJudgeEachEntryReached();
    void lastGapEndsWithGradeAndSound_data();
    void lastGapEndsWithGradeAndSound();
    void answerLabelForEveryGapUpToFifty();
    void focusedGapScrollsIntoView();
    void timeRunsOutOnTheSixtyFirstTick();
    void exitButtonEndsOnceAndStopsTheTimer();
    void timeUpWhileQuestionOpenIgnoresTheAnswer();
    void timeUpWhileHelpIsOpenClosesIt_data();
    void timeUpWhileHelpIsOpenClosesIt();
    void newExerciseQuestion_data();
    void newExerciseQuestion();
    void backgroundColour_data();
    void backgroundColour();
    void backgroundColourLeavesTheRestAlone();
    void typingIntoAChoiceListNeverJudges_data();
    void typingIntoAChoiceListNeverJudges();
    void typedTextSurvivesTheWindowComingBack();
    void deleteIsNotACharacter();
    void noTimeLimitCanBeReadWhole();
    void gapAtTheEndOfALongRowScrollsIntoView();
    void choiceListShowsItsWholeMask();
};

void MainScreenTest::typedGap_data()
{
    QTest::addColumn<QString>("attempts");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("debit");
    QTest::addColumn<QString>("score");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<QString>("attemptsMade");

    QTest::newRow("right at once") << "2" << QStringList{"goes"} << "1" << "1" << true << QStringList{"right.wav"} << "0";
    QTest::newRow("wrong then right") << "3" << QStringList{"go", "goes"} << "1" << "0" << true
                                      << QStringList{"wrong.wav", "right.wav"} << "1";
    QTest::newRow("case matters") << "3" << QStringList{"Goes"} << "1" << "-1" << false << QStringList{"wrong.wav"} << "1";
    QTest::newRow("out of attempts") << "2" << QStringList{"gone", "went"} << "1" << "-2" << true
                                     << QStringList{"wrong.wav", "wrong.wav"} << "2";
    QTest::newRow("half a point debit") << "2" << QStringList{"go"} << "0.5" << "-0.5" << false
                                        << QStringList{"wrong.wav"} << "1";
}

void MainScreenTest::typedGap()
{
    QFETCH(QString, attempts);
    QFETCH(QStringList, answers);
    QFETCH(QString, debit);
    QFETCH(QString, score);
    QFETCH(bool, closed);
    QFETCH(QStringList, sounds);
    QFETCH(QString, attemptsMade);

    ScreenRig rig;
    rig.load();
    rig.setSetting(3, debit);
    QVERIFY(rig.startLesson(kTwoGaps, false, false, attempts));
    for (const QString &answer : answers)
        rig.typeAnswer(1, answer);

    QCOMPARE(rig.ex().Label9->text(), score);
    QCOMPARE(soundNames(rig.sound.played), sounds);
    QCOMPARE(rig.ex().Label8->text(), attemptsMade);
    QCOMPARE(rig.ex().Text1[1]->isVisible(), !closed);
    QCOMPARE(rig.ex().Label15[1]->isVisible(), closed);
    if (closed) {
        QCOMPARE(rig.ex().Label15[1]->text(), QStringLiteral("goes"));
        QCOMPARE(rig.ex().Label15[1]->geometry().topLeft(), rig.ex().Text1[1]->pos() + QPoint(0, Units::Scale().toPixels(3)));
    }
    QCOMPARE(rig.state.GapsLeft, closed ? 1 : 2);
}

void MainScreenTest::typedKeys_data()
{
    QTest::addColumn<bool>("signs");
    QTest::addColumn<QStringList>("keys"); // "\n" is Enter
    QTest::addColumn<QString>("shown");      // the box's text afterwards; empty when closed
    QTest::addColumn<QString>("score");
    QTest::addColumn<int>("triesLeft");
    QTest::addColumn<bool>("closed");

    QTest::newRow("first signs overtyped") << true << QStringList{"isn"} << "isn'#" << "0" << 5 << false;
    QTest::newRow("partly overtyped is wrong") << true << QStringList{"isn", "\n"} << "###'#" << "-1" << 4 << false;
    QTest::newRow("all signs overtyped") << true << QStringList{"isn't", "\n"} << "" << "1" << 5 << true;
    QTest::newRow("wrong text stays") << false << QStringList{"ab", "\n"} << "ab" << "-1" << 4 << false;
    QTest::newRow("next key empties it") << false << QStringList{"ab", "\n", "x"} << "x" << "-1" << 4 << false;
    QTest::newRow("second Enter judges the empty box") << false << QStringList{"ab", "\n", "\n"} << "" << "-2" << 3
                                                       << false;
    QTest::newRow("capital letter") << false << QStringList{"Isn't", "\n"} << "Isn't" << "-1" << 4 << false;
    QTest::newRow("trailing blank") << false << QStringList{"isn't ", "\n"} << "isn't " << "-1" << 4 << false;
}

void MainScreenTest::typedKeys()
{
    QFETCH(bool, signs);
    QFETCH(QStringList, keys);
    QFETCH(QString, shown);
    QFETCH(QString, score);
    QFETCH(int, triesLeft);
    QFETCH(bool, closed);

    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(QStringLiteral("Short forms\r\n1. It &isn't& cold.\r\n2. I &am& here."), false, signs,
                            QStringLiteral("5")));
    QLineEdit *box = rig.ex().Text1[1];
    rig.focusGap(1);
    for (const QString &key : keys) {
        if (key == QLatin1String("\n"))
            QTest::keyClick(box, Qt::Key_Return);
        else
            QTest::keyClicks(box, key);
    }
    QCOMPARE(rig.ex().Label9->text(), score);
    QCOMPARE(int(rig.state.TriesLeft[1]), triesLeft);
    QCOMPARE(box->isVisible(), !closed);
    if (!closed)
        QCOMPARE(box->text(), shown);
}

void MainScreenTest::creditAndDebitWithFractions()
{
    ScreenRig rig;
    rig.load();
    rig.setSetting(2, QStringLiteral("2"));
    rig.setSetting(3, QStringLiteral("0.5"));
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    rig.typeAnswer(1, QStringLiteral("goes"));
    QCOMPARE(rig.ex().Label9->text(), QStringLiteral("2"));
    rig.typeAnswer(2, QStringLiteral("lives"));
    QCOMPARE(rig.ex().Label9->text(), QStringLiteral("1.5"));
}

void MainScreenTest::attemptsDisplayFollowsTheFocusedGap()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, false, QStringLiteral("5")));
    rig.typeAnswer(2, QStringLiteral("x"));
    rig.typeAnswer(2, QStringLiteral("y"));
    rig.focusGap(1);
    QCOMPARE(rig.ex().Label14->text(), QStringLiteral("5"));
    QCOMPARE(rig.ex().Label8->text(), QStringLiteral("0"));
    rig.focusGap(2);
    QCOMPARE(rig.ex().Label14->text(), QStringLiteral("3"));
    QCOMPARE(rig.ex().Label8->text(), QStringLiteral("2"));

    // One attempt: a wrong answer closes the gap out of attempts, in blue on #FF8888.
    ScreenRig single;
    single.load();
    QVERIFY(single.startLesson(kTwoGaps, false, false, QStringLiteral("1")));
    single.typeAnswer(1, QStringLiteral("go"));
    QLabel *answer = single.ex().Label15[1];
    QVERIFY(answer->isVisible());
    QCOMPARE(answer->text(), QStringLiteral("goes"));
    QCOMPARE(answer->palette().color(QPalette::Window), QColor(0xFF, 0x88, 0x88));
    QCOMPARE(answer->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(single.ex().Label14->text(), QStringLiteral("0"));
    QCOMPARE(single.state.GapsLeft, 1);
    QCOMPARE(soundNames(single.sound.played), QStringList{"wrong.wav"});
}

void MainScreenTest::tabMovesToTheNextGap()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, true, QStringLiteral("4")));
    rig.typeAnswer(2, QStringLiteral("x"));
    rig.focusGap(1);
    QCOMPARE(rig.ex().Label14->text(), QStringLiteral("4"));
    QTest::keyClick(rig.ex().Text1[1], Qt::Key_Tab);
    if (!rig.ex().Text1[2]->hasFocus())
        QSKIP("no active window on this platform: focus does not move by keys");
    QCOMPARE(rig.ex().Label14->text(), QStringLiteral("3"));
    QCOMPARE(rig.ex().Text1[2]->text(), QStringLiteral("####"));
}

void MainScreenTest::timeRunsOutWithAShortTick()
{
    ScreenRig rig;
    rig.load();
    rig.setSetting(0, QStringLiteral("0.01")); // 10 ms a tick: 61 ticks in well under a second
    QVERIFY(rig.startLesson(kTwoGaps, true, false));
    QCOMPARE(rig.ex().Timer1->interval(), 10);
    QTRY_VERIFY_WITH_TIMEOUT(rig.resultsShown(), 5000);
    QCOMPARE(rig.state.TicksLeft, -1);
    QVERIFY(!rig.ex().Combo1[1]->isEnabled());
    QCOMPARE(rig.ex().ccrpProgressBar1->value(), 100);
    QCOMPARE(soundNames(rig.sound.played), QStringList{"wickedlaugh.wav"});
    QTest::qWait(100);
    QCOMPARE(rig.sound.played.size(), 1);
}

void MainScreenTest::yesGradesTheExerciseSoFar()
{
    ScreenRig rig;
    rig.load();
    rig.setSetting(2, QStringLiteral("2"));
    QVERIFY(rig.startLesson(lessonWithGaps(9), false, false));
    for (int g = 1; g <= 7; ++g)
        rig.typeAnswer(g, QStringLiteral("word%1").arg(g));
    QCOMPARE(rig.ex().Label9->text(), QStringLiteral("14"));
    rig.dialogs.answer = true;
    QTest::mouseClick(rig.ex().Command6, Qt::LeftButton);
    QCOMPARE(rig.res().Label18->text(), QStringLiteral("78")); // 1400 / 18, rounded
    QVERIFY(rig.res().Command1->isVisible());
}

void MainScreenTest::arrowKeysJudgeEachEntryReached()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(QStringLiteral("Be\r\n1. I &am& here. He &is& there. We &are& home."), true, false,
                            QStringLiteral("3")));
    QComboBox *list = rig.ex().Combo1[2];
    QCOMPARE(list->count(), 3);
    rig.focusGap(2);
    QTest::keyClick(list, Qt::Key_Down); // "am"
    QCOMPARE(rig.ex().Label9->text(), QStringLiteral("-1"));
    QCOMPARE(list->palette().color(QPalette::Base), QColor(0xFF, 0xCC, 0xCC));
    QTest::keyClick(list, Qt::Key_Down); // "is"
    QCOMPARE(soundNames(rig.sound.played), (QStringList{"wrong.wav", "right.wav"}));
    QVERIFY(!list->isVisible());
    QCOMPARE(rig.ex().Label15[2]->text(), QStringLiteral("is"));
    QCOMPARE(rig.ex().Label15[2]->palette().color(QPalette::Window), QColor(0x00, 0xFF, 0xFF));
    QCOMPARE(rig.ex().Label15[2]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(rig.ex().Label9->text(), QStringLiteral("0"));
}

void MainScreenTest::signsComeBackOnFocusAndAfterWrongAnswer()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, true, QStringLiteral("3")));
    QLineEdit *box = rig.ex().Text1[2];
    QCOMPARE(box->text(), QStringLiteral("####"));
    rig.typeAnswer(2, QStringLiteral("lives"));
    QCOMPARE(box->text(), QStringLiteral("####"));
    QTest::keyClicks(box, QStringLiteral("ab"));
    QCOMPARE(box->text(), QStringLiteral("ab")); // the key after a wrong answer empties the box
    rig.focusGap(1); // leave the gap and come back
    rig.focusGap(2);
    QCOMPARE(box->text(), QStringLiteral("####"));
    QCOMPARE(box->cursorPosition(), 0);
}

void MainScreenTest::overtypeReplacesTheMask()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, true));
    rig.focusGap(1);
    QTest::keyClicks(rig.ex().Text1[1], QStringLiteral("go"));
    QCOMPARE(rig.ex().Text1[1]->text(), QStringLiteral("go##"));
    QTest::keyClicks(rig.ex().Text1[1], QStringLiteral("es"));
    // The fourth key fills the gap, but only Enter judges it.
    QCOMPARE(rig.ex().Text1[1]->text(), QStringLiteral("goes"));
    QVERIFY(rig.sound.played.isEmpty());
    QTest::keyClick(rig.ex().Text1[1], Qt::Key_Return);
    QCOMPARE(soundNames(rig.sound.played), QStringList{"right.wav"});
}

void MainScreenTest::clickIntoAGapStartsAtTheMask()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, true));
    rig.focusGap(2);
    QLineEdit *box = rig.ex().Text1[1];
    // A click at the end of the mask still lets the pupil type over it from the start.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 3, box->height() / 2));
    QVERIFY(box->hasFocus());
    QCOMPARE(box->cursorPosition(), 0);
    QTest::keyClicks(box, QStringLiteral("go"));
    QCOMPARE(box->text(), QStringLiteral("go##"));
    // Once in the gap, a click places the caret where it falls.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 3, box->height() / 2));
    QCOMPARE(box->cursorPosition(), 4);
}

void MainScreenTest::choiceGap_data()
{
    QTest::addColumn<QStringList>("picks");
    QTest::addColumn<QString>("score");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QStringList>("sounds");

    QTest::newRow("right pick") << QStringList{"live"} << "1" << true << QStringList{"right.wav"};
    QTest::newRow("wrong pick") << QStringList{"goes"} << "-1" << false << QStringList{"wrong.wav"};
    QTest::newRow("wrong, then right") << QStringList{"goes", "live"} << "0" << true
                                       << QStringList{"wrong.wav", "right.wav"};
}

void MainScreenTest::choiceGap()
{
    QFETCH(QStringList, picks);
    QFETCH(QString, score);
    QFETCH(bool, closed);
    QFETCH(QStringList, sounds);

    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, true, false, QStringLiteral("3")));
    QComboBox *list = rig.ex().Combo1[2];
    QCOMPARE(list->count(), 2); // the word bank: every answer
    for (const QString &pick : picks)
        rig.chooseAnswer(2, pick);
    QCOMPARE(rig.ex().Label9->text(), score);
    QCOMPARE(soundNames(rig.sound.played), sounds);
    QCOMPARE(list->isVisible(), !closed);
    QCOMPARE(rig.ex().Label15[2]->isVisible(), closed);
}

void MainScreenTest::arrowKeyInAChoiceListJudges()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, true, false, QStringLiteral("3")));
    rig.focusGap(1);
    QTest::keyClick(rig.ex().Combo1[1], Qt::Key_Down);
    QCOMPARE(rig.sound.played.size(), 1);
}

void MainScreenTest::lastGapEndsWithGradeAndSound_data()
{
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("sound");

    QTest::newRow("all right") << QStringList{"goes"} << "100" << "APPLAUSE.wav";
    QTest::newRow("one lost") << QStringList{"x", "y"} << "-50" << "wickedlaugh.wav";
    QTest::newRow("one late") << QStringList{"x", "goes"} << "50" << "wickedlaugh.wav";
}

void MainScreenTest::lastGapEndsWithGradeAndSound()
{
    QFETCH(QStringList, first);
    QFETCH(QString, grade);
    QFETCH(QString, sound);

    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    for (const QString &answer : first)
        rig.typeAnswer(1, answer);
    QVERIFY(rig.main().isVisible());
    rig.typeAnswer(2, QStringLiteral("live"));

    ResultsControls results = rig.res();
    QVERIFY(results.screen->isVisible());
    QVERIFY(!rig.main().isVisible());
    QCOMPARE(results.Label18->text(), grade);
    QVERIFY(!results.Label19->text().isEmpty());
    QCOMPARE(soundNames(rig.sound.played).last(), sound);
}

void MainScreenTest::answerLabelForEveryGapUpToFifty()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(lessonWithGaps(50), false, false));
    QCOMPARE(rig.state.GapCount, 50);
    rig.typeAnswer(50, QStringLiteral("word50"));
    QVERIFY(rig.ex().Label15[50]->isVisible());
    QCOMPARE(rig.ex().Label15[50]->text(), QStringLiteral("word50"));
    QCOMPARE(rig.ex().Label15[50]->pos(), rig.ex().Text1[50]->pos() + QPoint(0, Units::Scale().toPixels(3)));
}

void MainScreenTest::focusedGapScrollsIntoView()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(lessonWithGaps(40), false, false));
    ExerciseControls &screen = rig.ex();
    QVERIFY(screen.InnerBox->height() > screen.OuterBox->height());
    // What the pupil sees of the viewport: the horizontal bar and the panel cover its foot.
    QRect seen = screen.OuterBox->geometry();
    seen.setBottom(std::min(screen.FlatScrollBar2->y(), screen.Frame1->y()) - 1);
    for (int g : {40, 20, 1, 33}) {
        rig.focusGap(g);
        const QRect inView(screen.Text1[g]->mapTo(screen.screen, QPoint(0, 0)), screen.Text1[g]->size());
        QVERIFY2(seen.contains(inView), qPrintable(QStringLiteral("gap %1").arg(g)));
        QCOMPARE(screen.InnerBox->y(), Units::Scale().toPixels(-screen.FlatScrollBar1->value()));
        QCOMPARE(screen.InnerBox->x(), Units::Scale().toPixels(-screen.FlatScrollBar2->value()));
    }
}

void MainScreenTest::timeRunsOutOnTheSixtyFirstTick()
{
    ScreenRig rig;
    rig.load();
    rig.setSetting(0, QStringLiteral("1"));
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    ExerciseControls &screen = rig.ex();
    QVERIFY(screen.Timer1->isActive());
    QCOMPARE(screen.Timer1->interval(), 1000);
    for (int tick = 1; tick <= 60; ++tick)
        rig.tick();
    QVERIFY(screen.screen->isVisible());
    QVERIFY(screen.Text1[1]->isEnabled());
    QCOMPARE(screen.ccrpProgressBar1->value(), 98);
    rig.tick();
    QCOMPARE(screen.ccrpProgressBar1->value(), 100);
    QVERIFY(!screen.Timer1->isActive());
    QVERIFY(!screen.Text1[1]->isEnabled());
    QVERIFY(!screen.Text1[2]->isEnabled());
    QVERIFY(rig.res().screen->isVisible());
    QCOMPARE(rig.res().Label18->text(), QStringLiteral("0"));
}

void MainScreenTest::exitButtonEndsOnceAndStopsTheTimer()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    rig.typeAnswer(1, QStringLiteral("goes"));
    QTest::mouseClick(rig.ex().Command1, Qt::LeftButton);
    QVERIFY(!rig.ex().Timer1->isActive());
    ResultsControls results = rig.res();
    QVERIFY(results.screen->isVisible());
    QVERIFY(!results.Command1->isVisible()); // only leaving is left
    QCOMPARE(results.Label18->text(), QStringLiteral("50"));
    const QString message = results.Label19->text();
    const int sounds = rig.sound.played.size();
    for (int tick = 0; tick < 70; ++tick)
        rig.tick();
    rig.main().FinishExercise();
    QCOMPARE(rig.sound.played.size(), sounds);
    QCOMPARE(results.Label19->text(), message);
}

void MainScreenTest::timeUpWhileQuestionOpenIgnoresTheAnswer()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    rig.dialogs.answer = true;
    rig.dialogs.whileOpen = [&rig] {
        rig.state.TicksLeft = 0;
        rig.tick();
    };
    const int sounds = rig.sound.played.size();
    QTest::mouseClick(rig.ex().Command6, Qt::LeftButton);
    QCOMPARE(rig.dialogs.closedDialogs, 1);
    QCOMPARE(rig.sound.played.size(), sounds + 1); // one end, one results sound
    QVERIFY(rig.res().screen->isVisible());
}

void MainScreenTest::timeUpWhileHelpIsOpenClosesIt_data()
{
    QTest::addColumn<QString>("help");
    QTest::newRow("grammar help") << "help4grammar";
    QTest::newRow("general help") << "helpForm";
}

void MainScreenTest::timeUpWhileHelpIsOpenClosesIt()
{
    QFETCH(QString, help);
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    if (help == QLatin1String("help4grammar"))
        QTest::mouseClick(rig.ex().Command2, Qt::LeftButton);
    else
        rig.trigger(&rig.main(), QStringLiteral("help1"));
    QWidget *open = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == help && w->isVisible())
            open = w;
    }
    QVERIFY(open);
    QVERIFY(!rig.main().isVisible());
    rig.state.TicksLeft = 0;
    rig.tick();
    QTest::qWait(10); // a destroyed help goes with the next turn of the event loop
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!(w->objectName() == help && w->isVisible()), qPrintable(help));
    QVERIFY(rig.res().screen->isVisible());
    QVERIFY(!rig.main().isVisible());
    QVERIFY(!rig.ch().screen->isVisible());
}

void MainScreenTest::newExerciseQuestion_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes ends with a grade") << true;
    QTest::newRow("no changes nothing") << false;
}

void MainScreenTest::newExerciseQuestion()
{
    QFETCH(bool, yes);
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    rig.dialogs.answer = yes;
    QTest::mouseClick(rig.ex().Command6, Qt::LeftButton);
    QCOMPARE(rig.dialogs.asked, QStringList{QStringLiteral(" ?האם ברצונך להתחיל תרגיל חדש")});
    QCOMPARE(rig.main().isVisible(), !yes);
    QCOMPARE(rig.resultsShown(), yes);
    if (yes)
        QVERIFY(rig.res().Command1->isVisible());
    else
        QVERIFY(rig.ex().Timer1->isActive());
}

void MainScreenTest::backgroundColour_data()
{
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<QColor>("text");
    QTest::newRow("black") << QColor(0, 0, 0) << QColor(255, 255, 255);
    QTest::newRow("white") << QColor(255, 255, 255) << QColor(0, 0, 0);
    QTest::newRow("128 grey is light") << QColor(128, 128, 128) << QColor(0, 0, 0);
    QTest::newRow("127 grey is dark") << QColor(127, 127, 127) << QColor(255, 255, 255);
    QTest::newRow("each channel on its own") << QColor(200, 30, 90) << QColor(0, 255, 255);
    QTest::newRow("pure blue") << QColor(0, 0, 255) << QColor(255, 255, 0);
    QTest::newRow("cancel keeps the preset") << QColor() << QColor(0, 0, 0);
}

void MainScreenTest::backgroundColour()
{
    QFETCH(QColor, chosen);
    QFETCH(QColor, text);
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    rig.dialogs.colour = chosen;
    QTest::mouseClick(rig.ex().Command5, Qt::LeftButton);
    QTest::mouseClick(rig.ex().Command5, Qt::LeftButton);
    // The second opening is preset with the colour of the first; a cancelled dialog
    // gives back its preset, white at the first opening.
    if (!chosen.isValid())
        chosen = Qt::white;
    QCOMPARE(rig.dialogs.presets.size(), 2);
    QCOMPARE(rig.dialogs.presets.at(0), QColor(Qt::white));
    QCOMPARE(rig.dialogs.presets.at(1), chosen);
    for (QWidget *w : {static_cast<QWidget *>(rig.ex().Text1[1]), static_cast<QWidget *>(rig.ex().Label4[1]),
                       static_cast<QWidget *>(rig.ex().Label9)}) {
        QCOMPARE(w->palette().color(w->backgroundRole()), chosen);
        QCOMPARE(w->palette().color(w->foregroundRole()), text);
    }
}

void MainScreenTest::backgroundColourLeavesTheRestAlone()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    ExerciseControls &screen = rig.ex();
    rig.typeAnswer(1, QStringLiteral("goes"));
    QList<QWidget *> others{static_cast<QWidget *>(screen.Label15[1]), screen.Frame1, screen.OuterBox, screen.InnerBox, screen.menu,
                            screen.Command1, screen.Command2, screen.Command5, screen.Command6, screen.Label19,
                            screen.Label21, screen.Label18, screen.Label22, screen.Label1, screen.Label2,
                            screen.Label5, screen.Label7, screen.Label10, screen.Label11, screen.Label17,
                            screen.Label23, screen.ccrpProgressBar1};
    for (QLabel *l : screen.Label20)
        others << l;
    QList<QPair<QColor, QColor>> before;
    for (QWidget *w : others)
        before.append({w->palette().color(w->backgroundRole()), w->palette().color(w->foregroundRole())});

    rig.dialogs.colour = Qt::black;
    QTest::mouseClick(screen.Command5, Qt::LeftButton);

    for (int i = 0; i < others.size(); ++i) {
        QWidget *w = others.at(i);
        QCOMPARE(w->palette().color(w->backgroundRole()), before.at(i).first);
        QCOMPARE(w->palette().color(w->foregroundRole()), before.at(i).second);
    }
    // The screen's own background, where no control stands: below the help button.
    const QPoint empty(Units::Scale().toPixels(14400), Units::Scale().toPixels(8000));
    QCOMPARE(screen.screen->childAt(empty)->objectName(), QStringLiteral("MainCanvas"));
    QCOMPARE(screen.screen->grab().toImage().pixelColor(empty), QColor(Qt::black));
}

void MainScreenTest::typingIntoAChoiceListNeverJudges_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::newRow("a whole entry and Enter") << "live" << int(Qt::Key_Return);
    QTest::newRow("an entry in other letters and Enter") << "LIVE" << int(Qt::Key_Return);
    QTest::newRow("the start of an entry and Tab") << "li" << int(Qt::Key_Tab);
    QTest::newRow("a whole entry and Tab") << "goes" << int(Qt::Key_Tab);
}

void MainScreenTest::typingIntoAChoiceListNeverJudges()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, true, false, QStringLiteral("3")));
    QComboBox *list = rig.ex().Combo1[2];
    rig.focusGap(2);
    QTest::keyClicks(list, typed);
    QTest::keyClick(list, Qt::Key(key));
    rig.focusGap(1);
    QVERIFY(rig.sound.played.isEmpty());
    QCOMPARE(rig.ex().Label9->text(), QStringLiteral("0"));
    QVERIFY(list->isVisible());
    QCOMPARE(list->currentText(), typed); // no completion either
    // The arrow keys still choose, and the choice is judged.
    rig.focusGap(2);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(rig.sound.played.size(), 1);
}

void MainScreenTest::typedTextSurvivesTheWindowComingBack()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, true));
    rig.focusGap(1);
    QLineEdit *box = rig.ex().Text1[1];
    QTest::keyClicks(box, QStringLiteral("go"));
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent in(QEvent::FocusIn, reason);
        QCoreApplication::sendEvent(box, &in);
        QCOMPARE(box->text(), QStringLiteral("go##"));
    }
    QFocusEvent moved(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(box, &moved);
    QCOMPARE(box->text(), QStringLiteral("####"));
}

void MainScreenTest::deleteIsNotACharacter()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    QLineEdit *box = rig.ex().Text1[1];
    rig.typeAnswer(1, QStringLiteral("gone")); // wrong: the next key would empty the box
    QTest::keyClick(box, Qt::Key_Home);
    // As the keyboard sends it: with the text 0x7F.
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    QCoreApplication::sendEvent(box, &del);
    QCOMPARE(box->text(), QStringLiteral("one"));
    QTest::keyClick(box, Qt::Key_X);
    QCOMPARE(box->text(), QStringLiteral("x"));
}

void MainScreenTest::noTimeLimitCanBeReadWhole()
{
    ScreenRig rig;
    rig.load();
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

void MainScreenTest::gapAtTheEndOfALongRowScrollsIntoView()
{
    ScreenRig rig;
    rig.load();
    // Text runs are 100 twips a character: the second gap stands far right, the first near the left.
    const QString row = QStringLiteral("1. A &x& ") + QString(170, QLatin1Char('y')) + QStringLiteral(" &z& end.");
    QVERIFY(rig.startLesson(QStringLiteral("Long row\r\n") + row, false, false));
    ExerciseControls &screen = rig.ex();
    for (int g : {2, 1, 2}) {
        rig.focusGap(g);
        QLineEdit *box = screen.Text1[g];
        const QRect inView(box->mapTo(screen.OuterBox, QPoint(0, 0)), box->size());
        QVERIFY2(screen.OuterBox->contentsRect().contains(inView), qPrintable(QStringLiteral("gap %1").arg(g)));
        QCOMPARE(screen.InnerBox->x(), Units::Scale().toPixels(-screen.FlatScrollBar2->value()));
    }
}

void MainScreenTest::choiceListShowsItsWholeMask()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(QStringLiteral("Short words\r\n1. I &was& &WWW& at &ten& home."), true, true));
    for (int g = 1; g <= 3; ++g) {
        QComboBox *list = rig.ex().Combo1[g];
        for (int i = -1; i < list->count(); ++i) {
            const QString text = i < 0 ? list->currentText() : list->itemText(i);
            QVERIFY2(list->lineEdit()->width() >= QFontMetrics(list->font()).horizontalAdvance(text) + 5,
                     qPrintable(QStringLiteral("gap %1: %2").arg(g).arg(text)));
        }
    }
    QCOMPARE(rig.ex().Combo1[1]->currentText(), QStringLiteral("###"));
}

QTEST_MAIN(MainScreenTest)
#include "main_screen_test.moc"
