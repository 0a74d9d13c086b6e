#include "screens/exercise/lesson_preparation.h"

namespace Placement {

Preparation prepareLesson(const QString &clozeText, Input page)
{
    using Kind = LessonRules::Finding::Kind;
    Cloze::BuildResult built = Cloze::buildLesson(clozeText);
    if (!built)
        return {std::nullopt, LessonRules::builderRefusal(*built.error)};
    applyGapWidths(page, *built.lesson);
    Result placed = place(*built.lesson, page);
    // The builder counts every gap, the page only those from the start line on.
    if (placed.nextGap - 1 != built.lesson->gapCount())
        return {std::nullopt, LessonRules::Finding{Kind::GapAboveText}};
    if (placed.tooWideLine)
        return {std::nullopt, LessonRules::Finding{Kind::LineTooWide, 0, 0, *placed.tooWideLine}};
    return {Prepared{std::move(*built.lesson), std::move(page), std::move(placed)}, std::nullopt};
}

} // namespace Placement
