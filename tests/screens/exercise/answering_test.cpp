#include "screens/exercise/answering.h"

#include "state/variables.h"

#include <gtest/gtest.h>

namespace {

Variables exerciseWith(const QString &answer, int16_t tries, int16_t credit = 1, int16_t gaps = 3)
{
    Variables state;
    state.RightAnswers[1] = answer;
    state.TriesLeft.fill(tries);
    state.Credit = credit;
    state.GapCount = gaps;
    state.GapsLeft = gaps;
    return state;
}

struct CompareCase
{
    const char *name;
    const char *typed;
    bool right;
};

class ExactComparison : public testing::TestWithParam<CompareCase> {};

TEST_P(ExactComparison, NothingTrimmedNothingFolded)
{
    EXPECT_EQ(Answering::isRight(QString::fromUtf8(GetParam().typed), QStringLiteral("went")), GetParam().right);
}

INSTANTIATE_TEST_SUITE_P(Answers, ExactComparison,
    testing::Values(CompareCase{"same", "went", true}, CompareCase{"capital", "Went", false},
                    CompareCase{"trailing_space", "went ", false}, CompareCase{"leading_space", " went", false},
                    CompareCase{"signs_left", "wen#", false}, CompareCase{"empty", "", false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Judge, RightAnswerAddsCreditAndClosesTheGap)
{
    Variables state = exerciseWith(QStringLiteral("is"), 5, 12);
    const auto j = Answering::judge(state, 1, QStringLiteral("is"), QStringLiteral("0"), 1);
    EXPECT_TRUE(j.right);
    EXPECT_FALSE(j.closedOutOfAttempts);
    EXPECT_EQ(j.scoreText, QStringLiteral("12"));
    EXPECT_EQ(j.triesLeft, 5);
    EXPECT_EQ(state.GapsLeft, 2);
}

TEST(Judge, WrongAnswerTakesAnAttemptAndTheDebit)
{
    Variables state = exerciseWith(QStringLiteral("is"), 5);
    const auto j = Answering::judge(state, 1, QStringLiteral("are"), QStringLiteral("3"), 1);
    EXPECT_FALSE(j.right);
    EXPECT_FALSE(j.closedOutOfAttempts);
    EXPECT_EQ(j.scoreText, QStringLiteral("2"));
    EXPECT_EQ(state.TriesLeft[1], 4);
    EXPECT_EQ(state.TriesLeft[2], 5); // other gaps keep theirs
    EXPECT_EQ(state.GapsLeft, 3);
}

TEST(Judge, LastAttemptClosesTheGapAfterItsDebit)
{
    Variables state = exerciseWith(QStringLiteral("is"), 1);
    const auto j = Answering::judge(state, 1, QStringLiteral("x"), QStringLiteral("0"), 1);
    EXPECT_TRUE(j.closedOutOfAttempts);
    EXPECT_EQ(j.triesLeft, 0);
    EXPECT_EQ(j.scoreText, QStringLiteral("-1"));
    EXPECT_EQ(state.GapsLeft, 2);
}

TEST(Judge, CreditTwoDebitHalf)
{
    Variables state = exerciseWith(QStringLiteral("a"), 5, 2);
    state.RightAnswers[2] = QStringLiteral("b");
    const auto first = Answering::judge(state, 1, QStringLiteral("a"), QStringLiteral("0"), 0.5);
    EXPECT_EQ(first.scoreText, QStringLiteral("2"));
    const auto second = Answering::judge(state, 2, QStringLiteral("x"), first.scoreText, 0.5);
    EXPECT_EQ(second.scoreText, QStringLiteral("1.5"));
}

TEST(Judge, ScoreFarBeyondSixteenBitsIsStillWritten)
{
    Variables state = exerciseWith(QStringLiteral("a"), 5, 32767);
    const auto j = Answering::judge(state, 1, QStringLiteral("a"), QStringLiteral("32767"), 1);
    EXPECT_EQ(j.scoreText, QStringLiteral("65534"));
    EXPECT_EQ(Answering::pointsFromScore(j.scoreText), 32767);
}

struct PointsCase
{
    const char *name;
    const char *score;
    int16_t points;
};

class PointsAtTheEnd : public testing::TestWithParam<PointsCase> {};

TEST_P(PointsAtTheEnd, RoundHalfToEvenAndClamp)
{
    EXPECT_EQ(Answering::pointsFromScore(QString::fromUtf8(GetParam().score)), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(Scores, PointsAtTheEnd,
    testing::Values(PointsCase{"two_and_half", "2.5", 2}, PointsCase{"three_and_half", "3.5", 4},
                    PointsCase{"minus_one_and_half", "-1.5", -2}, PointsCase{"whole", "3", 3},
                    PointsCase{"too_high", "40000", 32767}, PointsCase{"too_low", "-40000", -32768},
                    PointsCase{"not_a_number", "**", 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AttemptsMade, SettingMinusAttemptsLeft)
{
    EXPECT_EQ(Answering::attemptsMade(QStringLiteral("5"), QStringLiteral("3")), QStringLiteral("2"));
    EXPECT_EQ(Answering::attemptsMade(QStringLiteral("5"), QStringLiteral("5")), QStringLiteral("0"));
    EXPECT_EQ(Answering::attemptsMade(QStringLiteral(" 3 "), QStringLiteral("0")), QStringLiteral("3"));
}

TEST(GradeText, FromTheEndedExercise)
{
    Variables state;
    state.GapCount = 9;
    state.Credit = 2;
    state.Points = 14;
    EXPECT_EQ(Answering::gradeText(state), QStringLiteral("78"));
    state.GapCount = 0;
    EXPECT_EQ(Answering::gradeText(state), QStringLiteral("0"));
}

} // namespace
