#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

/// The grammar-pattern catalogue, the list entries built from it, and the grade.
namespace Patterns {

constexpr int kHighestPatternNumber = 154; // the list fill looks this far
constexpr int kHighestLessonNumber = 99;   // lesson entries carry at most two digits

/// Name of a pattern, or the empty text for a number without one.
QString PatternName(int number);

/// «13  singular into plural, plural into singular»: number, two blanks, name.
QString patternEntry(int number);

/// The entries of the pattern list, in number order (24 of them).
QStringList patternListEntries();

/// The numbers that have a name, ascending.
QList<int> namedPatternNumbers();

/// «4 Fill in the gaps»: lesson number, one blank, heading.
QString lessonEntry(int lesson, const QString &heading);

/// The pattern number an entry stands for: the leading digits of its first three
/// characters, blanks ignored. 0 when there are none.
int patternNumberFromEntry(const QString &entry);

/// The lesson number of a lesson entry: the digits of its first two characters.
int lessonNumberFromEntry(const QString &entry);

/// Points x 100 / (gaps x credit) as a whole percentage, a half going to the even
/// neighbour. A zero divisor gives 0; the result is clamped to the 16-bit range.
int16_t ComputeGrade(int16_t gapCount, int16_t credit, int16_t points);

} // namespace Patterns
