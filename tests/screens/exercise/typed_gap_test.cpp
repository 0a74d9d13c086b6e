#include "screens/exercise/typed_gap.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase { const char *name, *text; int cursor; bool hasSelection; int key; bool clearOnNextKey;
                 int select; bool clear, judge; };

class KeyPress : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyPress, OvertypesClearsAndJudges)
{
    const KeyCase &c = GetParam();
    const TypedGap::KeyEffect effect =
        TypedGap::keyPress({QString::fromUtf8(c.text), c.cursor, c.hasSelection}, c.key, c.clearOnNextKey);
    EXPECT_EQ(effect.select, c.select);
    EXPECT_EQ(effect.clear, c.clear);
    EXPECT_EQ(effect.judge, c.judge);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyPress,
    testing::Values(KeyCase{"letter_over_a_sign", "###'#", 0, false, 'i', false, 0, false, false},
                    KeyCase{"letter_in_the_middle", "is##", 2, false, 'n', false, 2, false, false},
                    KeyCase{"letter_at_the_end_is_added", "is", 2, false, 'n', false, -1, false, false},
                    KeyCase{"space_overtypes_too", "ab", 0, false, ' ', false, 0, false, false},
                    KeyCase{"selection_is_replaced_as_it_is", "abc", 0, true, 'x', false, -1, false, false},
                    KeyCase{"carriage_return_is_never_typed_over", "a\rb", 1, false, 'x', false, -1, false, false},
                    KeyCase{"backspace_does_not_overtype", "abc", 1, false, 8, false, -1, false, false},
                    KeyCase{"enter_judges", "went", 4, false, 13, false, -1, false, true},
                    KeyCase{"key_after_a_wrong_answer_clears", "####", 0, false, 'x', true, 0, true, false},
                    KeyCase{"enter_after_a_wrong_answer_judges_the_empty_box", "gone", 4, false, 13, true, -1, true, true},
                    KeyCase{"backspace_after_a_wrong_answer_clears", "gone", 4, false, 8, true, -1, true, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
