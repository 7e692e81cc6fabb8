#pragma once

#include "settings/settingsschema.h"

#include <QFont>

namespace keruna {

// A stored font and a font of the screen, each from the other. The name is kept as stored,
// not as the family the font system substituted for it.
FontSetting fontSettingOf(const QFont& font, bool withSize);
QFont fontOf(const FontSetting& setting);

// Stored settings name the Japanese Windows fonts (ＭＳ Ｐゴシック, ＭＳ Ｐ明朝, ...).
// Where they are missing, map them to the Japanese fonts of the system directly, instead
// of leaving fontconfig to guess (slowly, and often a font without kana).
void installFontSubstitutes();

} // namespace keruna
