#include "screens/help/help_scale.h"

#include "state/numbers.h"

#include <algorithm>

namespace HelpScale {

ViewSize viewSizeFromPixels(int widthPixels, int heightPixels)
{
    return {Numbers::clampToInt16(widthPixels * 0.75), Numbers::clampToInt16(heightPixels * 0.75)};
}

QSize scaledPixels(QSize designTwips, ViewSize view)
{
    const double width = designTwips.width() * (double(view.width) / kDesignViewWidth) / kTwipsPerPixel;
    const double height = designTwips.height() * (double(view.height) / kDesignViewHeight) / kTwipsPerPixel;
    return QSize(int(Numbers::roundHalfEven(width)), int(Numbers::roundHalfEven(height)));
}

double scaledPointSize(double designPoints, ViewSize view)
{
    return std::max(designPoints, designPoints * view.height / kDesignViewHeight);
}

} // namespace HelpScale
