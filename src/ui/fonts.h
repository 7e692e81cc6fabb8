#pragma once

namespace keruna {

// Stored settings name the Japanese Windows fonts (ＭＳ Ｐゴシック, ＭＳ Ｐ明朝, ...).
// Where they are missing, map them to the Japanese fonts of the system directly, instead
// of leaving fontconfig to guess (slowly, and often a font without kana).
void installFontSubstitutes();

} // namespace keruna
