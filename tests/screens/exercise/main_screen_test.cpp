#include "screen_rig.h"

#include "screens/units.h"

#include <QAction>
#include <QDir>
#include <QFile>

class MainScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void typedGap_data();
    void typedGap();
    void typedKeys_data();
    void typedKeys();
    void attemptsDisplayFollowsTheFocusedGap();
    void clickIntoAGapStartsAtTheMask();
    void arrowKeysJudgeEachEntryReached();
    void lastGapEndsWithGradeAndSound();
    void focusedGapScrollsIntoView_data();
    void focusedGapScrollsIntoView();
    void timeRunsOutOnTheSixtyFirstTick();
    void exitButtonEndsOnceAndStopsTheTimer();
    void generalHelpReturnsToItsOpener();
    void grammarHelpShowsTheChosenPattern();
    void timeUpWhileHelpIsOpenClosesIt_data();
    void timeUpWhileHelpIsOpenClosesIt();
    void newExerciseQuestion_data();
    void newExerciseQuestion();
    void backgroundColourOfThePageAndCountersOnly();
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
    QTest::addColumn<QColor>("closedOn"); // invalid: the gap stays open
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<QString>("attemptsMade"); // once the gap closes, of the open gap the focus moves to

    QTest::newRow("wrong then right") << "3" << QStringList{"go", "goes"} << "1" << "0" << QColor(0x00, 0xFF, 0xFF)
                                      << QStringList{"wrong.wav", "right.wav"} << "0";
    QTest::newRow("out of attempts") << "2" << QStringList{"gone", "went"} << "1" << "-2" << QColor(0xFF, 0x88, 0x88)
                                     << QStringList{"wrong.wav", "wrong.wav"} << "0";
    QTest::newRow("half a point debit") << "2" << QStringList{"go"} << "0.5" << "-0.5" << QColor()
                                        << QStringList{"wrong.wav"} << "1";
}

void MainScreenTest::typedGap()
{
    QFETCH(QString, attempts);
    QFETCH(QStringList, answers);
    QFETCH(QString, debit);
    QFETCH(QString, score);
    QFETCH(QColor, closedOn);
    QFETCH(QStringList, sounds);
    QFETCH(QString, attemptsMade);

    ScreenRig rig;
    rig.setSetting(3, debit);
    QVERIFY(rig.startLesson(kTwoGaps, false, false, attempts));
    for (const QString &answer : answers)
        rig.typeAnswer(1, answer);

    const bool closed = closedOn.isValid();
    QCOMPARE(rig.ex().Label9->text(), score);
    QCOMPARE(rig.soundNames(), sounds);
    QCOMPARE(rig.ex().Label8->text(), attemptsMade);
    QCOMPARE(rig.ex().Text1[1]->isVisible(), !closed);
    QLabel *label = rig.ex().Label15[1];
    QCOMPARE(label->isVisible(), closed);
    if (closed) {
        QCOMPARE(label->text(), QStringLiteral("goes"));
        QCOMPARE(label->geometry().topLeft(), rig.ex().Text1[1]->pos() + QPoint(0, Units::Scale().toPixels(3)));
        QCOMPARE(label->palette().color(QPalette::Window), closedOn);
    }
    QCOMPARE(rig.state.GapsLeft, closed ? 1 : 2);
}

void MainScreenTest::typedKeys_data()
{
    QTest::addColumn<bool>("signs");
    QTest::addColumn<QStringList>("keys"); // "\n" is Enter
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("score");
    QTest::addColumn<int>("triesLeft");

    QTest::newRow("first signs overtyped") << true << QStringList{"isn"} << "isn'#" << "0" << 5;
    QTest::newRow("partly overtyped is wrong") << true << QStringList{"isn", "\n"} << "###'#" << "-1" << 4;
    QTest::newRow("next key empties it") << false << QStringList{"ab", "\n", "x"} << "x" << "-1" << 4;
}

void MainScreenTest::typedKeys()
{
    QFETCH(bool, signs);
    QFETCH(QStringList, keys);
    QFETCH(QString, shown);
    QFETCH(QString, score);
    QFETCH(int, triesLeft);

    ScreenRig rig;
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
    QCOMPARE(box->text(), shown);
}

void MainScreenTest::attemptsDisplayFollowsTheFocusedGap()
{
    ScreenRig rig;
    QVERIFY(rig.startLesson(kTwoGaps, false, false, QStringLiteral("5")));
    rig.typeAnswer(2, QStringLiteral("x"));
    rig.typeAnswer(2, QStringLiteral("y"));
    rig.focusGap(1);
    QCOMPARE(rig.ex().Label14->text(), QStringLiteral("5"));
    QCOMPARE(rig.ex().Label8->text(), QStringLiteral("0"));
    rig.focusGap(2);
    QCOMPARE(rig.ex().Label14->text(), QStringLiteral("3"));
    QCOMPARE(rig.ex().Label8->text(), QStringLiteral("2"));
}

void MainScreenTest::clickIntoAGapStartsAtTheMask()
{
    ScreenRig rig;
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

void MainScreenTest::arrowKeysJudgeEachEntryReached()
{
    ScreenRig rig;
    QVERIFY(rig.startLesson(QStringLiteral("Be\r\n1. I &am& here. He &is& there. We &are& home."), true, false,
                            QStringLiteral("3")));
    QComboBox *list = rig.ex().Combo1[2];
    QCOMPARE(list->count(), 3);
    rig.focusGap(2);
    QTest::keyClick(list, Qt::Key_Down); // "am"
    QCOMPARE(rig.ex().Label9->text(), QStringLiteral("-1"));
    QCOMPARE(list->palette().color(QPalette::Base), QColor(0xFF, 0xCC, 0xCC));
    QTest::keyClick(list, Qt::Key_Down); // "is"
    QCOMPARE(rig.soundNames(), (QStringList{"wrong.wav", "right.wav"}));
    QVERIFY(!list->isVisible());
    QCOMPARE(rig.ex().Label15[2]->text(), QStringLiteral("is"));
    QCOMPARE(rig.ex().Label15[2]->palette().color(QPalette::Window), QColor(0x00, 0xFF, 0xFF));
    QCOMPARE(rig.ex().Label15[2]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(rig.ex().Label9->text(), QStringLiteral("0"));
}

void MainScreenTest::lastGapEndsWithGradeAndSound()
{
    ScreenRig rig;
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    rig.typeAnswer(1, QStringLiteral("x"));
    rig.typeAnswer(1, QStringLiteral("y"));
    QVERIFY(rig.main().isVisible());
    rig.typeAnswer(2, QStringLiteral("live"));

    ResultsControls results = rig.res();
    QVERIFY(results.screen->isVisible());
    QVERIFY(!rig.main().isVisible());
    QCOMPARE(results.Label18->text(), QStringLiteral("-50"));
    QVERIFY(!results.Label19->text().isEmpty());
    QCOMPARE(rig.soundNames().last(), QStringLiteral("wickedlaugh.wav"));
}

void MainScreenTest::focusedGapScrollsIntoView_data()
{
    QTest::addColumn<bool>("magazine");
    QTest::newRow("typed gaps") << false;
    QTest::newRow("choice gaps") << true;
}

void MainScreenTest::focusedGapScrollsIntoView()
{
    QFETCH(bool, magazine);
    ScreenRig rig;
    // A second exercise: the screen's first showing no longer sets the bars' range.
    QVERIFY(rig.startLesson(kTwoGaps, magazine, false));
    rig.main().FinishExercise();
    QTest::mouseClick(rig.res().Command1, Qt::LeftButton);
    QVERIFY(rig.startLesson(lessonWithGaps(50), magazine, false));
    ExerciseControls &screen = rig.ex();
    QVERIFY(screen.InnerBox->height() > screen.OuterBox->height());
    // What the pupil sees of the viewport: the horizontal bar and the panel cover its foot.
    QRect seen = screen.OuterBox->geometry();
    seen.setBottom(std::min(screen.FlatScrollBar2->y(), screen.Frame1->y()) - 1);
    for (int g : {40, 20, 1, 33}) {
        rig.focusGap(g);
        const QRect inView(rig.gap(g)->mapTo(screen.screen, QPoint(0, 0)), rig.gap(g)->size());
        QVERIFY2(seen.contains(inView), qPrintable(QStringLiteral("gap %1").arg(g)));
        QCOMPARE(screen.InnerBox->y(), Units::Scale().toPixels(-screen.FlatScrollBar1->value()));
        QCOMPARE(screen.InnerBox->x(), Units::Scale().toPixels(-screen.FlatScrollBar2->value()));
    }
    // The bars move the page as the pupil drags them.
    screen.FlatScrollBar1->setValue(1000);
    QCOMPARE(screen.InnerBox->y(), Units::Scale().toPixels(-1000));
    // The last of fifty gaps has its answer label too.
    if (magazine)
        screen.Combo1[50]->setCurrentIndex(screen.Combo1[50]->findText(QStringLiteral("word50")));
    else
        rig.typeAnswer(50, QStringLiteral("word50"));
    QVERIFY(screen.Label15[50]->isVisible());
    QCOMPARE(screen.Label15[50]->text(), QStringLiteral("word50"));
}

void MainScreenTest::timeRunsOutOnTheSixtyFirstTick()
{
    ScreenRig rig;
    QVERIFY(rig.startLesson(kTwoGaps, true, false));
    rig.focusGap(1); // time up takes the focus from a gap that can no longer answer
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
    // Turning the time limit off for the next exercise empties the bar.
    QTest::mouseClick(rig.res().Command1, Qt::LeftButton);
    QTest::mouseClick(rig.ch().Command1, Qt::LeftButton);
    QCOMPARE(screen.ccrpProgressBar1->value(), 0);
}

void MainScreenTest::exitButtonEndsOnceAndStopsTheTimer()
{
    ScreenRig rig;
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

void MainScreenTest::generalHelpReturnsToItsOpener()
{
    ScreenRig rig;
    const auto openAndClose = [&rig](QWidget *opener, const char *entry) {
        opener->findChild<QAction *>(QLatin1String(entry))->trigger();
        QWidget *help = rig.shown(QStringLiteral("helpForm"));
        QVERIFY(help && !opener->isVisible());
        QTest::mouseClick(help->findChild<QPushButton *>(QStringLiteral("Command5")), Qt::LeftButton);
        QVERIFY(opener->isVisible());
    };
    openAndClose(rig.ch().screen, "Help1");
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    openAndClose(&rig.main(), "help1");
    QVERIFY(!rig.ch().screen->isVisible());
}

void MainScreenTest::grammarHelpShowsTheChosenPattern()
{
    ScreenRig rig;
    QVERIFY(QDir(rig.folder.path()).mkpath(QStringLiteral("data/help")));
    QFile topic(rig.folder.filePath(QStringLiteral("data/help/hlp605.rtf.txt")));
    QVERIFY(topic.open(QIODevice::WriteOnly) && topic.write("topic 605\r\n") > 0);
    topic.close();
    QVERIFY(rig.startLesson(kTwoGaps, false, false)); // a lesson of pattern 5
    QTest::mouseClick(rig.ex().Command2, Qt::LeftButton);
    QWidget *help = rig.shown(QStringLiteral("help4grammar"));
    QVERIFY(help);
    QCOMPARE(help->findChild<QListWidget *>(QStringLiteral("List1"))->item(0)->text(), QStringLiteral("topic 605"));
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
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    if (help == QLatin1String("help4grammar"))
        QTest::mouseClick(rig.ex().Command2, Qt::LeftButton);
    else
        rig.main().findChild<QAction *>(QStringLiteral("help1"))->trigger();
    QVERIFY(rig.shown(help));
    QVERIFY(!rig.main().isVisible());
    rig.state.TicksLeft = 0;
    rig.tick();
    QTest::qWait(10); // a destroyed help goes with the next turn of the event loop
    QVERIFY(!rig.shown(help));
    QVERIFY(rig.res().screen->isVisible());
    QVERIFY(!rig.main().isVisible());
    QVERIFY(!rig.ch().screen->isVisible());
}

void MainScreenTest::newExerciseQuestion_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("timeUpWhileOpen");
    QTest::newRow("yes ends with a grade") << true << false;
    QTest::newRow("no changes nothing") << false << false;
    QTest::newRow("time up while asking: the answer is too late") << true << true;
}

void MainScreenTest::newExerciseQuestion()
{
    QFETCH(bool, yes);
    QFETCH(bool, timeUpWhileOpen);
    ScreenRig rig;
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    rig.dialogs.answer = yes;
    if (timeUpWhileOpen) {
        rig.dialogs.whileOpen = [&rig] {
            rig.state.TicksLeft = 0;
            rig.tick();
        };
    }
    QTest::mouseClick(rig.ex().Command6, Qt::LeftButton);
    QCOMPARE(rig.dialogs.asked, QStringList{QStringLiteral(" ?האם ברצונך להתחיל תרגיל חדש")});
    QCOMPARE(rig.dialogs.closedDialogs, yes ? 1 : 0);
    QCOMPARE(rig.sound.played.size(), yes ? 1 : 0); // one end, one results sound
    QCOMPARE(rig.main().isVisible(), !yes);
    QCOMPARE(rig.shown(QStringLiteral("Results")) != nullptr, yes);
    if (yes)
        QVERIFY(rig.res().Command1->isVisible());
    else
        QVERIFY(rig.ex().Timer1->isActive());
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
    for (QLabel *l : screen.Label20)
        others << l;
    QList<QPair<QColor, QColor>> before;
    for (QWidget *w : others)
        before.append({w->palette().color(w->backgroundRole()), w->palette().color(w->foregroundRole())});

    const QColor chosen(200, 30, 90);
    rig.dialogs.colour = chosen;
    QTest::mouseClick(screen.Command5, Qt::LeftButton);
    QTest::mouseClick(screen.Command5, Qt::LeftButton);
    // The second opening is preset with the colour of the first.
    QCOMPARE(rig.dialogs.presets, (QList<QColor>{Qt::white, chosen}));
    for (QWidget *w : {static_cast<QWidget *>(screen.Text1[1]), static_cast<QWidget *>(screen.Label4[1]),
                       static_cast<QWidget *>(screen.Label9)}) {
        QCOMPARE(w->palette().color(w->backgroundRole()), chosen);
        QCOMPARE(w->palette().color(w->foregroundRole()), QColor(0, 255, 255)); // each channel on its own
    }
    for (int i = 0; i < others.size(); ++i) {
        QWidget *w = others.at(i);
        QCOMPARE(w->palette().color(w->backgroundRole()), before.at(i).first);
        QCOMPARE(w->palette().color(w->foregroundRole()), before.at(i).second);
    }
    // The screen's own background, where no control stands: below the help button.
    const QPoint empty(Units::Scale().toPixels(14400), Units::Scale().toPixels(8000));
    QCOMPARE(screen.screen->childAt(empty)->objectName(), QStringLiteral("MainCanvas"));
    QCOMPARE(screen.screen->grab().toImage().pixelColor(empty), chosen);
}

void MainScreenTest::typingIntoAChoiceListNeverJudges_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::newRow("an entry in other letters and Enter") << "LIVE" << int(Qt::Key_Return);
    QTest::newRow("the start of an entry and Tab") << "li" << int(Qt::Key_Tab);
    QTest::newRow("a whole entry and Tab") << "goes" << int(Qt::Key_Tab);
}

void MainScreenTest::typingIntoAChoiceListNeverJudges()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    ScreenRig rig;
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
    // A second exercise: the screen's first showing no longer sets the bars' range.
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    rig.main().FinishExercise();
    QTest::mouseClick(rig.res().Command1, Qt::LeftButton);
    // Text runs are 100 twips a character: the second gap stands far right, the first near the left.
    const QString row = QStringLiteral("1. A &x& ") + QString(170, QLatin1Char('y')) + QStringLiteral(" &z& end.");
    QVERIFY(rig.startLesson(QStringLiteral("Long row\r\n") + row, false, false));
    ExerciseControls &screen = rig.ex();
    for (int g : {2, 1, 2}) {
        rig.focusGap(g);
        QLineEdit *box = screen.Text1[g];
        const QRect inView(box->mapTo(screen.OuterBox, QPoint(0, 0)), box->size());
        QVERIFY2(screen.OuterBox->contentsRect().contains(inView), qPrintable(QStringLiteral("gap %1").arg(g)));
        QVERIFY(screen.InnerBox->rect().contains(box->geometry())); // the page holds the whole row
        QCOMPARE(screen.InnerBox->x(), Units::Scale().toPixels(-screen.FlatScrollBar2->value()));
    }
    screen.FlatScrollBar2->setValue(0);
    QCOMPARE(screen.InnerBox->x(), 0);
}

void MainScreenTest::choiceListShowsItsWholeMask()
{
    ScreenRig rig;
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
