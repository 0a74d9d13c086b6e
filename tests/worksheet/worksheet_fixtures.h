#pragma once

#include "platform/store_rows.h"

#include <QList>
#include <QString>

/// The lessons the worksheet tests print, as a store holds them (CR LF line breaks).
namespace WorksheetFixtures {

enum Lesson {
    kTypedAnswers = 1, ///< answers with spaces, apostrophes, a leading space and an empty one
    kFiftyGaps = 2,    ///< 50 gaps in 25 rows, and 24 rows without a gap
    kHebrewHeading = 3,
    kLongStory = 4,    ///< 90 rows, a gap in every tenth
    kUnclosed = 5,     ///< refused: a marker not closed on its line
};
constexpr int kPattern = 24;
constexpr int kRefusedPattern = 25; ///< holds only a lesson with a gap in its heading

QString lessonText(int lesson);

/// Every fixture lesson as store rows.
QList<Lessons::StoredLesson> rows();

} // namespace WorksheetFixtures
