#pragma once

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace Cloze {
struct Lesson;
}

/// Lays a built lesson out as rows of text runs and gap controls. Pure: the screen
/// supplies the sizes it has and a text-width measure, and applies the result.
namespace Placement {

constexpr int kControls = 100;  // instances of each page control array
constexpr int kMaxRowEnd = 32767; // positions are 16-bit twips

struct Piece
{
    enum class Kind { TextRun, Gap };
    Kind kind = Kind::TextRun;
    int index = 0;   ///< Label4 index for a run, gap number for a gap
    int left = 0;
    int top = 0;
    QString text;    ///< caption of a run; the sign mask of a gap when signs are on
    bool setText = false;
};

struct Input
{
    bool magazine = true;
    bool signs = true;
    int headingLeft = 0;
    int headingTop = 0;
    int headingHeight = 0;
    int innerWidth = 0; ///< the page frame is only ever widened
    std::array<int, kControls> typedWidths{};  ///< current widths of Text1(i)
    std::array<int, kControls> choiceWidths{}; ///< current widths of Combo1(i)
    std::function<int(const QString &)> measure; ///< rendered width of a text run, twips
    /// Rendered width of a word-bank entry or mask in a choice gap's font, twips; none
    /// leaves choice gaps at their lesson width.
    std::function<int(const QString &)> measureChoiceText;
    int choiceChrome = 0; ///< twips a choice gap needs beside its text: frame, button, margins
};

struct Result
{
    std::vector<Piece> pieces;
    int innerWidth = 0;
    int innerHeight = 0;
    int scrollMax = 0;
    int nextTextPiece = 1;
    int nextGap = 1;
    std::optional<int> tooWideLine; ///< 1-based line whose row reaches 32768 twips
};

/// Width of every gap of a lesson whose longest answer has `longestAnswer` characters.
int typedGapWidth(int longestAnswer);
int choiceGapWidth(int longestAnswer);

/// The gap-width step of a build: the lesson's gaps of the kind in use get the width
/// for its longest answer; the other kind keeps its widths. A choice gap is made no
/// narrower than its widest entry or mask plus the chrome, so that it shows whole
/// beside the list's button.
void applyGapWidths(Input &input, const Cloze::Lesson &lesson);

/// Top of row r below the heading at top T with height H: T + (0.45 r + 0.63) H.
int rowTop(int headingTop, int headingHeight, int row);

Result place(const Cloze::Lesson &lesson, const Input &input);

} // namespace Placement
