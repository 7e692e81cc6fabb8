#pragma once

#include "settings/settingsschema.h"

#include <QFont>

namespace keruna {

// A stored font and a font of the screen, each from the other. The name is kept as stored,
// not as the family the font system substituted for it.
FontSetting fontSettingOf(const QFont& font, bool withSize);
QFont fontOf(const FontSetting& setting);

// A stored font this system does not have (a list of settings from another machine)
// stands in for a Japanese font under its own name: the text still shows, and the name is
// saved back as it was.
void substituteIfMissing(const QString& family);

// Stored settings name the Japanese Windows fonts (ＭＳ Ｐゴシック, ＭＳ Ｐ明朝, ...).
// Where they are missing, map them to the Japanese fonts of the system directly, instead
// of leaving fontconfig to guess (slowly, and often a font without kana).
void installFontSubstitutes();

// What the font dialog opens on for a stored font: the font itself when the system has
// it; otherwise the family its text is shown in, with the stored style and size. The
// dialog can only show families it lists, and would otherwise fall back to a plain
// default font, dropping bold and italic.
QFont fontDialogPreset(const QFont& stored);
// Whether the dialog gives back the font it opened on: family, style and size.
bool sameDialogFont(const QFont& a, const QFont& b);

} // namespace keruna
