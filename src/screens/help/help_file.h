#pragma once

#include <QString>
#include <QStringList>

/// Reading the help texts: a file's lines as a line-by-line read gives them, in
/// UTF-8, or in Windows-1255 for files written by older Hebrew Windows editors.
/// Qt Core only, so the rules can be tested without a screen.
namespace HelpFile {

/// The whole file, decoded and split into lines; none when it is missing or cannot
/// be read, which the help shows as an empty list.
QStringList readLines(const QString &path);

/// "helpVorn.txt" in the working folder.
QString generalHelpPath(const QString &workingFolder);

/// The topic file of a pattern: data/help/hlp<600 + pattern>.rtf.txt below the
/// working folder. Empty for a pattern number of 0 or less (no pattern selected).
QString topicFilePath(const QString &workingFolder, int patternNumber);

} // namespace HelpFile
