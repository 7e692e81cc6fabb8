#pragma once

#include <QString>

class QLabel;

namespace keruna {

// Shows a text that a screen reader should read as it appears: a card's question or
// answer, a test's verdict and score, a search's answer. Such labels carry no accessible
// name of their own: their text is their name, and each change of it, emptying included,
// is told to assistive technology.
void showCardText(QLabel* label, const QString& text);

} // namespace keruna
