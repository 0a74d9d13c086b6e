#pragma once

/// Where the page stands after a gap receives the focus. All values are twips;
/// the page's position is always minus the matching scroll bar's value, so the
/// bars and the page never disagree.
namespace PageScroll {

struct Range
{
    int minimum = 0;
    int maximum = 0;
    bool enabled = false; ///< false when the page fits the viewport that way
};

/// Vertical bar value that shows the whole gap [top, top + height) in a viewport of
/// `viewportHeight`, moving the page as little as needed from `currentValue`.
int verticalValue(int gapTop, int gapHeight, int viewportHeight, int currentValue, const Range &bar);

/// Horizontal bar value: when the gap's right edge passes 85 % of the screen's width,
/// the page moves left to 30 % into the gap before it; otherwise back to the left edge.
/// Where that would leave the gap partly outside a viewport of `viewportWidth`, the
/// page moves on just far enough to show it whole.
int horizontalValue(int gapLeft, int gapWidth, int screenWidth, int previousLeft, int previousWidth,
                    int viewportWidth, const Range &bar);

} // namespace PageScroll
