// Any text either builds into a lesson that keeps the exercise record's bounds, or
// is refused with an error naming a line of the text.
#include "lessons/cloze_builder.h"
#include "state/variables.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const Cloze::BuildResult result = Cloze::buildLesson(text);
    if (!result) {
        if (!result.error || result.error->line < 1 || result.error->line > Cloze::splitLines(text).size())
            std::abort();
        return 0;
    }
    static Variables state;
    Cloze::applyLesson(*result.lesson, state);
    if (state.GapCount < 0 || state.GapCount > Variables::kMaxGaps || state.GapsLeft != state.GapCount
        || state.WordBankCount < 1 || state.WordBankCount > Variables::kMaxGaps || result.lesson->textRuns > Cloze::kMaxTextRuns)
        std::abort();
    for (int g = 1; g <= state.GapCount; ++g) {
        if (state.GapWords[g][1].size() != state.GapWords[g][0].size() || state.RightAnswers[g] != state.GapWords[g][0])
            std::abort();
    }
    return 0;
}
