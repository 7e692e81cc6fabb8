#include "study/typedspeed.h"

#include "common/numbers.h"

namespace keruna {

namespace {

const QString kRangeMessage = QStringLiteral("0.01秒\uFF5E600秒の範囲以外は指定できません。");
const QString kNotNumeric = QStringLiteral("数値が不正です\uFF61");

} // namespace

Result<TypedSpeed> parseTypedSpeed(const QString& text)
{
    const std::optional<double> t = toNumber(text);
    if (!t)
        return AppError::withText(ErrorNumber::ApplicationDefined, kNotNumeric);
    if (*t >= 0.01 && *t <= 65)
        return TypedSpeed {false, *t};
    if (*t > 65 && *t <= 600)
        return TypedSpeed {true, *t};
    return AppError::withText(ErrorNumber::ApplicationDefined, kRangeMessage);
}

QString typedSpeedMessage(const AppError& error)
{
    return error.description == kRangeMessage ? kRangeMessage : errorText(error);
}

} // namespace keruna
