#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace keruna {

// Geometry is kept in twips (1440 per inch) in the logic, as the stored settings and
// layout formulas use them; widgets take logical pixels at 96 per inch.
inline constexpr double kTwipsPerPixel = 15.0;

int twipsToPixels(double twips);
double pixelsToTwips(int pixels);

// Colours are stored as 24-bit blue-green-red integers (15962624 = 0xF39200, a blue).
QColor colorFromBgr(qint64 bgr);
qint64 bgrFromColor(const QColor& color);

} // namespace keruna
