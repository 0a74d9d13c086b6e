// How long the teacher waits for the preview: from a key typed into the largest lesson
// the page takes (50 gaps, 99 lines) to the findings and the page drawn anew, beside
// the core's preparation of the same text alone, on the offscreen platform.
#include "bench_support.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_window.h"
#include "editor/preview_pane.h"
#include "lessons/lesson_rules.h"
#include "platform/sound_player.h"
#include "platform/sqlite_writer.h"
#include "screens/exercise/lesson_preparation.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(5, atoi(argv[1])) : 41;
    const QString text = largestLesson();

    QTemporaryDir folder;
    const QString store = folder.filePath(QStringLiteral("db1.sqlite"));
    Lessons::SqliteWriter::createStore(store, {{24, 1, text, false}}, Lessons::SqliteWriter::Existing::Refuse);
    EditorDialogs dialogs;
    Silence sound;
    EditorWindow window(EditorContext{dialogs, sound, folder.path(), folder.path(), folder.filePath(QStringLiteral("r")),
                                      folder.filePath(QStringLiteral("editor.ini"))});
    window.show();
    if (!window.openStore(store)) {
        std::fprintf(stderr, "the store did not open\n");
        return 1;
    }
    auto *edit = window.findChild<QPlainTextEdit *>(QStringLiteral("LessonText"));
    auto *page = window.findChild<QWidget *>(QStringLiteral("InnerBox"));
    // The caret at the end of the first row of the page.
    QTextCursor cursor(edit->document()->findBlockByNumber(50));
    cursor.movePosition(QTextCursor::EndOfBlock);
    edit->setTextCursor(cursor);

    bool typed = false;
    const double keystroke = medianMs(runs, [&] {
        QTest::keyClick(edit, typed ? Qt::Key_Backspace : Qt::Key_X);
        typed = !typed;
        QCoreApplication::processEvents(); // the refresh waits for the keys typed so far
        page->repaint();
    });
    if (!typed) {
        QTest::keyClick(edit, Qt::Key_X);
        QCoreApplication::processEvents();
    }
    // An x was typed last: the page shows it.
    bool shown = false;
    for (QLabel *run : page->findChildren<QLabel *>())
        shown = shown || (run->isVisible() && run->text().endsWith(QStringLiteral("questions.x")));
    if (!shown) {
        std::fprintf(stderr, "the preview did not follow the typing\n");
        return 1;
    }
    const Placement::Input input = window.findChild<PreviewPane *>(QStringLiteral("Preview"))->placementInput();
    const double core = medianMs(runs, [&] { Placement::prepareLesson(text, input); });
    const double rules = medianMs(runs, [&] { LessonRules::checkText(text); });

    std::printf("%d runs each, after one warm-up; medians in ms\n", runs);
    std::printf("%-52s %8s  %s\n", "operation", "median", "target");
    std::printf("%-52s %8.3f  < 50 %s\n", "key to findings and preview, 50 gaps, 99 lines", keystroke,
                keystroke < 50 ? "met" : "MISSED");
    std::printf("%-52s %8.3f  baseline\n", "  build and placement in the core alone", core);
    std::printf("%-52s %8.3f  baseline\n", "  the lesson rules alone", rules);
    window.hide();
    return keystroke < 50 ? 0 : 1;
}
