#include "study/typedspeed.h"

#include "common/numbers.h"

#include <QCoreApplication>

namespace keruna {

namespace {

QString rangeMessage()
{
    // The tilde is written out, not escaped: lupdate reads every hex digit after "\u".
    return QCoreApplication::translate("TypedSpeed", "0.01秒～600秒の範囲以外は指定できません。");
}

QString notNumericMessage()
{
    return QCoreApplication::translate("TypedSpeed", "数値が不正です\uFF61");
}

} // namespace

Result<TypedSpeed> parseTypedSpeed(const QString& text)
{
    const std::optional<double> t = toNumber(text);
    if (!t)
        return AppError::withText(ErrorNumber::ApplicationDefined, notNumericMessage());
    if (*t >= 0.01 && *t <= 65)
        return TypedSpeed {false, *t};
    if (*t > 65 && *t <= 600)
        return TypedSpeed {true, *t};
    return AppError::withText(ErrorNumber::ApplicationDefined, rangeMessage());
}

QString typedSpeedMessage(const AppError& error)
{
    const QString range = rangeMessage();
    return error.description == range ? range : errorText(error);
}

const QStringList& speedChoices()
{
    static const QStringList items
        = {"1", "2", "3", "4", "5", "6", "8", "10", "13", "16", "20", "30", "40", "50", "60"};
    return items;
}

} // namespace keruna
