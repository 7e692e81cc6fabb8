#pragma once

#include <QString>

namespace keruna {

// Text as the learner sees it, for comparing typed answers and search texts with a list.
// Code page 932 text decodes some marks to characters other than those an input method
// types for the same key (a list's 0x8160 is ～ U+FF5E, the input method types 〜 U+301C);
// each such pair reads as one character: 〜/～, −/－, ‖/∥, ¢/￠, £/￡, ¬/￢. Nothing else
// changes, and the list's own text is never rewritten with it.
QString foldCodePageTwins(QString text);

// Typed text equal to the expected text, the pairs above read as one.
bool sameTypedText(const QString& typed, const QString& expected);

// Whether text holds what is looked for, the pairs above read as one.
bool containsTypedText(const QString& text, const QString& wanted, Qt::CaseSensitivity cs);

} // namespace keruna
