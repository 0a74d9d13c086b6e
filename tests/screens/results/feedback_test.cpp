#include "screens/results/feedback.h"

#include <gtest/gtest.h>

namespace {

struct BandCase { int grade; Feedback::Band band; bool applause; };

class BandEdges : public testing::TestWithParam<BandCase> {};

TEST_P(BandEdges, MessageBandAndSound)
{
    const auto &c = GetParam();
    EXPECT_EQ(Feedback::bandOf(c.grade), c.band);
    EXPECT_EQ(Feedback::soundFor(c.grade), c.applause ? Feedback::kApplause : Feedback::kLaugh);
    const auto text = Feedback::message(c.grade, 7);
    if (c.band == Feedback::Band::AboveHundred) {
        EXPECT_FALSE(text);
    } else {
        ASSERT_TRUE(text);
        EXPECT_TRUE(Feedback::messages(c.band).contains(*text));
    }
}

INSTANTIATE_TEST_SUITE_P(Grades, BandEdges,
    testing::Values(BandCase{100, Feedback::Band::High, true}, BandCase{90, Feedback::Band::High, true},
                    BandCase{89, Feedback::Band::Middle, true}, BandCase{56, Feedback::Band::Middle, true},
                    // 55 is where the message and the sound part ways.
                    BandCase{55, Feedback::Band::Middle, false}, BandCase{54, Feedback::Band::Low, false},
                    BandCase{0, Feedback::Band::Low, false}, BandCase{-1, Feedback::Band::Negative, false},
                    BandCase{-32768, Feedback::Band::Negative, false},
                    BandCase{101, Feedback::Band::AboveHundred, true}),
    [](const auto &info) {
        const int g = info.param.grade;
        return (g < 0 ? std::string("minus_") : std::string("grade_")) + std::to_string(g < 0 ? -g : g);
    });

TEST(Messages, TwentyOneDistinctTexts)
{
    QStringList all;
    for (auto band : {Feedback::Band::High, Feedback::Band::Middle, Feedback::Band::Low, Feedback::Band::Negative})
        all += Feedback::messages(band);
    EXPECT_EQ(all.size(), 21);
    EXPECT_EQ(all.removeDuplicates(), 0);
    EXPECT_EQ(Feedback::message(-5, 3), QStringLiteral("עליך לתרגל עוד על מנת להצליח"));
    EXPECT_EQ(Feedback::message(95, 7), Feedback::messages(Feedback::Band::High).at(2));
    EXPECT_EQ(Feedback::message(20, 7), Feedback::messages(Feedback::Band::Low).at(7));
}

TEST(MessagePick, EdgesOfTheDraw)
{
    const std::vector<int> picks{Feedback::messagePick(0.0), Feedback::messagePick(0.09999),
                                 Feedback::messagePick(0.1), Feedback::messagePick(0.99999)};
    EXPECT_EQ(picks, (std::vector<int>{0, 0, 1, 9}));
}

} // namespace
