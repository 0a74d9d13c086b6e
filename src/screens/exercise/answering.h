#pragma once

#include <QString>

#include <cstdint>
#include <optional>

struct Variables;

/// Judging answers to typed and choice gaps, without any screen.
namespace Answering {

struct Judgement
{
    bool right = false;
    bool closedOutOfAttempts = false; ///< the answer used the gap's last attempt
    QString scoreText;                ///< the new text of the points display
    int16_t triesLeft = 0;
};

/// Exact comparison, letter case and every space included.
bool isRight(const QString &answer, const QString &rightAnswer);

/// Judges an answer to gap `gap`: updates TriesLeft and GapsLeft in the state and
/// returns what the screen must show. A right answer adds Credit to the score,
/// a wrong one takes `debit` off.
Judgement judge(Variables &state, int gap, const QString &answer, const QString &scoreText, double debit);

/// The score as the points display spells it; text that is no number counts as 0.
double readScore(const QString &scoreText);

/// Attempts made on the gap in focus: the attempts setting minus the attempts left.
QString attemptsMade(const QString &attemptsSetting, const QString &attemptsLeftText);

/// The whole number of points an exercise ends with, clamped to the 16-bit range.
int16_t pointsFromScore(const QString &scoreText);

/// The grade text of an ended exercise, for the results screen.
QString gradeText(const Variables &state);

} // namespace Answering
