#include "screens/help/help4grammar.h"
#include "state/variables.h"

#include "help_test_folder.h"

#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

namespace {

QStringList entries(const QWidget *help)
{
    QStringList lines;
    const auto *list = help->findChild<QListWidget *>(QStringLiteral("List1"));
    for (int i = 0; list && i < list->count(); ++i)
        lines.append(list->item(i)->text());
    return lines;
}

QString topic(int number)
{
    return QStringLiteral("data/help/hlp%1.rtf.txt").arg(number);
}

void destroyClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class Help4GrammarTest : public QObject
{
    Q_OBJECT

private:
    Variables state;
    QWidget exercise;

    void reset()
    {
        state = Variables();
        exercise.resize(1024, 768);
        exercise.hide();
    }

    // Opens the help as the exercise screen does: hide itself, create, show.
    QPointer<help4grammar> open(const QString &entry, const QString &folder)
    {
        exercise.hide();
        QPointer<help4grammar> help = new help4grammar(state, &exercise, entry, folder);
        help->show();
        return help;
    }

private slots:
    void readsTheTopicOfTheSelectedPattern_data();
    void readsTheTopicOfTheSelectedPattern();
    void fileContents_data();
    void fileContents();
    void fourLinesStayFourAfterReopening();
    void followsThePatternSelectedAtOpening();
    void closingDestroysAndShowsTheExercise_data();
    void closingDestroysAndShowsTheExercise();
    void dismissDestroysAndShowsNothing();
    void scalesByTheExerciseScreen_data();
    void scalesByTheExerciseScreen();
};

void Help4GrammarTest::readsTheTopicOfTheSelectedPattern_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("pattern 6") << QStringLiteral("6  wh questions") << QStringList{"topic 606"};
    QTest::newRow("pattern 33") << QStringLiteral("33  going to") << QStringList{"topic 633"};
    QTest::newRow("pattern 1") << QStringLiteral("1  opposites,be,have,pronouns,plurals,i-my,you-your,a,an,some,any")
                               << QStringList{"topic 601"};
    QTest::newRow("pattern 13") << QStringLiteral("13  singular into plural, plural into singular")
                                << QStringList{"topic 613"};
    QTest::newRow("pattern 27, name with a leading blank") << QStringLiteral("27   present simple - iterrogative")
                                                           << QStringList{"topic 627"};
    // hlp600 exists too: no pattern must not be read as pattern 0.
    QTest::newRow("no pattern selected") << QString() << QStringList{};
    QTest::newRow("pattern without a topic file") << QStringLiteral("24  present simple - positive") << QStringList{};
}

void Help4GrammarTest::readsTheTopicOfTheSelectedPattern()
{
    QFETCH(QString, entry);
    QFETCH(QStringList, expected);
    reset();
    HelpTestFolder working;
    for (int number : {600, 601, 606, 613, 627, 633, 660, 663})
        QVERIFY(working.write(topic(number), QStringLiteral("topic %1\r\n").arg(number).toUtf8()));

    QPointer<help4grammar> help = open(entry, working.path());
    QCOMPARE(entries(help), expected);
    help->dismiss();
    destroyClosedWindows();
}

void Help4GrammarTest::fileContents_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("asFolder");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("windows-1255 Hebrew") << QByteArray("\xe3\xe5\xe2\xee\xe0\xe5\xfa\r\nI am.\r\n") << false
                                         << QStringList{QStringLiteral("דוגמאות"), QStringLiteral("I am.")};
    QTest::newRow("utf-8 Hebrew") << QByteArray("\xd7\x93\xd7\x95\xd7\x92\xd7\x9e\xd7\x90\xd7\x95\xd7\xaa\r\n") << false
                                  << QStringList{QStringLiteral("דוגמאות")};
    QTest::newRow("empty middle line") << QByteArray("a\r\n\r\nc\r\n") << false << QStringList{"a", "", "c"};
    QTest::newRow("a folder of that name") << QByteArray() << true << QStringList{};
    QTest::newRow("missing file") << QByteArray() << false << QStringList{};
}

void Help4GrammarTest::fileContents()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, asFolder);
    QFETCH(QStringList, expected);
    reset();
    HelpTestFolder working;
    if (asFolder)
        QVERIFY(working.makeFolder(topic(617)));
    else if (!content.isEmpty())
        QVERIFY(working.write(topic(617), content));

    QPointer<help4grammar> help = open(QStringLiteral("17  present progressive - positive"), working.path());
    QCOMPARE(entries(help), expected);
    // The window opens and closes normally whatever the file held.
    QTest::mouseClick(help->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    destroyClosedWindows();
    QVERIFY(help.isNull());
    QVERIFY(exercise.isVisible());
}

void Help4GrammarTest::fourLinesStayFourAfterReopening()
{
    reset();
    HelpTestFolder working;
    QVERIFY(working.write(topic(606), "one\r\ntwo\r\nthree\r\nfour\r\n"));
    const QStringList four{"one", "two", "three", "four"};

    for (int opening = 1; opening <= 3; ++opening) {
        QPointer<help4grammar> help = open(QStringLiteral("6  wh questions"), working.path());
        QCOMPARE(entries(help), four);
        QTest::mouseClick(help->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        destroyClosedWindows();
    }
}

void Help4GrammarTest::followsThePatternSelectedAtOpening()
{
    reset();
    HelpTestFolder working;
    QVERIFY(working.write(topic(606), "six\r\n"));
    QVERIFY(working.write(topic(633), "thirty-three\r\n"));

    QPointer<help4grammar> first = open(QStringLiteral("6  wh questions"), working.path());
    QCOMPARE(entries(first), QStringList{"six"});
    first->dismiss();
    destroyClosedWindows();

    // A changed file is read again at the next opening, too.
    QVERIFY(working.write(topic(606), "six again\r\n"));
    QPointer<help4grammar> second = open(QStringLiteral("33  going to"), working.path());
    QCOMPARE(entries(second), QStringList{"thirty-three"});
    second->dismiss();
    destroyClosedWindows();

    QPointer<help4grammar> third = open(QStringLiteral("6  wh questions"), working.path());
    QCOMPARE(entries(third), QStringList{"six again"});
    third->dismiss();
    destroyClosedWindows();
}

void Help4GrammarTest::closingDestroysAndShowsTheExercise_data()
{
    QTest::addColumn<bool>("byWindow");

    QTest::newRow("close button") << false;
    QTest::newRow("window manager") << true;
}

void Help4GrammarTest::closingDestroysAndShowsTheExercise()
{
    QFETCH(bool, byWindow);
    reset();
    HelpTestFolder working;
    QPointer<help4grammar> help = open(QStringLiteral("6  wh questions"), working.path());
    QVERIFY(QTest::qWaitForWindowExposed(help.data()));
    QCOMPARE(help->objectName(), QStringLiteral("help4grammar"));
    QCOMPARE(help->findChild<QPushButton *>(QStringLiteral("Command1"))->text(), QStringLiteral("סגור"));

    if (byWindow)
        help->windowHandle()->close();
    else
        QTest::mouseClick(help->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(help.isNull() || !help->isVisible());
    destroyClosedWindows();
    QVERIFY(help.isNull());
    QVERIFY(exercise.isVisible());
}

void Help4GrammarTest::dismissDestroysAndShowsNothing()
{
    reset();
    HelpTestFolder working;
    QPointer<help4grammar> help = open(QStringLiteral("6  wh questions"), working.path());
    help->dismiss();
    destroyClosedWindows();
    QVERIFY(help.isNull());
    QVERIFY(!exercise.isVisible());
}

void Help4GrammarTest::scalesByTheExerciseScreen_data()
{
    QTest::addColumn<QSize>("exercisePixels");
    QTest::addColumn<int>("viewWidth");
    QTest::addColumn<int>("viewHeight");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("pointSize");

    QTest::newRow("designed screen") << QSize(1024, 768) << 768 << 576 << 1.0 << 8.25;
    QTest::newRow("1024 by 768 points") << QSize(1365, 1024) << 1024 << 768 << 4.0 / 3 << 11.0;
    QTest::newRow("half, font kept readable") << QSize(512, 384) << 384 << 288 << 0.5 << 8.25;
}

void Help4GrammarTest::scalesByTheExerciseScreen()
{
    QFETCH(QSize, exercisePixels);
    QFETCH(int, viewWidth);
    QFETCH(int, viewHeight);
    QFETCH(double, ratio);
    QFETCH(double, pointSize);
    reset();
    HelpTestFolder working;

    QPointer<help4grammar> designed = open(QString(), working.path());
    const QSize base = designed->size();
    designed->dismiss();

    exercise.resize(exercisePixels);
    QPointer<help4grammar> help = open(QString(), working.path());
    QCOMPARE(int(state.ViewWidth), viewWidth);
    QCOMPARE(int(state.ViewHeight), viewHeight);
    QVERIFY(qAbs(help->width() - base.width() * ratio) <= 1.0);
    QVERIFY(qAbs(help->height() - base.height() * ratio) <= 1.0);
    const auto *list = help->findChild<QListWidget *>(QStringLiteral("List1"));
    QCOMPARE(list->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(list->font().pointSizeF(), pointSize);
    QCOMPARE(list->layoutDirection(), Qt::RightToLeft);
    help->dismiss();
    destroyClosedWindows();
}

QTEST_MAIN(Help4GrammarTest)
#include "help4grammar_test.moc"
