#pragma once

namespace keruna {

// Vertical layout of the two item labels, in twips.

// Top of the first line for a height setting of 1–9: 680 to 2920.
int labelTopTwips(int height);
// The answer's font size: the whole part of size × ratio / 100, at least 1.
int secondSizeOf(int firstSize, int ratioPercent);
// Spacing factor from the distance setting (1–9): 31 down to −1.
int gapFactorOf(int spacing);
// Top of the second line: it moves up by gapFactor twips per point below 120.
int answerTopTwips(int labelTop, int firstLabelFontSize, int gapFactor);

} // namespace keruna
