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

    void close(QPointer<help4grammar> &help)
    {
        QTest::mouseClick(help->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        destroyClosedWindows();
    }

private slots:
    void readsTheTopicOfTheSelectedPattern_data();
    void readsTheTopicOfTheSelectedPattern();
    void closingDestroysAndShowsTheExercise_data();
    void closingDestroysAndShowsTheExercise();
    void scalesByTheExerciseScreen();
};

void Help4GrammarTest::readsTheTopicOfTheSelectedPattern_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("pattern 33") << QStringLiteral("33  going to") << QStringList{"topic 633"};
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
    for (int number : {600, 633})
        QVERIFY(working.write(topic(number), QStringLiteral("topic %1\r\n").arg(number).toUtf8()));

    QPointer<help4grammar> help = open(entry, working.path());
    QCOMPARE(entries(help), expected);
    // The window opens and closes normally whatever the file held.
    close(help);
    QVERIFY(help.isNull());
    QVERIFY(exercise.isVisible());
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

void Help4GrammarTest::scalesByTheExerciseScreen()
{
    reset();
    HelpTestFolder working;
    QPointer<help4grammar> designed = open(QString(), working.path());
    const QSize base = designed->size();
    designed->dismiss();

    exercise.resize(1365, 1024); // 1024 by 768 points
    QPointer<help4grammar> help = open(QString(), working.path());
    QCOMPARE(int(state.ViewWidth), 1024);
    QCOMPARE(int(state.ViewHeight), 768);
    QVERIFY(qAbs(help->width() - base.width() * 4.0 / 3) <= 1.0);
    QVERIFY(qAbs(help->height() - base.height() * 4.0 / 3) <= 1.0);
    const auto *list = help->findChild<QListWidget *>(QStringLiteral("List1"));
    QCOMPARE(list->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(list->font().pointSizeF(), 11.0);
    QCOMPARE(list->layoutDirection(), Qt::RightToLeft);
    help->dismiss();
    destroyClosedWindows();
}

QTEST_MAIN(Help4GrammarTest)
#include "help4grammar_test.moc"
