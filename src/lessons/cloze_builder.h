#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct Variables;

/// The cloze text format: a heading, a start line beginning with "1", and gaps
/// marked "&answer&" within a line. Pure functions; nothing here touches a screen.
namespace Cloze {

constexpr int kMaxTextRuns = 99; // text-run labels the page has besides the heading

/// Lines as a line-by-line read of the working lesson file gives them: the text is
/// written with a CR LF appended; CR LF or a lone CR ends a line, a lone LF does not.
QStringList splitLines(const QString &clozeText);

/// Everything before the first "1", line breaks included; the whole text if it has none.
QString heading(const QString &clozeText);

/// Every character from "A" to "z" (codes 65..122) becomes "#"; others stay.
QString signMask(const QString &answer);

/// True for the line that starts the body of the exercise.
bool isStartLine(const QString &line);

/// One gap of a line: where its two markers stand, and the text run before it.
struct GapSpan
{
    int open = 0;  ///< index of the opening "&" in the line
    int close = 0; ///< index of the closing "&"
    int from = 0;  ///< where the text before it begins: the line start or just past the previous gap

    QString answer(const QString &line) const { return line.mid(open + 1, close - open - 1); }
    QString runBefore(const QString &line) const { return line.mid(from, open - from); }
    /// A single character before a gap (typically the blank after the previous gap)
    /// is not shown and takes no label: the gap follows directly.
    bool showsRunBefore() const { return open - from != 1; }
};

/// The gaps of one line, markers paired from the left. A last "&" without a partner
/// gives no gap; *unpairedAt, when given, gets its index, or -1 when every marker pairs.
QList<GapSpan> scanGaps(const QString &line, int *unpairedAt = nullptr);

/// Why a text cannot be built; its messages are the lesson rules'.
struct BuildError
{
    enum class Kind { UnpairedMarker, TooManyGaps, TooManyTextRuns };
    Kind kind;
    int line = 0; ///< 1-based line of the lesson text where the problem shows
};

struct Lesson
{
    QString heading;
    QStringList lines;     ///< every line, heading lines included
    QStringList answers;   ///< gap order; gap g is answers[g - 1]
    QStringList masks;     ///< sign mask of each answer
    QStringList wordBank;  ///< answers without immediate repeats; one empty entry when there are no gaps
    int longestAnswer = 0; ///< characters of the longest answer: sets the gap widths
    int textRuns = 0;      ///< text-run labels the page will need

    int gapCount() const { return int(answers.size()); }
};

struct BuildResult
{
    std::optional<Lesson> lesson;
    std::optional<BuildError> error;
    explicit operator bool() const { return lesson.has_value(); }
};

/// Parses a cloze text, or refuses it: an unpaired marker, more than 50 gaps or more
/// than 99 text runs give an error naming the line. Nothing is written anywhere.
BuildResult buildLesson(const QString &clozeText);

/// Writes a built lesson into the exercise state: every slot is emptied first, so
/// nothing of an earlier lesson survives; GapCount and GapsLeft become the gap count.
void applyLesson(const Lesson &lesson, Variables &state);

} // namespace Cloze
