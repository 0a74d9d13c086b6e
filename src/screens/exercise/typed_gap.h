#pragma once

#include <QString>

/// What a key does to a typed gap before the box itself applies it.
namespace TypedGap {

constexpr int kEnter = 13;

/// The box as the key finds it.
struct Box
{
    QString text;
    int cursor = 0;
    bool hasSelection = false;
};

struct KeyEffect
{
    /// Overtype: the character after the caret becomes the selection, so that the
    /// typed one replaces it instead of being inserted. -1: nothing to select.
    int select = -1;
    bool clear = false; ///< the box is emptied first (the key after a wrong answer)
    bool judge = false; ///< Enter: the text is judged
};

/// key is the character code (Enter 13, Backspace 8). clearOnNextKey is 1 after a
/// wrong answer; it is 0 again after every key, whatever the key was.
KeyEffect keyPress(const Box &box, int key, bool clearOnNextKey);

} // namespace TypedGap
