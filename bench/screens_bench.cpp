// How long the pupil waits on the screens: a lesson click on the largest lesson the
// page takes (50 gaps, 99 text runs, 99 lines) and judging a typed answer, each beside
// the same work in the core alone, on the offscreen platform.
#include "bench_support.h"
#include "lessons/lesson_store.h"
#include "platform/sound_player.h"
#include "screens/dialogs.h"
#include "screens/exercise/answering.h"
#include "screens/exercise/main_screen.h"
#include "screens/exercise/lesson_preparation.h"
#include "state/variables.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

class OneLesson : public Lessons::LessonStore
{
public:
    explicit OneLesson(QString text) : m_text(std::move(text)) {}
    Lessons::StoreOutcome<QList<Lessons::LessonInfo>> lessons(int) override
    {
        return {QList<Lessons::LessonInfo>{{1, Cloze::heading(m_text)}}, QString()};
    }
    Lessons::StoreOutcome<QString> lessonText(int, int) override { return {m_text, QString()}; }
    QString filePath() const override { return QStringLiteral("memory"); }

private:
    QString m_text;
};

class NoQuestions : public Dialogs
{
public:
    void inform(QWidget *, const QString &) override {}
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(5, atoi(argv[1])) : 31;
    const QString text = largestLesson();

    Variables state;
    Silence sound;
    NoQuestions dialogs;
    ScreenContext context{state, sound, dialogs, QDir::tempPath(), QDir::tempPath(),
                          [text] { return std::make_unique<OneLesson>(text); }, {}};
    Main screen(context);
    screen.Form_Load();
    // The screens as a pupil finds them, by name.
    QWidget *chooser = screen.chooser();
    auto *patterns = chooser->findChild<QListWidget *>(QStringLiteral("List2"));
    auto *lessons = chooser->findChild<QListWidget *>(QStringLiteral("List1"));
    auto *page = screen.findChild<QWidget *>(QStringLiteral("InnerBox"));
    QTest::mouseClick(chooser->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton); // typed gaps
    patterns->setCurrentRow(0);
    QTest::keyClick(patterns, Qt::Key_Return);
    lessons->setCurrentRow(0);

    const double click = medianMs(runs, [&] {
        QTest::keyClick(lessons, Qt::Key_Return); // Enter chooses, as a click does
        page->repaint();
    });
    const double core = medianMs(runs, [&] { Placement::prepareLesson(text, screen.pagePlacementInput()); });
    if (state.GapCount != 50) {
        std::fprintf(stderr, "the lesson did not build: %d gaps\n", state.GapCount);
        return 1;
    }

    // Wrong answers never close the gap.
    chooser->findChild<QComboBox *>(QStringLiteral("Combo2_1"))->setEditText(QStringLiteral("32767"));
    QTest::mouseClick(chooser->findChild<QPushButton *>(QStringLiteral("Command4")), Qt::LeftButton);
    if (!state.ExerciseRunning || !screen.isVisible()) {
        std::fprintf(stderr, "Start did not start the exercise\n");
        return 1;
    }
    auto *box = screen.findChild<QLineEdit *>(QStringLiteral("Text1_1"));
    auto *points = screen.findChild<QLabel *>(QStringLiteral("Label9"));
    const double judge = medianMs(runs * 10, [&] {
        box->setText(QStringLiteral("wrong"));
        QTest::keyClick(box, Qt::Key_Return);
        box->repaint();
    });
    if (points->text().toDouble() > -runs) {
        std::fprintf(stderr, "the answers were not judged: score %s\n", qPrintable(points->text()));
        return 1;
    }
    const double judgeCore = medianMs(runs * 10, [&] {
        Answering::judge(state, 2, QStringLiteral("wrong"), QStringLiteral("0"), 1.0);
        state.TriesLeft[2] = 100;
    });

    std::printf("%d runs each (judging %d), after one warm-up; medians in ms\n", runs, runs * 10);
    std::printf("%-44s %8s  %s\n", "operation", "median", "target");
    const struct { const char *what; double ms; double target; } rows[] = {
        {"lesson click, 50 gaps, 99 lines, on the widgets", click, 10},
        {"  build and placement in the core alone", core, 0},
        {"judging a typed answer, key to repaint", judge, 1},
        {"  Answering::judge alone", judgeCore, 0},
    };
    bool met = true;
    for (const auto &row : rows) {
        if (row.target > 0) {
            met = met && row.ms < row.target;
            std::printf("%-44s %8.4f  < %g %s\n", row.what, row.ms, row.target, row.ms < row.target ? "met" : "MISSED");
        } else {
            std::printf("%-44s %8.4f  baseline\n", row.what, row.ms);
        }
    }
    screen.hide();
    chooser->hide();
    return met ? 0 : 1;
}
