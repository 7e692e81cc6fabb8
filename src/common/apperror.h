#pragma once

#include <QString>

namespace keruna {

// A run-time error as the user sees it: a number and a Japanese description.
struct AppError {
    int number = 0;
    QString description;

    // The error with the standard description of its number.
    static AppError of(int number);
    // The error with a description of its own (still under the standard number).
    static AppError withText(int number, const QString& description);
};

namespace ErrorNumber {
inline constexpr int ApplicationDefined = 1;
inline constexpr int IllegalCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int IndexOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIo = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEnd = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int Cancelled = 32755;
} // namespace ErrorNumber

// The standard Japanese description of an error number.
QString errorDescription(int number);

// "エラー番号 : 9\r\n..." as the open sequence shows it (ASCII colon).
QString openErrorText(const AppError& error);
// "エラー番号 ： 9\r\n..." as every other command shows it (full-width colon).
QString errorText(const AppError& error);

} // namespace keruna
