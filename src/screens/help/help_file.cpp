#include "screens/help/help_file.h"

#include "platform/text_decoding.h"
#include "platform/text_lines.h"

#include <QDir>
#include <QFile>

namespace HelpFile {

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {};
    return TextLines::split(*TextDecoding::decode(bytes, TextDecoding::Otherwise::Windows1255));
}

QString generalHelpPath(const QString &workingFolder)
{
    return QDir(workingFolder).filePath(QStringLiteral("helpVorn.txt"));
}

QString topicFilePath(const QString &workingFolder, int patternNumber)
{
    if (patternNumber <= 0)
        return QString();
    return QDir(workingFolder).filePath(QStringLiteral("data/help/hlp%1.rtf.txt").arg(600 + patternNumber));
}

} // namespace HelpFile
