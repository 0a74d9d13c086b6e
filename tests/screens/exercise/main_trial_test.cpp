// The exercise screen as the lesson editor's Try it uses it.
#include "screen_rig.h"

#include <QApplication>
#include <QSignalSpy>

namespace {

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

} // namespace

class MainTrialTest : public QObject
{
    Q_OBJECT

private slots:
    void playsWithTheInitialSettingsWithoutTheChooser();
    void everyWayOutReturnsToTheEditor_data();
    void everyWayOutReturnsToTheEditor();
    void aLessonThatCannotBePlayedShowsNothing_data();
    void aLessonThatCannotBePlayedShowsNothing();
};

void MainTrialTest::playsWithTheInitialSettingsWithoutTheChooser()
{
    ScreenRig rig(ScreenRig::Start::Unloaded);
    rig.state.MagazineOn = rig.state.SignsOn = rig.state.TimeLimitOn = false;
    QCOMPARE(rig.main().tryLesson(kEntry, 3, kTwoGaps), QString());
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("Main")});
    ExerciseControls &screen = rig.ex();
    QCOMPARE(screen.Label19->text(), QStringLiteral("3 "));
    QCOMPARE(screen.Label21->text(), kEntry);
    QStringList settings;
    for (QLabel *setting : screen.Label20)
        settings << setting->text();
    QCOMPARE(settings, (QStringList{"1", "5", "1", "1"}));
    QCOMPARE(screen.Label14->text(), QStringLiteral("5"));
    // The three options on: choice gaps showing their masks, and the time running.
    QVERIFY(screen.Combo1[1]->isVisible() && screen.Combo1[1]->isEnabled());
    QCOMPARE(screen.Combo1[2]->currentText(), QStringLiteral("####"));
    QVERIFY(screen.Timer1->isActive());
    QCOMPARE(rig.state.GapCount, 2);
}

void MainTrialTest::everyWayOutReturnsToTheEditor_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("back on the results") << "back";
    QTest::newRow("results window closed") << "close results";
    QTest::newRow("leave button, then leave") << "leave";
    QTest::newRow("exercise window closed") << "close exercise";
    QTest::newRow("time up, then back") << "time";
}

void MainTrialTest::everyWayOutReturnsToTheEditor()
{
    QFETCH(QString, way);
    ScreenRig rig(ScreenRig::Start::Unloaded);
    QSignalSpy ended(&rig.main(), &Main::trialEnded);
    // The way out of the first round, then back on the results of a second one.
    for (int round = 1; round <= 2; ++round) {
        QCOMPARE(rig.main().tryLesson(kEntry, 3, kTwoGaps), QString());
        if (round == 2 || way == QLatin1String("back") || way == QLatin1String("close results")) {
            rig.chooseAnswer(1, QStringLiteral("goes"));
            rig.chooseAnswer(2, QStringLiteral("live"));
            QVERIFY(rig.res().Command1->isVisible()); // back is offered every round
            if (round == 2 || way == QLatin1String("back"))
                QTest::mouseClick(rig.res().Command1, Qt::LeftButton);
            else
                rig.res().screen->close();
        } else if (way == QLatin1String("leave")) {
            QTest::mouseClick(rig.ex().Command1, Qt::LeftButton);
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
        QVERIFY(!rig.ex().Timer1->isActive());
        QCOMPARE(rig.sound.closes, 0); // the program goes on
    }
}

void MainTrialTest::aLessonThatCannotBePlayedShowsNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("says");
    QTest::newRow("unclosed marker") << "Verbs\r\n1. She &goes to school." << "&";
    QTest::newRow("no gaps") << "Verbs\r\n1. She goes to school." << "אין מילים להשלים";
}

void MainTrialTest::aLessonThatCannotBePlayedShowsNothing()
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

QTEST_MAIN(MainTrialTest)
#include "main_trial_test.moc"
