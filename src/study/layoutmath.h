#pragma once

#include <QSize>

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

namespace keruna {

// Where the item frame stands in a view, and how far above the frame's bottom edge the
// item number sits (twips).
struct ItemFramePlace {
    int frameTop;
    int numberFromFrameBottom;
};
ItemFramePlace itemFramePlace(bool focusScreen, bool reverse);

// The focus screen's size for a question font size: a step of 1300 × 450 twips for every
// 10 points from 30 on.
int focusSteps(int firstSize);
QSize focusWindowTwips(int firstSize);
// The box the focus window is centred on within the old window.
QSize focusCentringBoxTwips(int firstSize);

// The splitter over the GET panel keeps at least the button bar's height m above and
// below it.
int clampSplitterTop(int proposed, int innerHeight, int m);

} // namespace keruna
