#pragma once

#include <QString>

class QWidget;

namespace keruna {

// What a screen reader should say for a control that shows only a picture: its tool tip up
// to the first space, "※" or bracket ("一時停止　※Delete" → "一時停止"); empty when the
// tool tip is only a key hint. A single space between two words of a spaced script such as
// English does not end the phrase ("Skip question ※Enter" → "Skip question").
QString firstPhrase(const QString& toolTip);

// Readies a built screen for screen readers. Each control without a caption of its own
// (picture buttons, boxes, lists) is named after the first phrase of its tool tip and
// follows the tool tip when it changes; the whole tool tip stays its description. Buttons
// with a caption are named by it, so a caption changed at run time is what is heard. A
// name given by hand is kept. A screen that is a plain widget window reports itself as a
// window, not as a filler.
void makeAccessible(QWidget* screen);

} // namespace keruna
