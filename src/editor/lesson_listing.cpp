#include "editor/lesson_listing.h"

#include "lessons/cloze_builder.h"
#include "lessons/patterns.h"

#include <algorithm>
#include <map>
#include <set>

namespace Editor {

LessonListing listLessons(const QList<Row> &rows)
{
    LessonListing listing;
    std::map<int, int> patternIndex;
    for (int pattern : Patterns::namedPatternNumbers()) {
        patternIndex[pattern] = int(listing.patterns.size());
        listing.patterns.append(PatternLessons{pattern, {}});
    }
    // The first row of a number in table order is the one the lesson click reads.
    std::set<std::pair<int, int>> seen;
    for (const Row &row : rows) {
        const Lessons::StoredLesson &l = row.lesson;
        ListedRow entry{row.id, l.pattern, l.lesson, l.isNull ? QString() : Cloze::heading(l.cloze), Hidden::No};
        const bool first = seen.insert({l.pattern, l.lesson}).second;
        if (!patternIndex.count(l.pattern))
            entry.hidden = Hidden::UnnamedPattern;
        else if (l.lesson < 1 || l.lesson > Patterns::kHighestLessonNumber)
            entry.hidden = Hidden::OutOfRange;
        else if (!first)
            entry.hidden = Hidden::SecondRow;
        else if (!l.hasText())
            entry.hidden = Hidden::EmptyText;
        if (entry.hidden == Hidden::No)
            listing.patterns[patternIndex[l.pattern]].lessons.append(entry);
        else
            listing.apart.append(entry);
    }
    const auto byNumber = [](const ListedRow &a, const ListedRow &b) {
        return std::tie(a.pattern, a.lesson) < std::tie(b.pattern, b.lesson);
    };
    for (PatternLessons &pattern : listing.patterns)
        std::stable_sort(pattern.lessons.begin(), pattern.lessons.end(), byNumber);
    std::stable_sort(listing.apart.begin(), listing.apart.end(), byNumber);
    return listing;
}

} // namespace Editor
