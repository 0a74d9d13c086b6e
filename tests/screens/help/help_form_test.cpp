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
    void lines_data();
    void lines();
    void returnsToTheScreenThatOpenedIt_data();
    void returnsToTheScreenThatOpenedIt();
    void scalesByTheExerciseScreen_data();
    void scalesByTheExerciseScreen();
    void readsTheFileOnlyOnce_data();
    void readsTheFileOnlyOnce();
    void controls();
    void dismissShowsNoScreen();
};

void HelpFormTest::lines_data()
{
    QTest::addColumn<QByteArray>("content"); // empty with folder=true: helpVorn.txt is a folder
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three lines, empty middle") << QByteArray("first\r\n\r\nthird\r\n") << true << false
                                               << QStringList{"first", "", "third"};
    QTest::newRow("blanks kept, no final break") << QByteArray("  a  \r\nb") << true << false
                                                 << QStringList{"  a  ", "b"};
    QTest::newRow("utf-8 with mark") << QByteArray("\xef\xbb\xbf\xd7\xa2\xd7\x96\xd7\xa8\xd7\x94\r\n") << true
                                     << false << QStringList{QStringLiteral("עזרה")};
    QTest::newRow("windows-1255") << QByteArray("\xf2\xe6\xf8\xe4\r\n\xf1\xe2\xe5\xf8\r\n") << true << false
                                  << QStringList{QStringLiteral("עזרה"), QStringLiteral("סגור")};
    QTest::newRow("empty file") << QByteArray() << true << false << QStringList{};
    QTest::newRow("missing file") << QByteArray() << false << false << QStringList{};
    QTest::newRow("a folder of that name") << QByteArray() << true << true << QStringList{};
}

void HelpFormTest::lines()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, present);
    QFETCH(bool, folder);
    QFETCH(QStringList, expected);
    reset();
    HelpTestFolder working;
    if (folder)
        QVERIFY(working.makeFolder(QStringLiteral("helpVorn.txt")));
    else if (present)
        QVERIFY(working.write(QStringLiteral("helpVorn.txt"), content));

    helpForm form(state, &exercise, &chooser, working.path());
    form.show();
    QCOMPARE(entries(&form), expected);
    // Even without a readable file the help closes normally.
    closeHelp(&form, CloseBy::Button);
    QVERIFY(!form.isVisible());
    QVERIFY(chooser.isVisible());
}

void HelpFormTest::returnsToTheScreenThatOpenedIt_data()
{
    QTest::addColumn<QList<int>>("openedFrom"); // HelpFromExercise at each opening
    QTest::addColumn<CloseBy>("how");

    QTest::newRow("chooser") << QList<int>{0} << CloseBy::Button;
    QTest::newRow("exercise") << QList<int>{1} << CloseBy::Button;
    QTest::newRow("chooser after exercise") << QList<int>{1, 0} << CloseBy::Button;
    QTest::newRow("exercise after chooser") << QList<int>{0, 1} << CloseBy::Button;
    QTest::newRow("alternating by menu") << QList<int>{0, 1, 0, 1} << CloseBy::Menu;
    QTest::newRow("exercise twice by menu") << QList<int>{1, 1} << CloseBy::Menu;
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

void HelpFormTest::scalesByTheExerciseScreen_data()
{
    QTest::addColumn<QSize>("exercisePixels");
    QTest::addColumn<int>("viewWidth");
    QTest::addColumn<int>("viewHeight");
    QTest::addColumn<double>("widthRatio");
    QTest::addColumn<double>("heightRatio");

    QTest::newRow("designed screen") << QSize(1024, 768) << 768 << 576 << 1.0 << 1.0;
    QTest::newRow("1024 by 768 points") << QSize(1365, 1024) << 1024 << 768 << 4.0 / 3 << 4.0 / 3;
    QTest::newRow("half") << QSize(512, 384) << 384 << 288 << 0.5 << 0.5;
    QTest::newRow("wider only") << QSize(2048, 768) << 1536 << 576 << 2.0 << 1.0;
}

void HelpFormTest::scalesByTheExerciseScreen()
{
    QFETCH(QSize, exercisePixels);
    QFETCH(int, viewWidth);
    QFETCH(int, viewHeight);
    QFETCH(double, widthRatio);
    QFETCH(double, heightRatio);
    reset();
    HelpTestFolder working;

    helpForm designed(state, &exercise, &chooser, working.path());
    const QSize base = designed.size();

    exercise.resize(exercisePixels);
    helpForm form(state, &exercise, &chooser, working.path());
    QCOMPARE(int(state.ViewWidth), viewWidth);
    QCOMPARE(int(state.ViewHeight), viewHeight);
    QVERIFY2(qAbs(form.width() - base.width() * widthRatio) <= 1.0, qPrintable(QString::number(form.width())));
    QVERIFY2(qAbs(form.height() - base.height() * heightRatio) <= 1.0, qPrintable(QString::number(form.height())));
}

void HelpFormTest::readsTheFileOnlyOnce_data()
{
    QTest::addColumn<bool>("removeIt"); // else rewrite it with other lines

    QTest::newRow("file rewritten") << false;
    QTest::newRow("file removed") << true;
}

void HelpFormTest::readsTheFileOnlyOnce()
{
    QFETCH(bool, removeIt);
    reset();
    HelpTestFolder working;
    QVERIFY(working.write(QStringLiteral("helpVorn.txt"), "one\r\ntwo\r\n"));

    state.HelpFromExercise = 0;
    helpForm form(state, &exercise, &chooser, working.path());
    form.show();
    const QSize firstSize = form.size();
    closeHelp(&form, CloseBy::Button);

    if (removeIt)
        QVERIFY(working.remove(QStringLiteral("helpVorn.txt")));
    else
        QVERIFY(working.write(QStringLiteral("helpVorn.txt"), "changed\r\nthree\r\nlines\r\n"));
    exercise.resize(2048, 1536); // the size, too, stays as it was first computed

    chooser.hide();
    form.show();
    QCOMPARE(entries(&form), (QStringList{"one", "two"}));
    QCOMPARE(form.size(), firstSize);
}

void HelpFormTest::controls()
{
    reset();
    HelpTestFolder working;
    helpForm form(state, &exercise, &chooser, working.path());
    QCOMPARE(form.objectName(), QStringLiteral("helpForm"));

    const auto *list = form.findChild<QListWidget *>(QStringLiteral("helpText"));
    QVERIFY(list);
    QCOMPARE(list->font().family(), QStringLiteral("Arial"));
    QCOMPARE(list->font().pointSizeF(), 12.0);
    QCOMPARE(list->layoutDirection(), Qt::RightToLeft);

    const auto *button = form.findChild<QPushButton *>(QStringLiteral("Command5"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("סגור"));
    QCOMPARE(button->palette().color(QPalette::Button), QColor(255, 255, 0));

    const auto *entry = form.findChild<QAction *>(QStringLiteral("close"));
    QVERIFY(entry);
    QCOMPARE(entry->text(), QStringLiteral("סגור"));
}

void HelpFormTest::dismissShowsNoScreen()
{
    reset();
    HelpTestFolder working;
    for (int from : {0, 1}) {
        state.HelpFromExercise = uint8_t(from);
        helpForm form(state, &exercise, &chooser, working.path());
        form.show();
        form.dismiss();
        QVERIFY(!form.isVisible());
        QVERIFY(!exercise.isVisible());
        QVERIFY(!chooser.isVisible());
    }
}

QTEST_MAIN(HelpFormTest)
#include "help_form_test.moc"
