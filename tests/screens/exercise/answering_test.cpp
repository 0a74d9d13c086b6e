#include "screens/exercise/answering.h"

#include "state/variables.h"

#include <gtest/gtest.h>

namespace {

// typed: gap 1's answer is «went»; gapsLeftAfter: of 3
struct JudgeCase { const char *name, *typed; int16_t tries, credit; double debit; const char *scoreBefore;
                   bool right, closedOut; const char *scoreAfter; int16_t triesAfter, gapsLeftAfter; };

class Judge : public testing::TestWithParam<JudgeCase> {};

TEST_P(Judge, ScoresAndCounts)
{
    const JudgeCase &c = GetParam();
    Variables state;
    state.RightAnswers[1] = QStringLiteral("went");
    state.TriesLeft.fill(c.tries);
    state.Credit = c.credit;
    state.GapCount = state.GapsLeft = 3;
    const auto j = Answering::judge(state, 1, QString::fromUtf8(c.typed), QString::fromUtf8(c.scoreBefore), c.debit);
    EXPECT_EQ(j.right, c.right);
    EXPECT_EQ(j.closedOutOfAttempts, c.closedOut);
    EXPECT_EQ(j.scoreText, QString::fromUtf8(c.scoreAfter));
    EXPECT_EQ(j.triesLeft, c.triesAfter);
    EXPECT_EQ(state.TriesLeft[1], c.triesAfter);
    EXPECT_EQ(state.TriesLeft[2], c.tries); // other gaps keep theirs
    EXPECT_EQ(state.GapsLeft, c.gapsLeftAfter);
}

INSTANTIATE_TEST_SUITE_P(Answers, Judge,
    testing::Values(JudgeCase{"right_adds_the_credit", "went", 5, 12, 1, "0", true, false, "12", 5, 2},
                    JudgeCase{"capital_is_wrong", "Went", 5, 1, 1, "3", false, false, "2", 4, 3},
                    JudgeCase{"trailing_space_is_wrong", "went ", 5, 1, 1, "0", false, false, "-1", 4, 3},
                    JudgeCase{"signs_left_are_wrong", "wen#", 5, 1, 1, "0", false, false, "-1", 4, 3},
                    JudgeCase{"half_a_point_debit", "x", 5, 2, 0.5, "2", false, false, "1.5", 4, 3},
                    JudgeCase{"last_attempt_closes_after_its_debit", "x", 1, 1, 1, "0", false, true, "-1", 0, 2},
                    // With no attempts set, a right answer also closes the gap for lack of them.
                    JudgeCase{"zero_attempts_closes_twice", "went", 0, 1, 1, "0", true, true, "1", 0, 1},
                    JudgeCase{"beyond_sixteen_bits_is_written", "went", 5, 32767, 1, "32767", true, false, "65534", 5, 2}),
    [](const auto &info) { return std::string(info.param.name); });

// The rounding and the clamp are the number rules' own: here only that both apply.
TEST(PointsAtTheEnd, TheScoreRoundedHalfToEvenAndClamped)
{
    EXPECT_EQ(Answering::pointsFromScore(QStringLiteral("3.5")), 4);
    EXPECT_EQ(Answering::pointsFromScore(QStringLiteral("2.5")), 2);
    EXPECT_EQ(Answering::pointsFromScore(QStringLiteral("40000")), 32767);
    EXPECT_EQ(Answering::pointsFromScore(QStringLiteral("**")), 0);
}

// Every gap closed out of attempts: the grade goes below zero, as the score did.
TEST(GradeText, FollowsANegativeScore)
{
    Variables state;
    state.GapCount = 2;
    state.Credit = 1;
    state.Points = -1;
    EXPECT_EQ(Answering::gradeText(state), QStringLiteral("-50"));
}

TEST(AttemptsMade, SettingMinusAttemptsLeft)
{
    EXPECT_EQ(Answering::attemptsMade(QStringLiteral("5"), QStringLiteral("3")), QStringLiteral("2"));
    EXPECT_EQ(Answering::attemptsMade(QStringLiteral(" 3 "), QStringLiteral("0")), QStringLiteral("3"));
}

} // namespace
