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

namespace keruna {

ItemFramePlace itemFramePlace(bool focusScreen, bool reverse)
{
    if (focusScreen)
        return reverse ? ItemFramePlace {-400, 1170} : ItemFramePlace {-600, 990};
    return reverse ? ItemFramePlace {200, 1790} : ItemFramePlace {0, 1590};
}

int focusSteps(int firstSize)
{
    if (firstSize <= 29)
        return 0;
    return (firstSize - 30) / 10 + 1;
}

QSize focusWindowTwips(int firstSize)
{
    const int c = focusSteps(firstSize);
    return {c * 1300 + 5000, c * 450 + 2600};
}

QSize focusCentringBoxTwips(int firstSize)
{
    return {firstSize * 148, firstSize * 71};
}

int clampSplitterTop(int proposed, int innerHeight, int m)
{
    if (proposed < m)
        return m;
    if (proposed > innerHeight - m)
        return innerHeight <= 2 * m ? m : innerHeight - m;
    return proposed;
}

} // namespace keruna
