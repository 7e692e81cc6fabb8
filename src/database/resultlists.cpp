#include "database/resultlists.h"

#include "database/dblistmodel.h"

#include <QCoreApplication>

#include <algorithm>

namespace keruna {

void FillResultLists(const QList<ListEntry>& testList, const QString& delimiter,
    DbListModel& correct, DbListModel& wrong)
{
    // Sized first, so that neither list moves its entries while it grows.
    const qsizetype correctCount = std::count_if(
        testList.cbegin(), testList.cend(), [](const ListEntry& e) { return e.checked; });
    QList<DbEntry> right;
    QList<DbEntry> missed;
    right.reserve(correctCount);
    missed.reserve(testList.size() - correctCount);
    for (const ListEntry& e : testList)
        (e.checked ? right : missed).append(makeDbEntry(e.text, delimiter, e.red, e.line));
    correct.setEntries(std::move(right));
    wrong.setEntries(std::move(missed));
}

QString resultWindowTitle()
{
    return QCoreApplication::translate("ResultLists", "以下の内容でよろしければ保存してください");
}

std::optional<QString> resultComment(int rate, int answered, int questions)
{
    if (answered < 1 || rate < 0 || rate > 100)
        return std::nullopt;
    if (rate < 20)
        return QCoreApplication::translate(
            "ResultLists", "必要ない問題はＤＢで移動しておくと効率的だよ。");
    if (rate < 40)
        return QCoreApplication::translate(
            "ResultLists", "覚えにくい問題を集中的にやっていこうね。");
    if (rate < 60)
        return QCoreApplication::translate("ResultLists", "集中して繰り返せば必ず力がつくよ！");
    if (rate < 80)
        return QCoreApplication::translate("ResultLists", "この調子なら暗記数が増えていくよ！");
    if (rate < 90)
        return QCoreApplication::translate(
            "ResultLists", "大変よくできました、得意分野と言えます!! ");
    if (rate < 100)
        return QCoreApplication::translate(
            "ResultLists", "すばらしい成績です!! すごい実力があります。");
    if (answered == questions)
        return QCoreApplication::translate(
            "ResultLists", "おめでとうございます、全問制覇しました !! ");
    return QCoreApplication::translate("ResultLists", "パーフェクト、完璧です !! ");
}

} // namespace keruna
