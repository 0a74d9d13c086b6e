#pragma once

#include "lessons/lesson_store.h"

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

    bool hasText() const { return !isNull && !cloze.isEmpty(); }
    bool operator==(const StoredLesson &other) const;
};

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

/// A whole number as a store column may hold it: optional sign, decimal digits,
/// surrounding blanks allowed. False for anything else or out of the int range.
bool readStoredNumber(const QByteArray &text, int *value);

} // namespace Lessons
