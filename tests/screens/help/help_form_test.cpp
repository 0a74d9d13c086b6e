#include "screens/help/help_form.h"
#include "state/variables.h"

#include "help_test_folder.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

#include <memory>

namespace {

QStringList entries(const QWidget *form)
{
    QStringList lines;
    const auto *list = form->findChild<QListWidget *>(QStringLiteral("helpText"));
    for (int i = 0; list && i < list->count(); ++i)
        lines.append(list->item(i)->text());
    return lines;
}

enum class CloseBy { Button, Menu, Window };

void closeHelp(QWidget *form, CloseBy how)
{
    switch (how) {
    case CloseBy::Button:
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Command5")), Qt::LeftButton);
        break;
    case CloseBy::Menu:
        form->findChild<QAction *>(QStringLiteral("close"))->trigger();
        break;
    case CloseBy::Window:
        // What the window manager's close button sends.
        form->windowHandle()->close();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(CloseBy)

class HelpFormTest : public QObject
{
    Q_OBJECT

private:
    // The screens as the program has them: the exercise screen's inner area is
    // 1024 by 768 pixels, which is the designed 768 by 576 points.
    Variables state;
    QWidget exercise;
    QWidget chooser;

    void reset()
    {
        state = Variables();
        exercise.resize(1024, 768);
        exercise.hide();
        chooser.hide();
    }

private slots:
    void readsTheFileOnce_data();
    void readsTheFileOnce();
    void returnsToTheScreenThatOpenedIt_data();
    void returnsToTheScreenThatOpenedIt();
    void scalesByTheExerciseScreen();
};

void HelpFormTest::readsTheFileOnce_data()
{
    QTest::addColumn<QByteArray>("content"); // null: there is no help file
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three lines, empty middle") << QByteArray("first\r\n\r\nthird\r\n")
                                               << QStringList{"first", "", "third"};
    QTest::newRow("missing file") << QByteArray() << QStringList{};
}

void HelpFormTest::readsTheFileOnce()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);
    reset();
    HelpTestFolder working;
    if (!content.isNull())
        QVERIFY(working.write(QStringLiteral("helpVorn.txt"), content));

    helpForm form(state, &exercise, &chooser, working.path());
    form.show();
    QCOMPARE(entries(&form), expected);
    const QSize firstSize = form.size();
    // Even without a readable file the help closes normally.
    closeHelp(&form, CloseBy::Button);
    QVERIFY(!form.isVisible());
    QVERIFY(chooser.isVisible());

    // The next opening shows what the first read, at the size first computed.
    QVERIFY(working.write(QStringLiteral("helpVorn.txt"), "changed\r\nthree\r\nlines\r\n"));
    exercise.resize(2048, 1536);
    chooser.hide();
    form.show();
    QCOMPARE(entries(&form), expected);
    QCOMPARE(form.size(), firstSize);
}

void HelpFormTest::returnsToTheScreenThatOpenedIt_data()
{
    QTest::addColumn<QList<int>>("openedFrom"); // HelpFromExercise at each opening
    QTest::addColumn<CloseBy>("how");

    QTest::newRow("chooser after exercise") << QList<int>{1, 0} << CloseBy::Button;
    QTest::newRow("alternating by menu") << QList<int>{0, 1, 0, 1} << CloseBy::Menu;
    QTest::newRow("alternating by window") << QList<int>{1, 0, 1} << CloseBy::Window;
}

void HelpFormTest::returnsToTheScreenThatOpenedIt()
{
    QFETCH(QList<int>, openedFrom);
    QFETCH(CloseBy, how);
    reset();
    HelpTestFolder working;
    QVERIFY(working.write(QStringLiteral("helpVorn.txt"), "help\r\n"));

    std::unique_ptr<helpForm> form;
    for (int from : openedFrom) {
        // The caller's order: set the flag, hide itself, show the help.
        // Only the opener is on screen when the pupil asks for help.
        QWidget *opener = from ? &exercise : &chooser;
        exercise.hide();
        chooser.hide();
        opener->show();
        state.HelpFromExercise = uint8_t(from);
        opener->hide();
        if (!form)
            form = std::make_unique<helpForm>(state, &exercise, &chooser, working.path());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        closeHelp(form.get(), how);
        QVERIFY(!form->isVisible());
        QCOMPARE(exercise.isVisible(), from == 1);
        QCOMPARE(chooser.isVisible(), from == 0);
    }
}

void HelpFormTest::scalesByTheExerciseScreen()
{
    reset();
    HelpTestFolder working;
    helpForm designed(state, &exercise, &chooser, working.path());
    const QSize base = designed.size();

    exercise.resize(1365, 1024); // 1024 by 768 points
    helpForm form(state, &exercise, &chooser, working.path());
    QCOMPARE(int(state.ViewWidth), 1024);
    QCOMPARE(int(state.ViewHeight), 768);
    QVERIFY2(qAbs(form.width() - base.width() * 4.0 / 3) <= 1.0, qPrintable(QString::number(form.width())));
    QVERIFY2(qAbs(form.height() - base.height() * 4.0 / 3) <= 1.0, qPrintable(QString::number(form.height())));
}

QTEST_MAIN(HelpFormTest)
#include "help_form_test.moc"
