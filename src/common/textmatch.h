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

// The same for one text looked for in many (a search through a list): what is looked for
// is folded once, and a text it is looked in is folded only where that can change the
// answer, which it cannot unless what is looked for holds one of the pairs.
class TypedTextFinder {
public:
    TypedTextFinder(const QString& wanted, Qt::CaseSensitivity cs);
    bool in(const QString& text) const;

private:
    QString m_wanted;
    Qt::CaseSensitivity m_cs;
    bool m_foldTexts;
};

} // namespace keruna
