#include "common/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace keruna {

namespace {

constexpr const char* kCp932Name = "windows-31j";
const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

// 1-based line number of a byte offset, counting CR LF, LF and lone CR as line ends.
int lineNumberAt(const QByteArray& bytes, qsizetype offset)
{
    int line = 1;
    for (qsizetype i = 0; i < offset && i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            ++line;
        } else if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            ++line;
        }
    }
    return line;
}

QString undecodableLineMessage(int line)
{
    return QStringLiteral(
        "%1行目の文字が読めません。Shift-JISでもUTF-8でもない文字が含まれています。"
        "ファイルの文字コードを確かめてください。")
        .arg(line);
}

QString unencodableLineMessage(int line)
{
    return QStringLiteral("%1行目にこのファイルの文字コードで保存できない文字があります。"
                          "保存は行われませんでした。")
        .arg(line);
}

} // namespace

bool isValidUtf8(const char* data, qsizetype size)
{
    const auto* s = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned int cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= size)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = s[i + k];
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)))
            || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += extra + 1;
    }
    return true;
}

TextEncoding detectEncoding(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Bom) && isValidUtf8(bytes))
        return TextEncoding::Utf8Bom;
    if (isValidUtf8(bytes))
        return TextEncoding::Utf8;
    return TextEncoding::Cp932;
}

std::optional<QString> decodeText(const QByteArray& bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        if (!bytes.startsWith(kUtf8Bom))
            return decodeText(bytes, TextEncoding::Utf8);
        if (!isValidUtf8(bytes.constData() + 3, bytes.size() - 3))
            return std::nullopt;
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    case TextEncoding::Utf8:
        if (!isValidUtf8(bytes))
            return std::nullopt;
        return QString::fromUtf8(bytes);
    case TextEncoding::Cp932: {
        QStringDecoder decoder(kCp932Name, QStringConverter::Flag::Stateless);
        QString text = decoder.decode(bytes);
        if (!decoder.isValid() || decoder.hasError())
            return std::nullopt;
        return text;
    }
    }
    return std::nullopt;
}

std::optional<QByteArray> encodeText(const QString& text, TextEncoding encoding)
{
    if (encoding != TextEncoding::Cp932)
        return text.toUtf8();
    QStringEncoder encoder(kCp932Name, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return bytes;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    forEachLine(text, [&](QStringView line) { lines.append(line.toString()); });
    return lines;
}

QList<QByteArray> splitByteLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n' || c == '\r') {
            lines.append(bytes.mid(start, i - start));
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < bytes.size())
        lines.append(bytes.mid(start));
    return lines;
}

Result<DecodedText> decodeBytes(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0) {
        return AppError::withText(ErrorNumber::ApplicationDefined,
            QStringLiteral("%1行目にNUL文字があります。テキストファイルではないか、"
                           "UTF-16で保存されています。Shift-JISかUTF-8で保存し直してください。")
                .arg(lineNumberAt(bytes, nul)));
    }
    const TextEncoding encoding = detectEncoding(bytes);
    std::optional<QString> text = decodeText(bytes, encoding);
    if (!text) {
        const QList<QByteArray> byteLines = splitByteLines(bytes);
        int bad = 1;
        for (qsizetype i = 0; i < byteLines.size(); ++i) {
            if (!decodeText(byteLines[i], encoding)) {
                bad = int(i) + 1;
                break;
            }
        }
        return AppError::withText(ErrorNumber::ApplicationDefined, undecodableLineMessage(bad));
    }
    return DecodedText {*std::move(text), encoding};
}

Result<TextLines> decodeTextLines(const QByteArray& bytes)
{
    Result<DecodedText> decoded = decodeBytes(bytes);
    if (!decoded)
        return decoded.error();
    return TextLines {splitLines(decoded.value().text), decoded.value().encoding};
}

Result<QByteArray> readFileBytes(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty())
        return AppError::of(ErrorNumber::BadFileName);
    if (!info.exists())
        return AppError::of(ErrorNumber::FileNotFound);
    if (info.isDir())
        return AppError::of(ErrorNumber::PathFileAccess);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::PermissionsError || !info.isReadable())
            return AppError::of(ErrorNumber::PermissionDenied);
        return AppError::of(ErrorNumber::FileNotFound);
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return AppError::of(ErrorNumber::DeviceIo);
    return bytes;
}

Result<DecodedText> readText(const QString& path)
{
    Result<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    return decodeBytes(bytes.value());
}

Result<TextLines> readTextFile(const QString& path)
{
    Result<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    return decodeTextLines(bytes.value());
}

Result<QByteArray> encodeTextLines(const QStringList& lines, TextEncoding encoding)
{
    QString text;
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    text.reserve(total);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    std::optional<QByteArray> bytes = encodeText(text, encoding);
    if (!bytes) {
        int bad = 1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (!encodeText(lines[i], encoding)) {
                bad = int(i) + 1;
                break;
            }
        }
        return AppError::withText(ErrorNumber::ApplicationDefined, unencodableLineMessage(bad));
    }
    if (encoding == TextEncoding::Utf8Bom)
        bytes->prepend(kUtf8Bom);
    return *std::move(bytes);
}

std::optional<AppError> writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (file.error() == QFileDevice::PermissionsError || QFileInfo(path).exists())
            return AppError::of(ErrorNumber::PermissionDenied);
        return AppError::of(ErrorNumber::PathNotFound);
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return AppError::of(ErrorNumber::DiskFull);
    }
    if (!file.commit())
        return AppError::of(ErrorNumber::DeviceIo);
    return std::nullopt;
}

std::optional<AppError> writeTextFile(
    const QString& path, const QStringList& lines, TextEncoding encoding)
{
    Result<QByteArray> bytes = encodeTextLines(lines, encoding);
    if (!bytes)
        return bytes.error();
    return writeFileBytes(path, bytes.value());
}

} // namespace keruna
