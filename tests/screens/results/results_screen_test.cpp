#include "screen_rig.h"

#include "platform/random.h"
#include "screens/results/feedback.h"

class ResultsScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void messageIsTheOneTheDrawPicks_data();
    void messageIsTheOneTheDrawPicks();
    void windowCloseActsAsTheButtonOffered_data();
    void windowCloseActsAsTheButtonOffered();
    void backToTheChooserForASecondExercise();
};

void ResultsScreenTest::messageIsTheOneTheDrawPicks_data()
{
    QTest::addColumn<int>("pick");
    QTest::newRow("first message") << 0;
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
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
    rig.typeAnswer(1, QStringLiteral("x"));
    rig.typeAnswer(1, QStringLiteral("goes"));
    Random::seed(seed);
    rig.typeAnswer(2, QStringLiteral("live")); // grade 50: the band of ten messages
    QCOMPARE(rig.res().Label18->text(), QStringLiteral("50"));
    QCOMPARE(rig.res().Label19->text(), Feedback::messages(Feedback::Band::Low).at(pick));
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
    QVERIFY(rig.startLesson(kTwoGaps, false, false));
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

void ResultsScreenTest::backToTheChooserForASecondExercise()
{
    ScreenRig rig;
    rig.rows->texts[{5, 2}] = kTwoGaps;
    QVERIFY(rig.startLesson(lessonWithGaps(40), false, false));
    rig.typeAnswer(1, QStringLiteral("word1"));
    rig.focusGap(40);
    QVERIFY(rig.ex().FlatScrollBar1->value() > 0);
    rig.main().FinishExercise();
    QTest::mouseClick(rig.res().Command1, Qt::LeftButton);
    QVERIFY(rig.ch().screen->isVisible());
    QVERIFY(!rig.res().screen->isVisible());
    QCOMPARE(rig.ex().FlatScrollBar1->value(), 0);
    QCOMPARE(rig.ex().FlatScrollBar2->value(), 0);
    QCOMPARE(rig.ex().InnerBox->pos(), QPoint(0, 0));

    QVERIFY(rig.clickLesson(2));
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
