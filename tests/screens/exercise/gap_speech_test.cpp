#include "screens/exercise/gap_speech.h"

#include "lessons/cloze_builder.h"

#include <gtest/gtest.h>

namespace {

// sentences: gap order
struct RowCase { const char *name; const char *lesson; std::vector<const char *> sentences; };

class Sentences : public testing::TestWithParam<RowCase> {};

TEST_P(Sentences, ShowTheGapAsABlankAndGiveNoAnswerAway)
{
    const RowCase &c = GetParam();
    const Cloze::BuildResult built = Cloze::buildLesson(QString::fromUtf8(c.lesson));
    ASSERT_TRUE(built);
    const QStringList said = GapSpeech::sentences(*built.lesson);
    ASSERT_EQ(said.size(), int(c.sentences.size()));
    for (size_t i = 0; i < c.sentences.size(); ++i)
        EXPECT_EQ(said.at(int(i)).toStdString(), c.sentences[i]) << "gap " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Sentences,
    testing::Values(
        RowCase{"gap_inside_a_row", "Head\r\n1. I &am& a pupil.", {"1. I ___ a pupil."}},
        RowCase{"gap_ends_the_row", "Head\r\n1. It is &hers&", {"1. It is ___"}},
        RowCase{"two_gaps_of_one_row", "Head\r\n1. Say &a& and &b& now.", {"1. Say ___ and ... now.", "1. Say ... and ___ now."}},
        RowCase{"gaps_side_by_side", "Head\r\n1. &do& &not& go", {"1. ___ ... go", "1. ... ___ go"}},
        RowCase{"numbered_over_the_rows", "Head\r\n1. &a& x\r\n\r\n2. y &b&", {"1. ___ x", "2. y ___"}},
        RowCase{"blanks_of_the_text_kept_short", "Head\r\n1.   I  &am&   here.", {"1. I ___ here."}},
        RowCase{"no_gaps", "Head\r\n1. Nothing to fill.", {}}),
    [](const auto &info) { return std::string(info.param.name); });

struct WrongCase { const char *name; int triesLeft; const char *said; };

class Wrong : public testing::TestWithParam<WrongCase> {};

TEST_P(Wrong, SaysTheAttemptsLeft)
{
    EXPECT_EQ(GapSpeech::wrong(3, 12, GetParam().triesLeft).toStdString(), GetParam().said);
}

INSTANTIATE_TEST_SUITE_P(
    Attempts, Wrong,
    testing::Values(WrongCase{"several", 4, "השלמה 3 מתוך 12. לא נכון, נשארו עוד 4 נסיונות"},
                    WrongCase{"one", 1, "השלמה 3 מתוך 12. לא נכון, נשאר עוד נסיון אחד"},
                    // An attempts setting of 0 keeps the gap open below zero: no count to say.
                    WrongCase{"none_set", -1, "השלמה 3 מתוך 12. לא נכון"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
