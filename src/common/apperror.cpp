#include "common/apperror.h"

#include <QCoreApplication>

namespace keruna {

AppError AppError::of(int number)
{
    return AppError {number, errorDescription(number)};
}

AppError AppError::withText(int number, const QString& description)
{
    return AppError {number, description};
}

QString errorDescription(int number)
{
    switch (number) {
    case ErrorNumber::ApplicationDefined:
        return QCoreApplication::translate(
            "AppError", "アプリケーション定義またはオブジェクト定義のエラーです。");
    case ErrorNumber::IllegalCall:
        return QCoreApplication::translate(
            "AppError", "プロシージャの呼び出し、または引数が不正です。");
    case ErrorNumber::Overflow:
        return QCoreApplication::translate("AppError", "オーバーフローしました。");
    case ErrorNumber::OutOfMemory:
        return QCoreApplication::translate("AppError", "メモリが不足しています。");
    case ErrorNumber::IndexOutOfRange:
        return QCoreApplication::translate("AppError", "インデックスが有効範囲にありません。");
    case ErrorNumber::TypeMismatch:
        return QCoreApplication::translate("AppError", "型が一致しません。");
    case ErrorNumber::BadFileName:
        return QCoreApplication::translate("AppError", "ファイル名または番号が不正です。");
    case ErrorNumber::FileNotFound:
        return QCoreApplication::translate("AppError", "ファイルが見つかりません。");
    case ErrorNumber::DeviceIo:
        return QCoreApplication::translate("AppError", "デバイス I/O エラーです。");
    case ErrorNumber::DiskFull:
        return QCoreApplication::translate("AppError", "ディスクの空き容量が不足しています。");
    case ErrorNumber::InputPastEnd:
        return QCoreApplication::translate("AppError", "ファイルにこれ以上データがありません。");
    case ErrorNumber::PermissionDenied:
        return QCoreApplication::translate("AppError", "アクセスが拒否されました。");
    case ErrorNumber::PathFileAccess:
        return QCoreApplication::translate("AppError", "パス名が無効です。");
    case ErrorNumber::PathNotFound:
        return QCoreApplication::translate("AppError", "パスが見つかりません。");
    case ErrorNumber::Cancelled:
        return QCoreApplication::translate("AppError", "キャンセルされました。");
    default:
        return QCoreApplication::translate(
            "AppError", "アプリケーション定義またはオブジェクト定義のエラーです。");
    }
}

QString openErrorText(const AppError& error)
{
    return QCoreApplication::translate("AppError", "エラー番号 : %1\r\n%2")
        .arg(QString::number(error.number), error.description);
}

QString errorText(const AppError& error)
{
    return QCoreApplication::translate("AppError", "エラー番号 ： %1\r\n%2")
        .arg(QString::number(error.number), error.description);
}

} // namespace keruna
