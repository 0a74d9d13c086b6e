#include "screen_rig.h"

#include "lessons/patterns.h"
#include "platform/program_store.h"

#include "screens/units.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>

namespace {

const QString kLesson = QStringLiteral("Put in the verb\r\n1. She &goes& to school.\r\n2. They &live& in Haifa.");

bool marked(QComboBox *field)
{
    const QColor c = field->palette().color(QPalette::Base);
    return c.red() >= 200 && c.green() < 200 && c.blue() < 200;
}

} // namespace

class ChooseExerciseTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpShowsOnlyTheChooser();
    void patternClickListsLessons();
    void patternClickOnTheAccessFixture();
    void enterChoosesInBothLists();
    void pagePlacementOnTheWidgets_data();
    void pagePlacementOnTheWidgets();
    void pageFrameNeverNarrows();
    void startSetsTheExerciseUp_data();
    void startSetsTheExerciseUp();
    void workingFileIsBestEffort();
    void closingTheExerciseScreenEndsTheProgram();
    void unreachableStoreKeepsEverything_data();
    void unreachableStoreKeepsEverything();
    void lessonClickBuildsThePage_data();
    void lessonClickBuildsThePage();
    void refusedLessonKeepsThePreviousExercise_data();
    void refusedLessonKeepsThePreviousExercise();
    void settings_data();
    void settings();
    void lessonWithoutGapsCannotStart();
    void togglesChangeCaptions();
    void timeOfZeroNeverTicks();
    void exitReleasesTheSoundDevice();
};

void ChooseExerciseTest::startUpShowsOnlyTheChooser()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.ch().screen->isVisible());
    QVERIFY(!rig.main().isVisible());
    QStringList entries;
    for (int row = 0; row < rig.ch().List2->count(); ++row)
        entries << rig.ch().List2->item(row)->text();
    QCOMPARE(entries, Patterns::patternListEntries());
    for (QComboBox *picker : rig.ch().Combo2) {
        QCOMPARE(picker->count(), 20);
        QCOMPARE(picker->itemText(0), QStringLiteral("1"));
        QCOMPARE(picker->itemText(19), QStringLiteral("20"));
    }
    QVERIFY(!rig.ch().Command4->isEnabled());
    QCOMPARE(rig.state.TicksLeft, 0);
    QCOMPARE(rig.ch().Command1->text(), QStringLiteral("עם מגבלת זמן"));
    QCOMPARE(rig.ch().Command2->text(), QStringLiteral("עם מחסנית"));
    QCOMPARE(rig.ch().Command3->text(), QStringLiteral("עם סימנים"));
    QStringList settings;
    for (QComboBox *picker : rig.ch().Combo2)
        settings << picker->currentText();
    QCOMPARE(settings, (QStringList{"1", "5", "1", "1"}));
}

void ChooseExerciseTest::patternClickListsLessons()
{
    ScreenRig rig;
    rig.rows->texts[{21, 3}] = QStringLiteral("השלם את המילים\r\n1. &a& b");
    rig.rows->texts[{21, 1}] = QStringLiteral("First\r\n1. &a& b");
    rig.rows->texts[{21, 2}] = QString(); // an empty text is no lesson
    rig.rows->texts[{22, 1}] = QStringLiteral("Other pattern\r\n1. &a&");
    rig.load();
    QVERIFY(rig.clickPattern(21));
    QListWidget *lessons = rig.ch().List1;
    QCOMPARE(lessons->count(), 2);
    QCOMPARE(lessons->item(0)->text(), Patterns::lessonEntry(1, QStringLiteral("First\r\n")));
    QCOMPARE(lessons->item(1)->text(), Patterns::lessonEntry(3, QStringLiteral("השלם את המילים\r\n")));
    QCOMPARE(rig.ex().Label21->text(), Patterns::patternEntry(21));
}

void ChooseExerciseTest::enterChoosesInBothLists()
{
    ScreenRig rig;
    rig.rows->texts[{2, 1}] = QStringLiteral("Short forms\r\n1. &I'm& here.");
    rig.load();
    QListWidget *patterns = rig.ch().List2;
    patterns->setFocus();
    patterns->setCurrentRow(0);
    QTest::keyClick(patterns, Qt::Key_Down);
    QCOMPARE(rig.ch().List1->count(), 0); // moving alone chooses nothing
    QTest::keyClick(patterns, Qt::Key_Return);
    QCOMPARE(rig.ex().Label21->text(), Patterns::patternEntry(2));
    QCOMPARE(rig.ch().List1->count(), 1);

    QListWidget *lessons = rig.ch().List1;
    lessons->setFocus();
    lessons->setCurrentRow(0);
    QTest::keyClick(lessons, Qt::Key_Enter);
    QCOMPARE(int(rig.state.GapCount), 1);
    QVERIFY(rig.ch().Command4->isEnabled());
}

void ChooseExerciseTest::patternClickOnTheAccessFixture()
{
    QTemporaryDir program;
    QVERIFY(QFile::copy(QStringLiteral(CLOZE_FIXTURES_DIR "/db1.mdb"), program.filePath(QStringLiteral("db1.mdb"))));
    const QString folder = program.path();
    ScreenRig rig([folder] { return Lessons::programLessonStore(folder); });
    rig.load();

    auto lessonNumbers = [&rig] {
        QList<int> numbers;
        for (int row = 0; row < rig.ch().List1->count(); ++row)
            numbers << Patterns::lessonNumberFromEntry(rig.ch().List1->item(row)->text());
        return numbers;
    };
    QVERIFY(rig.clickPattern(17));
    QCOMPARE(lessonNumbers(), (QList<int>{1, 2, 4})); // a hole in the numbering
    QCOMPARE(rig.ex().Label21->text(), Patterns::patternEntry(17));
    QVERIFY(rig.clickPattern(18));
    QCOMPARE(lessonNumbers(), QList<int>{2}); // a null and an empty text are no lessons
    QVERIFY(rig.clickPattern(24));
    QCOMPARE(lessonNumbers(), (QList<int>{1, 2, 3}));
    QVERIFY(rig.clickLesson(1));
    QCOMPARE(rig.state.RightAnswers[1], QStringLiteral("play"));
    QVERIFY(rig.dialogs.informed.isEmpty());
}

void ChooseExerciseTest::pagePlacementOnTheWidgets_data()
{
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<int>("runs");           // text runs shown besides the heading
    QTest::addColumn<QList<int>>("gapLefts"); // in twips, the fixed measure of the rig

    // Heading at 120 twips; runs are 100 twips a character; typed gaps (2 + 2) 130 wide.
    QTest::newRow("run, gap, run") << "Head\r\n1. I &am& a pupil." << 2 << QList<int>{120 + 500};
    QTest::newRow("gap after a single blank") << "Head\r\n1. &am& &is&" << 2 << QList<int>{120 + 300, 120 + 300 + 520};
}

void ChooseExerciseTest::pagePlacementOnTheWidgets()
{
    QFETCH(QString, lesson);
    QFETCH(int, runs);
    QFETCH(QList<int>, gapLefts);

    ScreenRig rig;
    rig.rows->texts[{5, 1}] = lesson;
    rig.load();
    QTest::mouseClick(rig.ch().Command2, Qt::LeftButton); // typed gaps
    QVERIFY(rig.clickPattern(5));
    QVERIFY(rig.clickLesson(1));
    ExerciseControls &screen = rig.ex();
    int shownRuns = 0;
    for (int i = 1; i < 100; ++i)
        shownRuns += screen.Label4[i]->isVisibleTo(screen.InnerBox);
    QCOMPARE(shownRuns, runs);
    for (int g = 1; g <= gapLefts.size(); ++g) {
        QCOMPARE(screen.Text1[g]->x(), Units::Scale().toPixels(gapLefts[g - 1]));
        QCOMPARE(screen.Text1[g]->y(), screen.Label4[1]->y());
    }
}

void ChooseExerciseTest::pageFrameNeverNarrows()
{
    ScreenRig rig;
    rig.rows->texts[{5, 1}] = QStringLiteral("Head\r\n1. ") + QString(200, QLatin1Char('x')) + QStringLiteral(" &a&");
    rig.rows->texts[{5, 2}] = QStringLiteral("Head\r\n1. &a&\r\n2. &b&\r\n3. &c&");
    rig.load();
    QVERIFY(rig.clickPattern(5));
    QVERIFY(rig.clickLesson(1));
    const int wide = rig.ex().InnerBox->width();
    QVERIFY(wide >= Units::Scale().toPixels(200 * ScreenRig::kTwipsPerCharacter));
    QVERIFY(rig.clickLesson(2));
    QCOMPARE(rig.ex().InnerBox->width(), wide);
    // Three lines end the page at the fourth row's top: (0.45 * 4 + 0.63) heading heights.
    const int headingTwips = Units::Scale().fromPixels(rig.ex().Label4[0]->height());
    QCOMPARE(rig.ex().InnerBox->height(),
             Units::Scale().toPixels(int(std::lround(Units::Scale().fromPixels(rig.ex().Label4[0]->y()) + 2.43 * headingTwips))));
}

void ChooseExerciseTest::startSetsTheExerciseUp_data()
{
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<int>("interval"); // 0: the timer does not run
    QTest::newRow("two minutes") << "2" << 2000;
    QTest::newRow("half a minute") << "0.5" << 500;
    QTest::newRow("no time at all") << "0" << 0;
}

void ChooseExerciseTest::startSetsTheExerciseUp()
{
    QFETCH(QString, minutes);
    QFETCH(int, interval);

    ScreenRig rig;
    rig.load();
    rig.setSetting(0, minutes);
    rig.setSetting(2, QStringLiteral("3"));
    rig.setSetting(3, QStringLiteral("0.5"));
    QVERIFY(rig.startLesson(kLesson, true, true, QStringLiteral("4")));
    ExerciseControls &screen = rig.ex();
    QCOMPARE(screen.Timer1->isActive(), interval > 0);
    if (interval > 0)
        QCOMPARE(screen.Timer1->interval(), interval);
    QCOMPARE(rig.state.TicksLeft, 60);
    QCOMPARE(rig.state.Credit, 3);
    QCOMPARE(screen.Label14->text(), QStringLiteral("4"));
    const QStringList shown{screen.Label20[0]->text(), screen.Label20[1]->text(), screen.Label20[2]->text(),
                            screen.Label20[3]->text()};
    QCOMPARE(shown, (QStringList{minutes, "4", "3", "0.5"}));
    for (int g = 0; g < Variables::kSlots; ++g)
        QCOMPARE(int(rig.state.TriesLeft[g]), 4);
    QVERIFY(!rig.ch().Command4->isEnabled());
}

void ChooseExerciseTest::workingFileIsBestEffort()
{
    ScreenRig rig;
    rig.rows->texts[{5, 1}] = kLesson;
    // "data" is a file here, so the working file cannot be written.
    QFile blocker(rig.folder.filePath(QStringLiteral("data")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();
    rig.load();
    QVERIFY(rig.clickPattern(5));
    QVERIFY(rig.clickLesson(1));
    QCOMPARE(rig.state.GapCount, 2);
    QVERIFY(rig.dialogs.informed.isEmpty());
    QVERIFY(rig.ch().Command4->isEnabled());
    QVERIFY(blocker.open(QIODevice::ReadOnly));
    QCOMPARE(blocker.readAll(), QByteArray("not a folder"));
}

void ChooseExerciseTest::closingTheExerciseScreenEndsTheProgram()
{
    ScreenRig rig;
    rig.load();
    QVERIFY(rig.startLesson(kLesson, false, false));
    rig.main().close();
    QCOMPARE(rig.sound.closes, 1);
}

void ChooseExerciseTest::unreachableStoreKeepsEverything_data()
{
    QTest::addColumn<bool>("atLessonClick");
    QTest::newRow("pattern click") << false;
    QTest::newRow("lesson click") << true;
}

void ChooseExerciseTest::unreachableStoreKeepsEverything()
{
    QFETCH(bool, atLessonClick);
    ScreenRig rig;
    rig.rows->texts[{5, 1}] = kLesson;
    rig.rows->texts[{5, 2}] = kLesson;
    rig.load();
    QVERIFY(rig.clickPattern(5));
    QVERIFY(rig.clickLesson(1));
    const QString lessonLabel = rig.ex().Label19->text();
    rig.rows->reachable = false;
    if (atLessonClick)
        QVERIFY(rig.clickLesson(2));
    else
        QVERIFY(rig.clickPattern(6));
    QCOMPARE(rig.dialogs.informed, QStringList{QStringLiteral("ההתחברות לבסיס הנתונים לא הצליחה.")});
    QCOMPARE(rig.ch().List1->count(), 2);
    QCOMPARE(rig.ex().Label19->text(), lessonLabel);
    QVERIFY(rig.ex().Combo1[1]->isVisibleTo(rig.ex().InnerBox));
}

void ChooseExerciseTest::lessonClickBuildsThePage_data()
{
    QTest::addColumn<bool>("magazine");
    QTest::addColumn<bool>("signs");
    QTest::addColumn<QString>("shown");

    QTest::newRow("word bank with signs") << true << true << "####";
    QTest::newRow("word bank without signs") << true << false << "";
    QTest::newRow("typed with signs") << false << true << "####";
    QTest::newRow("typed without signs") << false << false << "";
}

void ChooseExerciseTest::lessonClickBuildsThePage()
{
    QFETCH(bool, magazine);
    QFETCH(bool, signs);
    QFETCH(QString, shown);

    ScreenRig rig;
    rig.rows->texts[{5, 1}] = kLesson;
    rig.load();
    if (!magazine)
        QTest::mouseClick(rig.ch().Command2, Qt::LeftButton);
    if (!signs)
        QTest::mouseClick(rig.ch().Command3, Qt::LeftButton);
    QVERIFY(rig.clickPattern(5));
    QVERIFY(rig.clickLesson(1));

    ExerciseControls &screen = rig.ex();
    QCOMPARE(screen.Label4[0]->text(), QStringLiteral("Put in the verb\r\n"));
    QCOMPARE(rig.state.GapCount, 2);
    QVERIFY(rig.ch().Command4->isEnabled());
    for (int g = 1; g <= 2; ++g) {
        QVERIFY(screen.Text1[g]->isVisibleTo(screen.InnerBox) == !magazine);
        QVERIFY(screen.Combo1[g]->isVisibleTo(screen.InnerBox) == magazine);
        const QString text = magazine ? screen.Combo1[g]->currentText() : screen.Text1[g]->text();
        QCOMPARE(text, shown);
    }
    // Both gaps sit on their own rows, below the heading and in reading order.
    QVERIFY(screen.Label4[0]->geometry().bottom() <= rig.gap(1)->y() + rig.gap(1)->height());
    QVERIFY(rig.gap(1)->y() < rig.gap(2)->y());
    // The working file holds the lesson as read.
    QFile working(rig.folder.filePath(QStringLiteral("data/lesson.txt")));
    QVERIFY(working.open(QIODevice::ReadOnly));
    QVERIFY(working.readAll().startsWith("Put in the verb\r\n1. She &goes&"));
}

void ChooseExerciseTest::refusedLessonKeepsThePreviousExercise_data()
{
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QString>("says");

    QTest::newRow("unpaired marker") << "Heading\r\n1. She &goes to school." << "2";
    QTest::newRow("fifty-one gaps") << lessonWithGaps(51) << "50";
    QTest::newRow("gap above the text") << "Head &x&\r\n1. She &goes& to school." << "&";
    QTest::newRow("line too long for the page") << "Head\r\n1. &a& " + QString(400, QLatin1Char('x')) << "2";
}

void ChooseExerciseTest::refusedLessonKeepsThePreviousExercise()
{
    QFETCH(QString, broken);
    QFETCH(QString, says);

    ScreenRig rig;
    rig.rows->texts[{5, 1}] = kLesson;
    rig.rows->texts[{5, 2}] = broken;
    rig.load();
    QVERIFY(rig.clickPattern(5));
    QVERIFY(rig.clickLesson(1));
    const QString lesson = rig.ex().Label19->text();
    QVERIFY(rig.clickLesson(2));

    QCOMPARE(rig.dialogs.informed.size(), 1);
    QVERIFY2(rig.dialogs.informed.first().contains(says), qPrintable(rig.dialogs.informed.first()));
    QCOMPARE(rig.ex().Label19->text(), lesson);
    QCOMPARE(rig.state.GapCount, 2);
    QCOMPARE(rig.state.RightAnswers[1], QStringLiteral("goes"));
    QCOMPARE(rig.ex().Label4[0]->text(), QStringLiteral("Put in the verb\r\n"));
    QVERIFY(rig.ex().Combo1[1]->isVisibleTo(rig.ex().InnerBox));
    QVERIFY(rig.ch().Command4->isEnabled());
}

void ChooseExerciseTest::settings_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("time with blanks") << 0 << " 2 " << true;
    QTest::newRow("time with a point") << 0 << "1.5" << true;
    QTest::newRow("time empty") << 0 << "" << false;
    QTest::newRow("time negative") << 0 << "-1" << false;
    QTest::newRow("time in letters") << 0 << "ten" << false;
    QTest::newRow("time too long for the timer") << 0 << "100000000" << false;
    QTest::newRow("attempts rounded to 2") << 1 << "2.5" << true;
    QTest::newRow("attempts 0") << 1 << "0" << false;
    QTest::newRow("attempts rounding to 0") << 1 << "0.4" << false;
    QTest::newRow("attempts highest") << 1 << "32767" << true;
    QTest::newRow("attempts beyond 16 bits") << 1 << "32768" << false;
    QTest::newRow("credit empty") << 2 << "" << false;
    QTest::newRow("credit negative") << 2 << "-3" << false;
    QTest::newRow("debit 0") << 3 << "0" << true;
    QTest::newRow("debit a fraction") << 3 << "0.25" << true;
    QTest::newRow("debit negative") << 3 << "-1" << false;
    QTest::newRow("debit with a comma") << 3 << "0,5" << false;
}

void ChooseExerciseTest::settings()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, accepted);

    ScreenRig rig;
    rig.rows->texts[{5, 1}] = kLesson;
    rig.load();
    QVERIFY(rig.clickPattern(5));
    QVERIFY(rig.clickLesson(1));
    rig.setSetting(field, text);
    rig.clickStart();

    QCOMPARE(rig.main().isVisible(), accepted);
    QCOMPARE(rig.ch().screen->isVisible(), !accepted);
    QCOMPARE(rig.state.ExerciseRunning, accepted);
    if (!accepted) {
        QVERIFY(marked(rig.ch().Combo2[field]));
        QVERIFY(!rig.ch().SettingsHint->text().isEmpty());
        for (int other = 0; other < 4; ++other) {
            if (other != field)
                QVERIFY(!marked(rig.ch().Combo2[other]));
        }
        // Mended, the same Start goes ahead.
        rig.setSetting(field, QStringLiteral("3"));
        rig.clickStart();
        QVERIFY(rig.main().isVisible());
        QVERIFY(!marked(rig.ch().Combo2[field]));
    }
}

void ChooseExerciseTest::lessonWithoutGapsCannotStart()
{
    ScreenRig rig;
    rig.rows->texts[{5, 1}] = QStringLiteral("Read only\r\n1. Nothing to fill in.");
    rig.load();
    QVERIFY(rig.clickPattern(5));
    QVERIFY(rig.clickLesson(1));
    rig.clickStart();
    QVERIFY(rig.ch().screen->isVisible());
    QVERIFY(!rig.main().isVisible());
    QVERIFY(!rig.state.ExerciseRunning);
    QVERIFY(!rig.ch().SettingsHint->text().isEmpty());
}

void ChooseExerciseTest::togglesChangeCaptions()
{
    ScreenRig rig;
    rig.load();
    ChooserControls &chooser = rig.ch();
    const QString timeOn = chooser.Command1->text();
    QTest::mouseClick(chooser.Command1, Qt::LeftButton);
    QVERIFY(!rig.state.TimeLimitOn);
    QCOMPARE(chooser.Command1->text(), QStringLiteral("ללא מגבלת זמן"));
    QVERIFY(!chooser.Combo2[0]->isVisible());
    QTest::mouseClick(chooser.Command1, Qt::LeftButton);
    QCOMPARE(chooser.Command1->text(), timeOn);
    QVERIFY(chooser.Combo2[0]->isVisible());

    QTest::mouseClick(chooser.Command3, Qt::LeftButton);
    QVERIFY(!rig.state.SignsOn);
    QCOMPARE(chooser.Command3->text(), QStringLiteral("ללא סימנים"));
    QCOMPARE(rig.ex().Label2->text(), chooser.Command3->text());
    QTest::mouseClick(chooser.Command2, Qt::LeftButton);
    QVERIFY(!rig.state.MagazineOn);
    QVERIFY(chooser.Command2->text() != QStringLiteral("עם מחסנית"));
}

void ChooseExerciseTest::timeOfZeroNeverTicks()
{
    ScreenRig rig;
    rig.load();
    rig.setSetting(0, QStringLiteral("0"));
    QVERIFY(rig.startLesson(kLesson, false, false));
    QVERIFY(!rig.ex().Timer1->isActive());
    QCOMPARE(rig.ex().Label20[0]->text(), QStringLiteral("0"));
}

void ChooseExerciseTest::exitReleasesTheSoundDevice()
{
    ScreenRig rig;
    rig.load();
    rig.ch().screen->close();
    QCOMPARE(rig.sound.closes, 1);
}

QTEST_MAIN(ChooseExerciseTest)
#include "choose_exercise_test.moc"
