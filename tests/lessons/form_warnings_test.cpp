#include "lessons/form_warnings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using Flag = std::tuple<int, int, std::string>; ///< line, gap and answer

struct FormCase
{
    const char *name;
    const char *text; ///< lines joined with "\n"; the rule sees CR LF, as the store holds it
    std::vector<Flag> flags;
};

class FormWarningRule : public testing::TestWithParam<FormCase> {};

TEST_P(FormWarningRule, FlagsUnnamedForms)
{
    std::vector<Flag> flags;
    for (const FormWarnings::Warning &warning : FormWarnings::check(QString::fromUtf8(GetParam().text).replace('\n', QStringLiteral("\r\n"))))
        flags.emplace_back(warning.line, warning.gap, warning.answer.toStdString());
    EXPECT_EQ(flags, GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(Flagged, FormWarningRule,
    testing::Values(
        FormCase{"short_negative", "Fill in.\n1. I &don't& like tea.", {{2, 1, "don't"}}},
        FormCase{"long_negative", "Fill in.\n1. She &is not& here.", {{2, 1, "is not"}}},
        FormCase{"negative_with_its_verb", "Fill in.\n1. He &doesn't play& chess.", {{2, 1, "doesn't play"}}},
        FormCase{"cannot_one_word", "Fill in.\n1. I &cannot& swim.", {{2, 1, "cannot"}}},
        FormCase{"can_not_two_words", "Fill in.\n1. I &can not& swim.", {{2, 1, "can not"}}},
        FormCase{"pronoun_and_be", "Fill in.\n1. &I am& a pupil.", {{2, 1, "I am"}}},
        FormCase{"there_is", "Fill in.\n1. &There is& a cat here.", {{2, 1, "There is"}}},
        FormCase{"am_short", "Fill in.\n1. &I'm& a pupil.", {{2, 1, "I'm"}}},
        FormCase{"is_short_after_that", "Fill in.\n1. &That's& my bag.", {{2, 1, "That's"}}},
        FormCase{"will_short", "Fill in.\n1. &We'll& see.", {{2, 1, "We'll"}}},
        FormCase{"curly_apostrophe", "Fill in.\n1. I &don\u2019t& know.", {{2, 1, "don\u2019t"}}},
        FormCase{"short_answer_with_not", "Fill in.\n1. Are you ill? No, &I'm not&.", {{2, 1, "I'm not"}}},
        FormCase{"cue_holds_the_other_form", "Fill in.\n1. I &don't& (do not) like tea.", {{2, 1, "don't"}}},
        FormCase{"gap_in_brackets_is_no_cue", "Fill in.\n1. I (&don't&) like tea.", {{2, 1, "don't"}}},
        FormCase{"cue_on_another_line", "Fill in.\n1. I (don't) like tea.\n2. I &don't& like milk.", {{3, 1, "don't"}}},
        FormCase{"no_short_forms_names_the_long", "Use no short forms.\n1. She &isn't& here.", {{2, 1, "isn't"}}},
        FormCase{"long_form_names_not_the_short", "Write the long form.\n1. She &isn't& here.", {{2, 1, "isn't"}}},
        FormCase{"short_forms_name_not_the_long", "Use short forms.\n1. She &is not& here.", {{2, 1, "is not"}}},
        FormCase{"form_named_for_another", "Use don't.\n1. He &doesn't& swim.", {{2, 1, "doesn't"}}},
        FormCase{"short_form_names_not_its_long_form", "Use mustn't.\n1. You &must not& go.", {{2, 1, "must not"}}},
        FormCase{"numbering_over_lines", "Fill in.\n1. It &is& cold and I &don't& like it.\n2. &Isn't& it?",
                 {{2, 2, "don't"}, {3, 3, "Isn't"}}},
        FormCase{"one_warning_per_gap", "Fill in.\n1. &it is not& here.", {{2, 1, "it is not"}}}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(NotFlagged, FormWarningRule,
    testing::Values(
        FormCase{"verb_alone", "Write am, is or are.\n1. My brother &is& tall.", {}},
        FormCase{"am_not_has_no_short_form_in_its_gap", "Fill in.\n1. I &am not& hungry.", {}},
        FormCase{"possessive", "Fill in.\n1. This is &Dana's& bag.", {}},
        FormCase{"have_as_main_verb", "Fill in.\n1. &I have& a dog.", {}},
        FormCase{"long_form_ends_a_short_answer", "Fill in.\n1. Is it hot? Yes, &it is&.", {}},
        FormCase{"long_form_ends_the_line", "Fill in.\n1. Is it hot? Yes, &it is&", {}},
        FormCase{"heading_holds_the_form", "Use don't or doesn't.\n1. I &don't& like tea.", {}},
        FormCase{"heading_form_in_other_case", "Write It's or It isn't.\n1. Yes, &it's& late.", {}},
        FormCase{"heading_short_forms", "Use short forms.\n1. She &isn't& here.\n2. &It's& late.", {}},
        FormCase{"heading_short_form_of_cue", "Write the short form of the words in brackets.\n1. I &don't& (do not) swim.", {}},
        FormCase{"heading_long_form", "Write the long form.\n1. &I am& here.", {}},
        FormCase{"heading_full_forms", "Write full forms.\n1. She &is not& here.", {}},
        FormCase{"heading_no_short_forms", "Use no short forms.\n1. She &is not& here.", {}},
        FormCase{"heading_over_two_lines", "A story.\nUse no short forms.\n1. &It is& cold.", {}},
        FormCase{"cue_holds_the_form", "Fill in.\n1. I &don't& (don't / doesn't) like tea.", {}},
        FormCase{"cue_with_curly_apostrophe", "Fill in.\n1. I &don't& (don\u2019t) like tea.", {}},
        FormCase{"cue_names_the_kind", "Fill in.\n1. She &isn't& (short form) here.", {}},
        FormCase{"cue_after_the_gap_on_its_line", "Fill in.\n1. &Don't run& here. (don't)", {}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
