#include "screens/exercise/page_placement.h"

#include "lessons/cloze_builder.h"
#include "state/numbers.h"

#include <algorithm>

namespace Placement {

namespace {
double rowTopExact(int headingTop, int headingHeight, int row)
{
    return headingTop + (0.45 * row + 0.63) * headingHeight;
}

int whole(double twips)
{
    return int(Numbers::roundHalfEven(twips));
}
} // namespace

int typedGapWidth(int longestAnswer)
{
    return (longestAnswer + 2) * 130;
}

int choiceGapWidth(int longestAnswer)
{
    return (longestAnswer + 2) * 150;
}

void applyGapWidths(Input &input, const Cloze::Lesson &lesson)
{
    int choiceMinimum = 0;
    if (input.magazine && input.measureChoiceText) {
        // The designed width is shared by the text and the list's button, which hid part
        // of short masks; the list widens only where that happens.
        for (const QStringList *texts : {&lesson.wordBank, &lesson.masks}) {
            for (const QString &text : *texts)
                choiceMinimum = std::max(choiceMinimum, input.measureChoiceText(text) + input.choiceChrome);
        }
    }
    for (int g = 1; g <= lesson.gapCount() && g < kControls; ++g) {
        if (input.magazine)
            input.choiceWidths[g] = std::max(choiceGapWidth(lesson.longestAnswer), choiceMinimum);
        else
            input.typedWidths[g] = typedGapWidth(lesson.longestAnswer);
    }
}

int rowTop(int headingTop, int headingHeight, int row)
{
    return whole(rowTopExact(headingTop, headingHeight, row));
}

Result place(const Cloze::Lesson &lesson, const Input &input)
{
    Result r;
    r.innerWidth = input.innerWidth;
    auto widen = [&r](int x) { r.innerWidth = std::max(r.innerWidth, x); };
    auto gapWidth = [&input](int gap) {
        const int i = std::min(gap, kControls - 1);
        return input.magazine ? input.choiceWidths[i] : input.typedWidths[i];
    };

    bool textStarted = false;
    int row = 1;
    for (int lineIndex = 0; lineIndex < lesson.lines.size(); ++lineIndex) {
        const QString &line = lesson.lines.at(lineIndex);
        textStarted = textStarted || Cloze::isStartLine(line);
        if (!textStarted)
            continue;
        const int top = rowTop(input.headingTop, input.headingHeight, row);
        int cursor = whole(input.headingLeft);
        int restFrom = 0;
        for (const Cloze::GapSpan &gap : Cloze::scanGaps(line)) {
            const int w = gapWidth(r.nextGap);
            const QString mask = lesson.masks.value(r.nextGap - 1);
            widen(cursor + w);
            if (!gap.showsRunBefore()) {
                r.pieces.push_back({Piece::Kind::Gap, r.nextGap, cursor, top, mask, input.signs});
                cursor += w;
                if (!input.magazine)
                    widen(cursor + w);
            } else {
                const QString before = gap.runBefore(line);
                const int labelWidth = input.measure(before);
                r.pieces.push_back({Piece::Kind::TextRun, r.nextTextPiece, cursor, top, before, true});
                r.pieces.push_back({Piece::Kind::Gap, r.nextGap, cursor + labelWidth, top, mask, input.signs});
                cursor += labelWidth + w;
                ++r.nextTextPiece;
            }
            ++r.nextGap;
            restFrom = gap.close + 1;
        }
        // The rest of the line, possibly empty, ends the row.
        const QString rest = line.mid(restFrom);
        r.pieces.push_back({Piece::Kind::TextRun, r.nextTextPiece, cursor, top, rest, true});
        cursor += input.measure(rest);
        widen(cursor + input.typedWidths[std::min(r.nextGap, kControls - 1)]);
        ++r.nextTextPiece;
        // Widths are never negative, so the row's end is its farthest point.
        if (cursor > kMaxRowEnd && !r.tooWideLine)
            r.tooWideLine = lineIndex + 1;
        ++row;
    }
    const double height = rowTopExact(input.headingTop, input.headingHeight, row);
    r.innerHeight = whole(height);
    r.scrollMax = whole(height);
    return r;
}

} // namespace Placement
