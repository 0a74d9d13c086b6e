#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// A warning for teachers: answers are compared exactly, so a gap whose answer has a
/// common other form ("don't" / "do not") marks a pupil wrong for a right answer unless
/// the lesson says which form to write. A warning, never a refusal.
namespace FormWarnings {

struct Warning
{
    int line = 0;    ///< 1-based line of the lesson text
    int gap = 0;     ///< gap number, counted as the builder counts them
    QString answer;     ///< the gap's answer as written
    QString form;       ///< the form found in it, as written
    QStringList others; ///< its common other forms, in the answer's letter case
};

/// Forms that have another common form:
/// - short forms: the negatives isn't, aren't, wasn't, weren't, don't, doesn't, didn't,
///   haven't, hasn't, hadn't, won't, wouldn't, can't, couldn't, mustn't, shouldn't;
///   any word with 'm, 're, 've, 'll or 'd; and 's after I, you, he, she, it, we,
///   they, that, there, here, what, where or who (after any other word, "Dana's",
///   "Let's", it is taken as not a form of be or have);
/// - long forms: those negatives written with "not" ("is not", "can not", "cannot");
///   a pronoun followed by am, is, are, will or would ("I am", "it is"), and that,
///   there, here, what, where or who followed by is. A long form that ends the answer
///   right before the end of a clause (". , ! ? ; :" or the end of the line) is not a
///   form: "Yes, it is." has no short form. "have", "has" and "had" after a pronoun
///   are taken as the main verb, which is not shortened.
///
/// A form is named, and its gap not flagged, when the heading (the text before the
/// first "1") or a cue in brackets on the gap's own line (brackets outside any gap):
/// - holds the form itself as whole words, letter case and runs of spaces aside and
///   with ’ read as ' (heading "Use don't or doesn't", cue "(don't)", "It isn't");
/// - or names its kind: "short form" or "short forms" for a short form, unless "no",
///   "not", "without", "don't use" or "don't write" comes right before it; "long
///   form(s)", "full form(s)" or such a negated "short form(s)" ("Use no short
///   forms") for a long form.
/// A cue that holds only the other form ("(do not)" for "don't") names nothing.
///
/// One warning per gap, for its first form that is not named, in gap order.
QList<Warning> check(const QString &clozeText);

} // namespace FormWarnings
