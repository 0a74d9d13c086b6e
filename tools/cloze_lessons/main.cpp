#include "commands.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    LessonTool::Output output;
    const int status = LessonTool::runTool(args, QCoreApplication::applicationDirPath(), output);
    std::fwrite(output.out.constData(), 1, size_t(output.out.size()), stdout);
    std::fwrite(output.err.constData(), 1, size_t(output.err.size()), stderr);
    return status;
}
