#include "common/apperror.h"

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
        return QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。");
    case ErrorNumber::IllegalCall:
        return QStringLiteral("プロシージャの呼び出し、または引数が不正です。");
    case ErrorNumber::Overflow:
        return QStringLiteral("オーバーフローしました。");
    case ErrorNumber::OutOfMemory:
        return QStringLiteral("メモリが不足しています。");
    case ErrorNumber::IndexOutOfRange:
        return QStringLiteral("インデックスが有効範囲にありません。");
    case ErrorNumber::TypeMismatch:
        return QStringLiteral("型が一致しません。");
    case ErrorNumber::BadFileName:
        return QStringLiteral("ファイル名または番号が不正です。");
    case ErrorNumber::FileNotFound:
        return QStringLiteral("ファイルが見つかりません。");
    case ErrorNumber::DeviceIo:
        return QStringLiteral("デバイス I/O エラーです。");
    case ErrorNumber::DiskFull:
        return QStringLiteral("ディスクの空き容量が不足しています。");
    case ErrorNumber::InputPastEnd:
        return QStringLiteral("ファイルにこれ以上データがありません。");
    case ErrorNumber::PermissionDenied:
        return QStringLiteral("アクセスが拒否されました。");
    case ErrorNumber::PathFileAccess:
        return QStringLiteral("パス名が無効です。");
    case ErrorNumber::PathNotFound:
        return QStringLiteral("パスが見つかりません。");
    case ErrorNumber::Cancelled:
        return QStringLiteral("キャンセルされました。");
    default:
        return QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。");
    }
}

QString openErrorText(const AppError& error)
{
    return QStringLiteral("エラー番号 : ") + QString::number(error.number) + QStringLiteral("\r\n")
        + error.description;
}

QString errorText(const AppError& error)
{
    return QStringLiteral("エラー番号 ： ") + QString::number(error.number) + QStringLiteral("\r\n")
        + error.description;
}

} // namespace keruna
