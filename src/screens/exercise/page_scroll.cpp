#include "screens/exercise/page_scroll.h"

#include <algorithm>
#include <cmath>

namespace PageScroll {

namespace {
int clampTo(int value, const Range &bar)
{
    if (!bar.enabled)
        return std::clamp(value, std::min(bar.minimum, 0), 0);
    return std::clamp(value, bar.minimum, std::max(bar.minimum, bar.maximum));
}
} // namespace

int verticalValue(int gapTop, int gapHeight, int viewportHeight, int currentValue, const Range &bar)
{
    // The page's top is -value, so the gap shows at gapTop - value.
    int value = currentValue;
    if (gapTop + gapHeight - value > viewportHeight)
        value = gapTop + gapHeight - viewportHeight;
    if (gapTop - value < 0)
        value = gapTop;
    return clampTo(value, bar);
}

int horizontalValue(int gapLeft, int gapWidth, int screenWidth, int previousLeft, int previousWidth,
                    int viewportWidth, const Range &bar)
{
    const float rightEdge = float(gapLeft) + float(gapWidth);
    int value = 0;
    if (rightEdge > 0.85f * float(screenWidth))
        value = int(std::lround(double(previousLeft) + 0.3 * double(previousWidth)));
    // Following the gap before can leave this one beyond the viewport's right edge
    // when the two stand far apart on a long row.
    if (gapLeft + gapWidth - value > viewportWidth)
        value = gapLeft + gapWidth - viewportWidth;
    if (gapLeft < value)
        value = gapLeft;
    return clampTo(value, bar);
}

} // namespace PageScroll
