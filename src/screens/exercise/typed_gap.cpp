#include "screens/exercise/typed_gap.h"

namespace TypedGap {

KeyEffect keyPress(const Box &box, int key, bool clearOnNextKey)
{
    KeyEffect effect;
    // A carriage return after the caret is never typed over.
    if (!box.hasSelection && key >= 32 && box.cursor < box.text.size()
        && box.text.at(box.cursor) != QLatin1Char('\r'))
        effect.select = box.cursor;
    effect.clear = clearOnNextKey;
    effect.judge = key == kEnter;
    return effect;
}

} // namespace TypedGap
