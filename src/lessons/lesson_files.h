#pragma once

#include "lessons/lesson_store.h"
#include "platform/store_rows.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/// Lesson source files: FOLDER/PP/LL.txt, pattern and lesson as two digits each,
/// holding the cloze text as UTF-8. Lesson texts break lines with CR LF; a file
/// written with plain line feeds (no CR anywhere) gets them: one final LF is dropped
/// and every other LF becomes CR LF. A file with any CR is taken byte for byte.
namespace LessonFiles {

/// The text a source file stands for. Fails on bytes that are not UTF-8.
Lessons::StoreOutcome<QString> decodeLessonSource(const QByteArray &bytes);

/// The bytes that decode back to exactly text. Fails for a text with line feeds but
/// no CR, which no file can carry under the rule above.
Lessons::StoreOutcome<QByteArray> encodeLessonSource(const QString &text);

/// The text of the lesson file at path; fails with a reason that names the file.
Lessons::StoreOutcome<QString> readLessonSource(const QString &path);

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

struct FolderLessons
{
    QList<SourceFile> files;
    QList<Lessons::StoredLesson> rows; ///< one per file, in the same order
    QStringList strays;
};

/// Every lesson file below folder, read as store rows; fails naming the first file
/// that cannot be read or is not UTF-8, which failedFile is given when asked.
Lessons::StoreOutcome<FolderLessons> readLessonFolder(const QString &folder, QString *failedFile = nullptr);

/// True for a folder that export may write into: none there yet, or an empty one.
bool isNewOrEmptyFolder(const QString &folder);

/// A row that an export leaves out.
struct Skipped
{
    enum class Why {
        SecondRow,  ///< another row of the number came first; only that one is read
        Empty,      ///< no text
        OutOfRange, ///< a number that a two-digit file name cannot carry
        Unwritable, ///< a text no file can carry; detail says why
    };
    Why why;
    int pattern = 0;
    int lesson = 0;
    QString detail;
};

struct Exported
{
    int written = 0;
    QList<Skipped> skipped;   ///< in table order
    QString failedPath;       ///< a file that could not be written; the export stopped there
};

/// Writes the lessons of rows as FOLDER/PP/LL.txt, each number's first row; pattern 0
/// for every pattern. The folder should be new or empty: files are written whole, and
/// only those of the lessons.
Exported exportLessons(const QString &folder, const QList<Lessons::StoredLesson> &rows, int pattern = 0);

} // namespace LessonFiles
