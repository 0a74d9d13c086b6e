#pragma once

#include <QString>

#include <optional>

/// A lesson text as the teacher edits it, and the gap command. Pure functions.
namespace Editor::LessonText {

/// The editor's lines are the lesson's lines (CR LF or a lone CR end one), joined by
/// line feeds. A lone line feed, which ends no line of a lesson, shows as "␊".
QString toEditor(const QString &stored);
/// Back to the stored form: every line ends with CR LF but the last. A paragraph or
/// line separator of the editor ends a line too.
QString fromEditor(const QString &shown);

struct GapEdit
{
    enum class Refusal { None, NoWords, HoldsMarker, UnclosedMarker };
    Refusal refusal = Refusal::None;
    QString line; ///< the line afterwards
    int from = 0; ///< the selection afterwards: the answer of the gap made or unwrapped
    int to = 0;
};

/// Make a gap, or remove one: a selection or caret within a gap, its markers
/// included, unwraps that gap; otherwise the selected words, or the word at the
/// caret, are wrapped in markers, blanks at either end left outside the gap.
GapEdit toggleGap(const QString &line, int from, int to);

} // namespace Editor::LessonText
