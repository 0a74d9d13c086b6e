#include "lessons/cloze_builder.h"

#include "platform/text_lines.h"
#include "state/variables.h"

namespace Cloze {

namespace {
const QChar kMarker = QLatin1Char('&');
}

QStringList splitLines(const QString &clozeText)
{
    return TextLines::split(clozeText + QStringLiteral("\r\n"));
}

QString heading(const QString &clozeText)
{
    const int one = clozeText.indexOf(QLatin1Char('1'));
    return one < 0 ? clozeText : clozeText.left(one);
}

QString signMask(const QString &answer)
{
    QString mask = answer;
    for (QChar &c : mask) {
        if (c.unicode() >= 65 && c.unicode() <= 122)
            c = QLatin1Char('#');
    }
    return mask;
}

bool isStartLine(const QString &line)
{
    return line.startsWith(QLatin1Char('1'));
}

QList<GapSpan> scanGaps(const QString &line, int *unpairedAt)
{
    QList<GapSpan> gaps;
    int unpaired = -1;
    int scan = 0;
    for (;;) {
        const int open = int(line.indexOf(kMarker, scan));
        if (open < 0)
            break;
        const int close = int(line.indexOf(kMarker, open + 1));
        if (close < 0) {
            unpaired = open;
            break;
        }
        gaps.append(GapSpan{open, close, scan});
        scan = close + 1;
    }
    if (unpairedAt)
        *unpairedAt = unpaired;
    return gaps;
}

BuildResult buildLesson(const QString &clozeText)
{
    Lesson lesson;
    lesson.heading = heading(clozeText);
    lesson.lines = splitLines(clozeText);

    bool bodyStarted = false;
    for (int lineIndex = 0; lineIndex < lesson.lines.size(); ++lineIndex) {
        const QString &line = lesson.lines.at(lineIndex);
        const int lineNumber = lineIndex + 1;
        bodyStarted = bodyStarted || isStartLine(line);

        // Heading lines are parsed too, as the gap numbering counts them.
        int unpairedAt = -1;
        for (const GapSpan &gap : scanGaps(line, &unpairedAt)) {
            if (lesson.answers.size() == Variables::kMaxGaps)
                return {std::nullopt, BuildError{BuildError::Kind::TooManyGaps, lineNumber}};
            const QString answer = gap.answer(line);
            lesson.answers.append(answer);
            lesson.masks.append(signMask(answer));
            lesson.longestAnswer = std::max(lesson.longestAnswer, int(answer.size()));
            if (bodyStarted && gap.showsRunBefore())
                ++lesson.textRuns;
        }
        if (unpairedAt >= 0)
            return {std::nullopt, BuildError{BuildError::Kind::UnpairedMarker, lineNumber}};
        if (bodyStarted) {
            ++lesson.textRuns; // the rest of the line, possibly empty
            if (lesson.textRuns > kMaxTextRuns)
                return {std::nullopt, BuildError{BuildError::Kind::TooManyTextRuns, lineNumber}};
        }
    }

    lesson.wordBank.append(lesson.answers.value(0));
    for (int g = 1; g < lesson.answers.size(); ++g) {
        if (lesson.answers.at(g) != lesson.answers.at(g - 1))
            lesson.wordBank.append(lesson.answers.at(g));
    }
    return {std::move(lesson), std::nullopt};
}

void applyLesson(const Lesson &lesson, Variables &state)
{
    for (int slot = 0; slot < Variables::kSlots; ++slot) {
        state.GapWords[slot][0].clear();
        state.GapWords[slot][1].clear();
        state.RightAnswers[slot].clear();
        state.WordBank[slot].clear();
    }
    const int gaps = lesson.gapCount();
    for (int g = 1; g <= gaps; ++g) {
        state.GapWords[g][0] = lesson.answers.at(g - 1);
        state.GapWords[g][1] = lesson.masks.at(g - 1);
        state.RightAnswers[g] = lesson.answers.at(g - 1);
    }
    for (int i = 0; i < lesson.wordBank.size(); ++i)
        state.WordBank[i + 1] = lesson.wordBank.at(i);
    state.WordBankCount = int16_t(lesson.wordBank.size());
    state.GapCount = int16_t(gaps);
    state.GapsLeft = int16_t(gaps);
}

} // namespace Cloze
