#pragma once

#include <QFont>

class QWidget;

namespace keruna {

// Fonts of controls in panels that start hidden (the typing row, the GET list). A line
// edit or a list given a font lays out its text at once, which loads the font's glyphs;
// for a control nobody sees yet that is work on the way to the first window. The font is
// kept until the control is first shown, then given to it.
void setFontWhenShown(QWidget* widget, const QFont& font);
// The font the control has, or will have once shown.
QFont fontWhenShown(const QWidget* widget);

} // namespace keruna
