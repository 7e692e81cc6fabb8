#include "common/twips.h"

#include <cmath>

namespace keruna {

int twipsToPixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

double pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

QColor colorFromBgr(qint64 bgr)
{
    const auto v = quint32(bgr & 0xFFFFFF);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

qint64 bgrFromColor(const QColor& color)
{
    return qint64(color.red()) | (qint64(color.green()) << 8) | (qint64(color.blue()) << 16);
}

} // namespace keruna
