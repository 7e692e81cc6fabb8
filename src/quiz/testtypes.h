#pragma once

#include "mainscreen/testkind.h"

#include <QCoreApplication>
#include <QString>

namespace keruna {

// The number test's bounds the wrong way round: every number would be the lower one.
inline QString reversedBoundsMessage()
{
    return QCoreApplication::translate("Dialog", "下限値が上限値を超えています。");
}
// The number test's bounds lie in 0 … kMaxNumberBound.
inline constexpr int kMaxNumberBound = 1000000;
inline QString boundRangeMessage()
{
    return QCoreApplication::translate("Dialog", "0～1000000の範囲以外は指定できません。");
}

// What the test set-up dialog starts from: the main screen's values.
struct TestSetupInput {
    bool listening = false; // kikitori
    bool reverse = false; // rev
    QString seconds; // tsec text
    QString lowest; // ketamin text
    QString highest; // ketamax text
    int notYetCount = 0;
    int memorizedCount = 0;
    int redCount = 0;
    int dueCount = 0; // 【復】: memorized items due for review; -1 while not known yet
};

// What the dialog's OK hands to the main screen.
struct TestChoice {
    TestKind kind = TestKind::Automatic;
    bool typedInput = false; // 入力する; off is 予想する
    bool listening = false; // ♪聞取モード
    bool reverse = false; // 逆転
    bool random = true; // ランダム; off is 昇順
    QString seconds; // seconds per item, as typed
    QString lowest; // number test bounds, as typed
    QString highest;
    int rangeIndex = 3; // 0 【未】, 1 【覚】, 2 【要】, 3 【全】
};

} // namespace keruna
