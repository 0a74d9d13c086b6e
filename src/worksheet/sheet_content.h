#pragma once

#include "lessons/lesson_rules.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/// A lesson on paper: what a worksheet shows of it, in reading order. Qt Core only;
/// the pages are laid out elsewhere.
namespace Worksheet {

/// A piece of a row: text as the teacher wrote it, or a gap.
struct RowPiece
{
    QString text; ///< the text of a run; empty for a gap
    int gap = 0;  ///< 1-based gap number; 0 for a run of text
};

struct SheetContent
{
    QStringList headingLines;   ///< the heading's lines, without the empty ones at its end
    QList<QList<RowPiece>> rows; ///< the rows the pupil's page shows, from the start line on
    QStringList answers;        ///< gap order; gap g is answers[g - 1]
    QStringList masks;          ///< the letter-signs mask of each answer
    QStringList wordBank;       ///< paperWordBank of the answers
};

/// The content of a lesson, or the refusal the pupil program would give it.
struct PreparedSheet
{
    std::optional<SheetContent> content;
    std::optional<LessonRules::Finding> refusal;
};

/// Reads a lesson text as the pupil program would: the same heading, the same rows
/// and gaps, and the same refusals (those the text alone decides).
PreparedSheet prepareSheet(const QString &clozeText);

/// «תבנית 24 (present simple - positive) · שיעור 3»: the line naming a lesson on its sheet.
QString lessonCaption(int pattern, int lesson);

/// The word bank on paper: every answer once, without the spaces around it, an empty
/// one left out, in alphabetical order ignoring letter case, so that the order gives
/// no answer away.
QStringList paperWordBank(const QStringList &answers);

} // namespace Worksheet
