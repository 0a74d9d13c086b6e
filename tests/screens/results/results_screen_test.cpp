#include "screen_rig.h"

#include "platform/random.h"

#include "screens/results/feedback.h"


#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

const QString kLesson = QStringLiteral("Put in the verb\r\n1. She &goes& to school.\r\n2. They &live& in Haifa.");

} // namespace

class ResultsScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void messageComesFromTheGradesBand_data();
    void messageComesFromTheGradesBand();
    void messageIsTheOneTheDrawPicks_data();
    void messageIsTheOneTheDrawPicks();
    void backReturnsToTheChooserAtTheTop();
    void windowCloseActsAsTheButtonOffered_data();
    void windowCloseActsAsTheButtonOffered();
    void secondExerciseAfterBack();
};

void ResultsScreenTest::messageComesFromTheGradesBand_data()
{
    QTest::addColumn<QStringList>("answers"); // typed into gap 1, then gap 2 is answered right
    QTest::addColumn<int>("grade");
    QTest::newRow("full marks") << QStringList{"goes"} << 100;
    QTest::newRow("half") << QStringList{"x", "goes"} << 50;
    QTest::newRow("below zero") << QStringList{"x", "y"} << -50;
}

void ResultsScreenTest::messageComesFromTheGradesBand()
{
    QFETCH(QStringList, answers);
    QFETCH(int, grade);
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kLesson, false, false));
    for (const QString &answer : answers)
        rig.typeAnswer(1, answer);
    rig.typeAnswer(2, QStringLiteral("live"));
    ResultsControls results = rig.res();
    QCOMPARE(results.Label18->text().toInt(), grade);
    QVERIFY2(Feedback::messages(Feedback::bandOf(grade)).contains(results.Label19->text()),
             qPrintable(results.Label19->text()));
}

void ResultsScreenTest::messageIsTheOneTheDrawPicks_data()
{
    QTest::addColumn<int>("pick");
    QTest::newRow("first message") << 0;
    QTest::newRow("fifth message") << 4;
    QTest::newRow("last message") << 9;
}

void ResultsScreenTest::messageIsTheOneTheDrawPicks()
{
    QFETCH(int, pick);
    // A seed whose first draw picks that message of the ten.
    unsigned seed = 1;
    for (;; ++seed) {
        Random::seed(seed);
        if (int(Random::uniform() * 10) == pick)
            break;
    }
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kLesson, false, false));
    rig.typeAnswer(1, QStringLiteral("x"));
    rig.typeAnswer(1, QStringLiteral("goes"));
    Random::seed(seed);
    rig.typeAnswer(2, QStringLiteral("live")); // grade 50: the band of ten messages
    QCOMPARE(rig.res().Label18->text(), QStringLiteral("50"));
    QCOMPARE(rig.res().Label19->text(), Feedback::messages(Feedback::Band::Low).at(pick));
}

void ResultsScreenTest::backReturnsToTheChooserAtTheTop()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(lessonWithGaps(40), false, false));
    rig.focusGap(40);
    QVERIFY(rig.ex().FlatScrollBar1->value() > 0);
    rig.main().FinishExercise();
    QTest::mouseClick(rig.res().Command1, Qt::LeftButton);
    QVERIFY(rig.ch().screen->isVisible());
    QVERIFY(!rig.res().screen->isVisible());
    QCOMPARE(rig.ex().FlatScrollBar1->value(), 0);
    QCOMPARE(rig.ex().FlatScrollBar2->value(), 0);
    QCOMPARE(rig.ex().InnerBox->pos(), QPoint(0, 0));
}

void ResultsScreenTest::windowCloseActsAsTheButtonOffered_data()
{
    QTest::addColumn<bool>("throughExitButton");
    QTest::newRow("after the last gap: back") << false;
    QTest::newRow("after the exit button: leave") << true;
}

void ResultsScreenTest::windowCloseActsAsTheButtonOffered()
{
    QFETCH(bool, throughExitButton);
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kLesson, false, false));
    if (throughExitButton) {
        QTest::mouseClick(rig.ex().Command1, Qt::LeftButton);
    } else {
        rig.typeAnswer(1, QStringLiteral("goes"));
        rig.typeAnswer(2, QStringLiteral("live"));
    }
    rig.res().screen->close();
    QCOMPARE(rig.ch().screen->isVisible(), !throughExitButton);
    QCOMPARE(rig.sound.closes, throughExitButton ? 1 : 0);
}

void ResultsScreenTest::secondExerciseAfterBack()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kLesson, false, false));
    rig.typeAnswer(1, QStringLiteral("goes"));
    rig.typeAnswer(2, QStringLiteral("live"));
    QTest::mouseClick(rig.res().Command1, Qt::LeftButton);
    QVERIFY(rig.clickLesson(1));
    rig.clickStart();
    QVERIFY(rig.main().isVisible());
    QCOMPARE(rig.ex().Label9->text(), QStringLiteral("0"));
    QVERIFY(!rig.ex().Label15[1]->isVisible());
    rig.typeAnswer(1, QStringLiteral("goes"));
    rig.typeAnswer(2, QStringLiteral("live"));
    QCOMPARE(rig.res().Label18->text(), QStringLiteral("100"));
}

QTEST_MAIN(ResultsScreenTest)
#include "results_screen_test.moc"
