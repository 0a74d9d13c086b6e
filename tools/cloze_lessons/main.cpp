#include "commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// The tool says everything through its own lines; the toolkit's notes (such as a
// missing XDG_RUNTIME_DIR on the offscreen platform) would only confuse a teacher.
void keepSevere(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(keepSevere);
    // A worksheet needs the toolkit's fonts, which come with a GUI application. It
    // never shows a window, so the offscreen platform serves with or without a
    // display; every other command stays a plain console program.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "worksheet") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    LessonTool::Output output;
    const int status = LessonTool::runTool(args, QCoreApplication::applicationDirPath(), output);
    std::fwrite(output.out.constData(), 1, size_t(output.out.size()), stdout);
    std::fwrite(output.err.constData(), 1, size_t(output.err.size()), stderr);
    return status;
}
