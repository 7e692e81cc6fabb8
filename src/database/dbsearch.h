#pragma once

#include <QCoreApplication>
#include <QString>

namespace keruna {

class DbListModel;

// Where the search over both lists stands: position counts the left list's entries
// first, then the right list's; found is set once the current text was found at all.
struct DbSearchState {
    int position = 0;
    bool found = false;
};

struct DbSearchStep {
    enum class List { None, Left, Right };
    List list = List::None; // where the hit is; None when the walk ended without one
    int row = -1;
    QString message; // shown after the step; empty when the search waits for the next one
};

// A step carries its message untranslated; the screen translates it in the context
// "DbSearch" when it shows it.
inline const QString kSearchEnded
    = QString::fromUtf8(QT_TRANSLATE_NOOP("DbSearch", "検索が終了しました。"));
inline const QString kSearchNotFound
    = QString::fromUtf8(QT_TRANSLATE_NOOP("DbSearch", "検索文字が見つかりません。"));

// The next hit after the current position, in either column, letter case ignored and the
// marks code page 932 keeps apart from typed text (〜 and ～ ...) read as one. A hit
// on the very last entry ends the search at once; an end without a hit starts the next
// search from the top again.
DbSearchStep FindNext(
    DbSearchState& state, const DbListModel& left, const DbListModel& right, const QString& text);

} // namespace keruna
