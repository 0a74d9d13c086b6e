// The two help windows: what they read, their size, and where closing them leads.
#include "screen_rig.h"

#include "screens/help/help4grammar.h"
#include "screens/help/help_form.h"

#include <QPointer>
#include <QWindow>

#include <optional>

namespace {

enum class CloseBy { Button, Window };
// entry: the chooser's pattern entry, null for the general help; openedFrom: HelpFromExercise at each opening
struct HelpCase { QString entry; QList<int> openedFrom; CloseBy how; QStringList lines; };

QStringList entries(const QWidget *help)
{
    QStringList lines;
    const auto *list = help->findChild<QListWidget *>();
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(HelpCase)

class HelpScreensTest : public QObject
{
    Q_OBJECT

    Variables state;
    QWidget exercise;
    QWidget chooser;
    std::optional<QTemporaryDir> working;

private slots:
    void init();
    void showsItsLinesAndClosesToTheOpener_data();
    void showsItsLinesAndClosesToTheOpener();
};

void HelpScreensTest::init()
{
    // The exercise screen's inner area a third larger than designed: 1024 by 768
    // points. The helps are designed 9600 by 7200 twips for 768 by 576.
    state = Variables();
    exercise.resize(1365, 1024);
    exercise.hide();
    chooser.hide();
    working.emplace();
}

void HelpScreensTest::showsItsLinesAndClosesToTheOpener_data()
{
    QTest::addColumn<HelpCase>("c");
    const QString general;
    const QString going = QStringLiteral("33  going to");
    QTest::newRow("general, button, alternating") << HelpCase{general, {1, 0, 1}, CloseBy::Button, {"help"}};
    QTest::newRow("general, alternating by window") << HelpCase{general, {1, 0, 1}, CloseBy::Window, {"help"}};
    QTest::newRow("grammar, window") << HelpCase{going, {1}, CloseBy::Window, {"topic 633"}};
    // hlp600 exists too: no pattern must not be read as pattern 0.
    QTest::newRow("grammar, no pattern selected") << HelpCase{QStringLiteral(""), {1}, CloseBy::Button, {}};
    QTest::newRow("grammar, pattern without a topic file")
        << HelpCase{QStringLiteral("24  present simple - positive"), {1}, CloseBy::Button, {}};
}

void HelpScreensTest::showsItsLinesAndClosesToTheOpener()
{
    QFETCH(HelpCase, c);
    const auto &[entry, openedFrom, how, lines] = c;
    const bool grammar = !entry.isNull();
    QVERIFY(writeFile(working->filePath(QStringLiteral("helpVorn.txt")), "help\r\n"));
    for (int number : {600, 633})
        QVERIFY(writeFile(working->filePath(QStringLiteral("data/help/hlp%1.rtf.txt").arg(number)),
                          QStringLiteral("topic %1\r\n").arg(number).toUtf8()));

    std::unique_ptr<helpForm> form;
    for (int from : openedFrom) {
        // The caller's order: set the flag, hide itself, show the help.
        QWidget *opener = from ? &exercise : &chooser;
        exercise.hide();
        chooser.hide();
        opener->show();
        state.HelpFromExercise = uint8_t(from);
        opener->hide();
        QPointer<QWidget> help;
        if (grammar) {
            help = new help4grammar(state, &exercise, entry, working->path());
        } else {
            if (!form)
                form = std::make_unique<helpForm>(state, &exercise, &chooser, working->path());
            help = form.get();
        }
        help->show();
        QVERIFY(QTest::qWaitForWindowExposed(help.data())); // the lines are painted
        QCOMPARE(entries(help), lines);
        QCOMPARE(QSize(state.ViewWidth, state.ViewHeight), QSize(1024, 768));
        QCOMPARE(help->size(), QSize(853, 640));
        QCOMPARE(help->findChild<QListWidget *>()->font().pointSizeF(), grammar ? 11.0 : 16.0);

        if (how == CloseBy::Window) // what the window manager's close button sends
            help->windowHandle()->close();
        else
            QTest::mouseClick(help->findChild<QPushButton *>(), Qt::LeftButton);
        QVERIFY(help.isNull() || !help->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // closed windows go
        QCOMPARE(help.isNull(), grammar);
        QCOMPARE(exercise.isVisible(), from == 1);
        QCOMPARE(chooser.isVisible(), from == 0);
    }
}

QTEST_MAIN(HelpScreensTest)
#include "help_screens_test.moc"
