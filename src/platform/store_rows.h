#pragma once

#include "lessons/lesson_store.h"
#include "state/numbers.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// What both store engines share: the statements they run and the reading of their
/// rows into lesson entries. Pure functions; no file is touched here.
namespace Lessons {

/// One row of the table `closes` as a store holds it, in table order.
struct StoredLesson
{
    int pattern = 0;
    int lesson = 0;
    QString cloze;
    bool isNull = false; ///< SQLite keeps nulls apart; Access nulls read as empty text
    qint64 rowId = 0;    ///< SQLite's rowid when the whole table was read; 0 otherwise. Not compared.

    bool hasText() const { return !isNull && !cloze.isEmpty(); }
    bool operator==(const StoredLesson &other) const;
};

/// «pattern 17 lesson 2», as teachers' tools name a lesson.
QString lessonName(int pattern, int lesson);

/// «Select * from closes Where pattern = 13»
QByteArray patternStatement(int pattern);
/// «Select cloze from closes Where pattern = 13 AND lesson = 2»
QByteArray lessonStatement(int pattern, int lesson);
/// Every row, for teachers' tools.
QByteArray allRowsStatement();

/// The chooser's list from the rows of a pattern: lessons 1..99 whose first row (in
/// table order, as the one-lesson statement reads it) has a text, ascending.
QList<LessonInfo> lessonListing(const QList<StoredLesson> &rows, int pattern);

/// The text the one-lesson statement gives: the first matching row's, or empty.
QString lessonTextOf(const QList<StoredLesson> &rows, int pattern, int lesson);

/// A row of closes that no whole pattern and lesson number select, because a number
/// column holds 5.5, a null or more than an int. Such a row is never listed or read;
/// teachers' tools name it.
struct UnmatchedRow
{
    int row = 0;        ///< 1-based, in table order
    QByteArray pattern; ///< as the store gives it; empty for a null
    QByteArray lesson;
};

/// Every row of closes, in table order, split by whether whole numbers select it.
struct StoredTable
{
    QList<StoredLesson> lessons;
    QList<UnmatchedRow> unmatched;
};

using StoredNumber = Numbers::WholeNumber;

/// A number as a store column or a command line gives it: plain decimal text with
/// surrounding blanks allowed ("24", "24.0000", " -3 "). Access writes Currency and
/// Decimal values with their places, so "2.00" is the whole number 2.
StoredNumber readStoredNumber(const QByteArray &text, int *value);

} // namespace Lessons
