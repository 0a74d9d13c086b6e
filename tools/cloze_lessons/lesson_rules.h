#pragma once

#include "platform/store_rows.h"

#include <QList>
#include <QString>

/// The rules a lesson must keep to be offered and shown as written, for teachers.
namespace LessonTool {

struct Finding
{
    int pattern = 0; ///< 0 when the finding is not tied to one
    int lesson = 0;  ///< 0 when the finding is about the whole pattern
    int line = 0;    ///< 1-based line of the lesson text; 0 when not tied to a line
    QString message;
    QString file;    ///< lesson source file, when the lesson came from one

    bool operator==(const Finding &other) const;
};

/// «data/lessons/17/02.txt: pattern 17 lesson 2 line 3: ...», leaving out what is unknown.
QString formatFinding(const Finding &finding);

/// Rules of one text: empty or null, an unpaired marker, more than 50 gaps or 99 text
/// runs (the builder's refusals), a "1" or "&" in the heading, no start line.
QList<Finding> checkText(const QString &text, bool isNull = false);

/// Rules of a lesson's numbers: lessons run 1..99, a pattern without a name is never offered.
QList<Finding> checkNumbers(int pattern, int lesson);

/// Why no whole number selects an Access row: «row 5 of closes: pattern 5.5 lesson 1:
/// no whole pattern number equals 5.5, so the row is never listed or read».
QString unmatchedRowReason(const Lessons::UnmatchedRow &row);

/// Every rule over a whole store's rows, in pattern, lesson and line order: each
/// text, each number, numbers stored twice, and holes in a pattern's numbering.
QList<Finding> checkStore(const QList<Lessons::StoredLesson> &rows);

} // namespace LessonTool
