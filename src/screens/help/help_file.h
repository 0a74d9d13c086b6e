#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// Reading the help texts: a file's lines as a line-by-line read gives them, in
/// UTF-8, or in Windows-1255 for files written by older Hebrew Windows editors.
/// Qt Core only, so the rules can be tested without a screen.
namespace HelpFile {

enum class ReadStatus {
    Read,       ///< the file was read; its lines may still be none
    Missing,    ///< no file of that name: the help shows an empty list, no message
    Unreadable  ///< something of that name exists but could not be read (a folder, no permission)
};

struct ReadResult
{
    QStringList lines;
    ReadStatus status = ReadStatus::Missing;
};

/// True when the bytes are UTF-8 throughout (a byte-order mark is allowed).
bool isValidUtf8(const QByteArray &bytes);

/// Every byte through the Windows-1255 code page; undefined bytes give U+FFFD.
QString decodeWindows1255(const QByteArray &bytes);

/// UTF-8 with or without a byte-order mark; anything that is not UTF-8 is read as
/// Windows-1255. A file that starts with the mark declares itself UTF-8 and stays so.
QString decodeText(const QByteArray &bytes);

/// The whole file, decoded and split into lines.
ReadResult readLines(const QString &path);

/// "helpVorn.txt" in the working folder.
QString generalHelpPath(const QString &workingFolder);

/// The topic file of a pattern: data/help/hlp<600 + pattern>.rtf.txt below the
/// working folder. Empty for a pattern number of 0 or less (no pattern selected).
QString topicFilePath(const QString &workingFolder, int patternNumber);

} // namespace HelpFile
