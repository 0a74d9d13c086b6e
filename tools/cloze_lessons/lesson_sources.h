#pragma once

#include "lessons/lesson_store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/// Lesson source files: FOLDER/PP/LL.txt, pattern and lesson as two digits each,
/// holding the cloze text as UTF-8. Lesson texts break lines with CR LF; a file
/// written with plain line feeds (no CR anywhere) gets them: one final LF is dropped
/// and every other LF becomes CR LF. A file with any CR is taken byte for byte.
namespace LessonTool {

/// The text a source file stands for. Fails on bytes that are not UTF-8.
Lessons::StoreOutcome<QString> decodeLessonSource(const QByteArray &bytes);

/// The bytes that decode back to exactly text. Fails for a text with line feeds but
/// no CR, which no file can carry under the rule above.
Lessons::StoreOutcome<QByteArray> encodeLessonSource(const QString &text);

/// FOLDER/PP/LL.txt for pattern and lesson 1..99.
QString lessonSourcePath(const QString &folder, int pattern, int lesson);

/// Pattern and lesson from a path ending in PP/LL.txt; false for any other path.
bool numbersFromSourcePath(const QString &path, int *pattern, int *lesson);

struct SourceFile
{
    int pattern = 0;
    int lesson = 0;
    QString path;
};

struct SourceScan
{
    QList<SourceFile> files; ///< in pattern and lesson order
    QStringList strays;      ///< ".txt" files under FOLDER that do not fit the layout
};

/// Every lesson source below folder. Other files (a README, say) are left alone.
SourceScan scanLessonFolder(const QString &folder);

} // namespace LessonTool
