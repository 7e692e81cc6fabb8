#pragma once

#include "common/apperror.h"
#include "common/result.h"

#include <QString>
#include <QStringList>

namespace keruna {

// The speed from a typed text: 0.01–65 s runs normally, above 65 up to 600 s one tick per
// second; anything else is refused with its message.
struct TypedSpeed {
    bool perSecond = false;
    double seconds = 0;
};
Result<TypedSpeed> parseTypedSpeed(const QString& text);
// The message for a refused typed speed, and whether it is the range message
// (information) rather than the number error.
QString typedSpeedMessage(const AppError& error);

// The speeds offered in seconds, as the speed menu and boxes list them.
const QStringList& speedChoices();

} // namespace keruna
