#pragma once

#include <QString>

#include <optional>

namespace keruna {

// Numbers as a user types them: optional blanks and sign, digits with at most one
// decimal point, optional exponent. "", "abc", "1.2.3" and "ERROR" are not numeric.
bool isNumeric(const QString& text);
std::optional<double> toNumber(const QString& text);

// "True"/"False" in any letter case, or a number (non-zero is true).
std::optional<bool> toBool(const QString& text);

// Rounded (half to even) to a 16-bit integer; nullopt when not numeric or out
// of range.
std::optional<int> toInt16(const QString& text);
std::optional<int> roundToInt16(double value);

// Whole part toward minus infinity, and cut toward zero.
double wholePart(double value);
double cutTowardZero(double value);

// Shortest plain decimal text: 5 → "5", 0.5 → "0.5", 15962624 → "15962624".
QString numberText(double value);

// "True" / "False" as settings store booleans.
inline QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace keruna
