#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// The teachers' lesson tool as a function of its arguments, so that it can be run
/// and checked without a process.
namespace LessonTool {

struct Output
{
    QByteArray out; ///< what goes to standard output, exactly
    QByteArray err; ///< what goes to standard error
};

enum ExitStatus {
    kSuccess = 0,
    kFailure = 1, ///< a finding, a refused change, an unreadable store
    kUsage = 2,   ///< the command line itself is wrong
};

/// args without the program name; programFolder is where the store beside the
/// program is looked for when a command leaves STORE out.
int runTool(const QStringList &args, const QString &programFolder, Output &output);

/// The text of --help.
QString usageText();

} // namespace LessonTool
