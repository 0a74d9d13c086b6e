#pragma once

#include "lessons/cloze_builder.h"
#include "lessons/lesson_rules.h"
#include "screens/exercise/page_placement.h"

#include <optional>

namespace Placement {

/// A lesson ready for the page: built, its gaps sized and every piece placed.
struct Prepared
{
    Cloze::Lesson lesson;
    Input input; ///< the page input with the lesson's gap widths
    Result placed;
};

struct Preparation
{
    std::optional<Prepared> prepared;
    std::optional<LessonRules::Finding> refusal; ///< why the pupil program does not open it
};

/// Builds, sizes and places a cloze text on a page, or gives the first refusal: the
/// builder's, then a gap above the text, then a line too wide for the page. `page`
/// holds the page's current sizes and measures; nothing is written anywhere.
Preparation prepareLesson(const QString &clozeText, Input page);

} // namespace Placement
