#pragma once

#include "lessons/lesson_files.h"

/// The lessons the worksheet tests print: the lesson files of lessons/ as store rows,
/// in file order, pattern 24's first.
namespace WorksheetFixtures {

enum Lesson { kTypedAnswers = 1, kFiftyGaps, kHebrewHeading, kUnclosed };

inline QList<Lessons::StoredLesson> rows()
{
    return LessonFiles::readLessonFolder(QStringLiteral(CLOZE_WORKSHEET_LESSONS)).value->rows;
}

} // namespace WorksheetFixtures
