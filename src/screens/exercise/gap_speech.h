#pragma once

#include <QString>
#include <QStringList>

namespace Cloze {
struct Lesson;
}

/// What a screen reader says about the gaps of the exercise page, in the pupil's
/// Hebrew, with the English exercise text as the lesson has it.
namespace GapSpeech {

/// "gap 3 of 12": the name of an open gap.
QString name(int gap, int gapCount);

/// The name of an open gap after a wrong answer: it is still open, with attempts left.
QString wrong(int gap, int gapCount, int triesLeft);

/// Said first when the focus moves on from a gap that has just closed.
QString afterClose(bool right, const QString &answer);

/// The name of a closed gap's answer label: the answer, and how the gap closed.
QString closed(int gap, const QString &answer, bool right);

/// Each gap's row of text, gap order, with that gap as "___" and the other gaps of
/// its row as "...", so that the sentence gives away no answer.
QStringList sentences(const Cloze::Lesson &lesson);

} // namespace GapSpeech
