#include "study/layoutmath.h"

#include <algorithm>
#include <cmath>

namespace keruna {

int labelTopTwips(int height)
{
    return int(std::nearbyint((height - 1) * 280.0 + 680.0));
}

int secondSizeOf(int firstSize, int ratioPercent)
{
    return std::max(1, int(std::floor(firstSize * ratioPercent / 100.0)));
}

int gapFactorOf(int spacing)
{
    return int(std::nearbyint(31.0 - (spacing - 1) * 4.0));
}

int answerTopTwips(int labelTop, int firstLabelFontSize, int gapFactor)
{
    return labelTop + 3360 - int(std::floor(double(120 - firstLabelFontSize) * gapFactor));
}

} // namespace keruna
