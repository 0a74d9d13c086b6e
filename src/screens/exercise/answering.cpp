#include "screens/exercise/answering.h"

#include "lessons/patterns.h"
#include "state/numbers.h"
#include "state/variables.h"

namespace Answering {

bool isRight(const QString &answer, const QString &rightAnswer)
{
    return answer == rightAnswer;
}

double readScore(const QString &scoreText)
{
    return Numbers::readDecimal(scoreText).value_or(0.0);
}

Judgement judge(Variables &state, int gap, const QString &answer, const QString &scoreText, double debit)
{
    Judgement result;
    double score = readScore(scoreText);
    int16_t &tries = state.TriesLeft.at(gap);
    result.right = isRight(answer, state.RightAnswers.at(gap));
    if (result.right) {
        score += state.Credit;
        --state.GapsLeft;
    } else {
        tries = int16_t(tries - 1);
        score -= debit;
    }
    // Checked after either outcome: with zero attempts set, a right answer also
    // closes the gap for lack of attempts.
    if (tries == 0) {
        result.closedOutOfAttempts = true;
        --state.GapsLeft;
    }
    result.triesLeft = tries;
    result.scoreText = Numbers::formatPlain(score);
    return result;
}

QString attemptsMade(const QString &attemptsSetting, const QString &attemptsLeftText)
{
    const double setting = Numbers::readDecimal(attemptsSetting).value_or(0.0);
    const double left = Numbers::readDecimal(attemptsLeftText).value_or(0.0);
    return Numbers::formatPlain(setting - left);
}

int16_t pointsFromScore(const QString &scoreText)
{
    return Numbers::clampToInt16(readScore(scoreText));
}

QString gradeText(const Variables &state)
{
    return QString::number(Patterns::ComputeGrade(state.GapCount, state.Credit, state.Points));
}

} // namespace Answering
