#include "screen_rig.h"

#include "platform/random.h"
#include "screens/results/feedback.h"

class ResultsScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void messageIsTheOneTheDrawPicks_data();
    void messageIsTheOneTheDrawPicks();
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
    QVERIFY(!rig.main().isVisible());
    QCOMPARE(rig.res().Label18->text(), QStringLiteral("50"));
    QCOMPARE(rig.res().Label19->text(), Feedback::messages(Feedback::Band::Low).at(pick));
    QCOMPARE(rig.soundNames().last(), QStringLiteral("wickedlaugh.wav"));
}

QTEST_MAIN(ResultsScreenTest)
#include "results_screen_test.moc"
