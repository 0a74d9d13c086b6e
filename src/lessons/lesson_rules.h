#pragma once

#include "lessons/cloze_builder.h"
#include "platform/store_rows.h"

#include <QList>
#include <QString>
#include <QStringList>

/// Every rule a lesson is held to, and every message about it: the teachers' tool
/// prints the English, the screens show the Hebrew.
namespace LessonRules {

enum class Severity {
    Refusal, ///< the pupil program refuses to open the lesson
    Problem, ///< the lesson is offered or shown otherwise than written
    Warning, ///< a gap's answer has a common other form that the lesson does not name
};

struct Finding
{
    enum class Kind {
        // Refusals
        UnpairedMarker,
        TooManyGaps,
        TooManyTextRuns,
        GapAboveText,   ///< a gap in a line before the start line, or in a lesson without one
        LineTooWide,    ///< a row reaching past the page's 16-bit edge
        // Problems
        NullText,
        EmptyText,
        OneInHeading,
        NoStartLine,
        UnnamedPattern,
        LessonOutOfRange,
        StoredTwice,
        Hole,
        UnmatchedRow,   ///< an Access row that no whole pattern and lesson number select
        StrayFile,
        // Warnings
        OtherForm,
    };

    Kind kind;
    int pattern = 0; ///< 0 when not tied to one
    int lesson = 0;  ///< 0 when about the whole pattern or not tied to one
    int line = 0;    ///< 1-based line of the lesson text; 0 when not tied to a line
    QString file = {};  ///< lesson source file, when the lesson came from one
    int count = 0;      ///< StoredTwice: rows; OtherForm: the gap; UnmatchedRow: the row in table order
    QStringList texts = {}; ///< OtherForm: answer, form, its other forms; UnmatchedRow: pattern, lesson as stored ("" a null)

    Severity severity() const;
    /// The message alone, for teachers' tools.
    QString english() const;
    /// One sentence for the screens.
    QString hebrew() const;

    bool operator==(const Finding &other) const;
};

/// «data/lessons/17/02.txt: pattern 17 lesson 2 line 3: ...», leaving out what is unknown.
QString describe(const Finding &finding);

/// The refusal a builder error stands for.
Finding builderRefusal(const Cloze::BuildError &error);

/// Rules of one text, in line order: empty or null, a "1" in the heading, gaps above
/// the start line, no start line, the builder's refusals and the form warnings.
QList<Finding> checkText(const QString &text, bool isNull = false);

/// Rules of a lesson's numbers: lessons run 1..99, a pattern without a name is never offered.
QList<Finding> checkNumbers(int pattern, int lesson);

/// Why no whole number selects an Access row.
Finding unmatchedRow(const Lessons::UnmatchedRow &row);

/// Every rule over a whole store's rows, in pattern, lesson and line order: each
/// text, each number, numbers stored twice, and holes in a pattern's numbering.
QList<Finding> checkStore(const QList<Lessons::StoredLesson> &rows);

} // namespace LessonRules
