#pragma once

#include "editor/store_document.h"

#include <QList>
#include <QString>

namespace Editor {

/// Why the pupil program never shows a row.
enum class Hidden {
    No,
    UnnamedPattern, ///< the chooser lists only the 24 named patterns
    OutOfRange,     ///< lesson numbers run from 1 to 99
    SecondRow,      ///< another row of the same number comes first and is the one read
    EmptyText,      ///< the list leaves out lessons without text
};

struct ListedRow
{
    int id = 0;
    int pattern = 0;
    int lesson = 0;
    QString heading; ///< the text before its first "1"
    Hidden hidden = Hidden::No;
};

struct PatternLessons
{
    int pattern = 0;
    QList<ListedRow> lessons; ///< as the chooser lists them: by number
};

/// The store as the teacher browses it: every named pattern with the lessons pupils
/// see, and every other row apart with the reason pupils never see it.
struct LessonListing
{
    QList<PatternLessons> patterns; ///< the 24 named patterns in number order
    QList<ListedRow> apart;         ///< by pattern, lesson and table order
};

LessonListing listLessons(const QList<Row> &rows);

} // namespace Editor
