// Any lesson that builds can be placed: every gap at most once and in order, text runs within
// the page's labels, and a page frame that holds every control it placed.
#include "lessons/cloze_builder.h"
#include "lessons/lesson_rules.h"
#include "screens/exercise/page_placement.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int perCharacter = 1 + data[1]; // twips a character, so widths vary with the input
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const Cloze::BuildResult built = Cloze::buildLesson(text);
    if (!built)
        return 0;
    const Cloze::Lesson &lesson = *built.lesson;

    Placement::Input input;
    input.magazine = data[0] & 1;
    input.signs = data[0] & 2;
    input.headingLeft = 120;
    input.headingHeight = 1336;
    input.innerWidth = 12600;
    input.typedWidths.fill(855);
    input.choiceWidths.fill(2000);
    input.measure = [perCharacter](const QString &run) { return int(run.size()) * perCharacter; };
    Placement::applyGapWidths(input, lesson);
    const Placement::Result placed = Placement::place(lesson, input);

    int nextGap = 1;
    int lastTop = 0;
    for (const Placement::Piece &piece : placed.pieces) {
        if (piece.top < lastTop || piece.left < input.headingLeft || piece.top > placed.innerHeight)
            std::abort();
        lastTop = piece.top;
        int width = 0;
        if (piece.kind == Placement::Piece::Kind::Gap) {
            if (piece.index != nextGap++)
                std::abort();
            if (input.signs && piece.text.size() != lesson.answers.at(piece.index - 1).size())
                std::abort();
            width = input.magazine ? input.choiceWidths[piece.index] : input.typedWidths[piece.index];
        } else {
            if (piece.index < 1 || piece.index >= Placement::kControls)
                std::abort();
            width = input.measure(piece.text);
        }
        if (piece.left + width > placed.innerWidth)
            std::abort();
    }
    if (nextGap - 1 > lesson.gapCount() || placed.nextGap != nextGap || placed.innerWidth < input.innerWidth)
        std::abort();
    // Gaps above the first line of the text are counted but not placed: exactly the
    // lessons the rules refuse for a gap above the text.
    const QList<LessonRules::Finding> findings = LessonRules::checkText(text);
    const bool gapAbove = std::any_of(findings.begin(), findings.end(), [](const LessonRules::Finding &f) {
        return f.kind == LessonRules::Finding::Kind::GapAboveText;
    });
    if ((nextGap - 1 != lesson.gapCount()) != gapAbove)
        std::abort();
    return 0;
}
