#include "screen_rig.h"

#include "lessons/patterns.h"

#include <QFile>

namespace {

bool marked(QComboBox *field)
{
    const QColor c = field->palette().color(QPalette::Base);
    return c.red() >= 200 && c.green() < 200 && c.blue() < 200;
}

// blocked: the working file cannot be written, and nothing changes for it
struct PageCase { bool magazine, signs; QString shown; bool blocked; };

// broken: lesson 2, null when the store cannot be reached; patternClick: else a click on lesson 2
struct FailCase { QString broken; bool patternClick; QString says; };

} // namespace

Q_DECLARE_METATYPE(PageCase)
Q_DECLARE_METATYPE(FailCase)

class ChooseExerciseTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpKeysTogglesAndClose();
    void lessonClickBuildsThePage_data();
    void lessonClickBuildsThePage();
    void failedChoiceKeepsThePreviousExercise_data();
    void failedChoiceKeepsThePreviousExercise();
    void refusedStartKeepsTheChooser_data();
    void refusedStartKeepsTheChooser();
};

void ChooseExerciseTest::startUpKeysTogglesAndClose()
{
    ScreenRig rig;
    ChooserControls &chooser = rig.ch();
    QVERIFY(chooser.screen->isVisible() && !rig.main().isVisible());
    QStringList settings;
    for (QComboBox *picker : chooser.Combo2)
        settings << picker->currentText();
    QCOMPARE(settings, (QStringList{"1", "5", "1", "1"}));
    QVERIFY(!chooser.Command4->isEnabled());

    // Enter chooses in both lists.
    rig.rows->texts[{2, 1}] = QStringLiteral("Short forms\r\n1. &I'm& here.");
    chooser.List2->setFocus();
    chooser.List2->setCurrentRow(0);
    QTest::keyClick(chooser.List2, Qt::Key_Down);
    QCOMPARE(chooser.List1->count(), 0); // moving alone chooses nothing
    QTest::keyClick(chooser.List2, Qt::Key_Return);
    QTest::keyClick(chooser.List2, Qt::Key_Return); // the list is filled afresh, not added to
    QCOMPARE(rig.ex().Label21->text(), Patterns::patternEntry(2));
    QCOMPARE(chooser.List1->count(), 1);
    QCOMPARE(chooser.List1->item(0)->text(), Patterns::lessonEntry(1, QStringLiteral("Short forms\r\n")));
    chooser.List1->setFocus();
    chooser.List1->setCurrentRow(0);
    QTest::keyClick(chooser.List1, Qt::Key_Enter);
    QCOMPARE(int(rig.state.GapCount), 1);
    QVERIFY(chooser.Command4->isEnabled());

    QTest::mouseClick(chooser.Command1, Qt::LeftButton);
    QVERIFY(!rig.state.TimeLimitOn);
    QCOMPARE(chooser.Command1->text(), QStringLiteral("ללא מגבלת זמן"));
    QVERIFY(!chooser.Combo2[0]->isVisible());
    QTest::mouseClick(chooser.Command3, Qt::LeftButton);
    QVERIFY(!rig.state.SignsOn);
    QCOMPARE(chooser.Command3->text(), QStringLiteral("ללא סימנים"));
    QCOMPARE(rig.ex().Label2->text(), chooser.Command3->text());
    QTest::mouseClick(chooser.Command2, Qt::LeftButton);
    QVERIFY(!rig.state.MagazineOn);
    QCOMPARE(chooser.Command2->text(), QStringLiteral("ללא מחסנית"));

    // Closing the chooser ends the program.
    chooser.screen->close();
    QCOMPARE(rig.sound.closes, 1);
}

void ChooseExerciseTest::lessonClickBuildsThePage_data()
{
    QTest::addColumn<PageCase>("c");
    QTest::newRow("word bank with signs") << PageCase{true, true, "####", false};
    QTest::newRow("typed without signs") << PageCase{false, false, "", false};
    QTest::newRow("working folder not writable") << PageCase{true, true, "####", true};
}

void ChooseExerciseTest::lessonClickBuildsThePage()
{
    QFETCH(PageCase, c);
    const auto &[magazine, signs, shown, blocked] = c;

    ScreenRig rig;
    // Blocked: "data" is a file, so the working file cannot be written.
    QVERIFY(!blocked || writeFile(rig.folder.filePath(QStringLiteral("data")), "not a folder"));
    if (!magazine)
        QTest::mouseClick(rig.ch().Command2, Qt::LeftButton);
    if (!signs)
        QTest::mouseClick(rig.ch().Command3, Qt::LeftButton);
    QVERIFY(rig.chooseLesson(kTwoGaps));
    QVERIFY(rig.clickLesson(1)); // chosen again: the page is rebuilt, not added to

    ExerciseControls &screen = rig.ex();
    QCOMPARE(screen.Label19->text(), QStringLiteral("1 "));
    QCOMPARE(screen.Label4[0]->text(), QStringLiteral("Put in the verb\r\n"));
    QVERIFY(screen.Label4[0]->isVisibleTo(screen.InnerBox));
    const auto onPage = [&screen](QLabel *run) { return run->isVisibleTo(screen.InnerBox); };
    QCOMPARE(std::count_if(screen.Label4.begin() + 1, screen.Label4.end(), onPage), 4);
    for (int g = 1; g <= 2; ++g) {
        QVERIFY(screen.Text1[g]->isVisibleTo(screen.InnerBox) == !magazine);
        QVERIFY(screen.Combo1[g]->isVisibleTo(screen.InnerBox) == magazine);
        const QString text = magazine ? screen.Combo1[g]->currentText() : screen.Text1[g]->text();
        QCOMPARE(text, shown);
        QCOMPARE(screen.Combo1[g]->count(), 2); // the word bank
    }
    // The working file holds the lesson as read, if it can.
    QVERIFY(rig.dialogs.informed.isEmpty());
    QFile working(rig.folder.filePath(QLatin1String(blocked ? "data" : "data/lesson.txt")));
    QVERIFY(working.open(QIODevice::ReadOnly));
    const QByteArray written = working.readAll();
    QVERIFY(blocked ? written == "not a folder" : written.startsWith("Put in the verb\r\n1. She &goes&"));
}

void ChooseExerciseTest::failedChoiceKeepsThePreviousExercise_data()
{
    QTest::addColumn<FailCase>("c");
    const QString unreachable = QStringLiteral("ההתחברות לבסיס הנתונים לא הצליחה.");
    QTest::newRow("store unreachable at a pattern click") << FailCase{QString(), true, unreachable};
    QTest::newRow("store unreachable at a lesson click") << FailCase{QString(), false, unreachable};
    QTest::newRow("unpaired marker") << FailCase{"Heading\r\n1. She &goes to school.", false, "2"};
}

void ChooseExerciseTest::failedChoiceKeepsThePreviousExercise()
{
    QFETCH(FailCase, c);
    const auto &[broken, patternClick, says] = c;

    ScreenRig rig;
    rig.rows->texts[{5, 2}] = broken.isNull() ? kTwoGaps : broken;
    QVERIFY(rig.chooseLesson(kTwoGaps));
    const QString lesson = rig.ex().Label19->text();
    rig.rows->reachable = !broken.isNull();
    QVERIFY(patternClick ? rig.clickPattern(6) : rig.clickLesson(2));

    QCOMPARE(rig.dialogs.informed.size(), 1);
    QVERIFY2(rig.dialogs.informed.first().contains(says), qPrintable(rig.dialogs.informed.first()));
    QCOMPARE(rig.ch().List1->count(), 2);
    QCOMPARE(rig.ex().Label19->text(), lesson);
    QCOMPARE(rig.state.RightAnswers[1], QStringLiteral("goes"));
    if (!patternClick) // a pattern click empties the heading before it reads the store
        QCOMPARE(rig.ex().Label4[0]->text(), QStringLiteral("Put in the verb\r\n"));
    QVERIFY(rig.ex().Combo1[1]->isVisibleTo(rig.ex().InnerBox));
    QVERIFY(rig.ch().Command4->isEnabled());
}

void ChooseExerciseTest::refusedStartKeepsTheChooser_data()
{
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<int>("interval"); // 0: the timer does not run
    QTest::newRow("then half a minute") << "0.5" << 500;
    QTest::newRow("then no time at all") << "0" << 0;
}

void ChooseExerciseTest::refusedStartKeepsTheChooser()
{
    QFETCH(QString, minutes);
    QFETCH(int, interval);
    ScreenRig rig;
    rig.rows->texts[{5, 2}] = kTwoGaps;
    QVERIFY(rig.chooseLesson(QStringLiteral("Read only\r\n1. Nothing to fill in.")));
    rig.clickStart();
    QVERIFY(!rig.state.ExerciseRunning);
    QVERIFY(!rig.ch().SettingsHint->text().isEmpty()); // a lesson without gaps: no field to mend
    QVERIFY(rig.clickLesson(2));
    const QStringList settings{minutes, "0", "3", "0.5"};
    for (int i = 0; i < settings.size(); ++i)
        rig.setSetting(i, settings.at(i));
    rig.clickStart();
    QVERIFY(rig.ch().screen->isVisible() && !rig.main().isVisible() && !rig.state.ExerciseRunning);
    QVERIFY(marked(rig.ch().Combo2[1]));
    QVERIFY(!rig.ch().SettingsHint->text().isEmpty());
    for (int other : {0, 2, 3})
        QVERIFY(!marked(rig.ch().Combo2[other]));
    // Mended, the same Start goes ahead and sets the exercise up.
    rig.setSetting(1, QStringLiteral("4"));
    rig.clickStart();
    QVERIFY(rig.main().isVisible());
    QVERIFY(!marked(rig.ch().Combo2[1]));
    QVERIFY(!rig.ch().Command4->isEnabled());
    ExerciseControls &screen = rig.ex();
    QCOMPARE(screen.Timer1->isActive(), interval > 0);
    if (interval > 0)
        QCOMPARE(screen.Timer1->interval(), interval);
    QCOMPARE(screen.Label14->text(), QStringLiteral("4"));
    QCOMPARE(screen.settings(), (QStringList{minutes, "4", "3", "0.5"}));
}

QTEST_MAIN(ChooseExerciseTest)
#include "choose_exercise_test.moc"
