#pragma once

#include "common/apperror.h"
#include "common/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace keruna {

// How a text file's bytes map to characters. New files take the encoding of the file
// they were made from, so a user's Shift-JIS list stays Shift-JIS.
enum class TextEncoding {
    Cp932, // Shift-JIS as Windows writes it (code page 932)
    Utf8, // UTF-8 without a byte-order mark
    Utf8Bom, // UTF-8 with a byte-order mark
};

struct TextLines {
    QStringList lines;
    TextEncoding encoding = TextEncoding::Cp932;
};

bool isValidUtf8(const char* data, qsizetype size);
inline bool isValidUtf8(const QByteArray& bytes)
{
    return isValidUtf8(bytes.constData(), bytes.size());
}

// UTF-8 (with or without BOM) when the bytes are valid UTF-8, otherwise code page 932.
TextEncoding detectEncoding(const QByteArray& bytes);

// Decodes bytes in the given encoding; nullopt when a byte sequence is invalid.
std::optional<QString> decodeText(const QByteArray& bytes, TextEncoding encoding);
// Encodes text; nullopt when a character has no form in the encoding (never replaced).
std::optional<QByteArray> encodeText(const QString& text, TextEncoding encoding);

// Splits at CR LF, LF or lone CR. A final line end does not start another line.
QStringList splitLines(const QString& text);

// Detects, checks and decodes a whole file's bytes into lines. Refuses NUL bytes and
// bytes that are neither valid UTF-8 nor valid code page 932, naming the first bad line,
// because loading them would write a corrupted file back later.
Result<TextLines> decodeTextLines(const QByteArray& bytes);

// Reads a whole file (missing, folder and unreadable files are errors 53, 75 and 70).
Result<QByteArray> readFileBytes(const QString& path);
Result<TextLines> readTextFile(const QString& path);

// Every line followed by CR LF; fails, naming the line, when a character cannot be encoded.
Result<QByteArray> encodeTextLines(const QStringList& lines, TextEncoding encoding);

// Writes atomically (QSaveFile): on any failure the old file stays as it was.
std::optional<AppError> writeFileBytes(const QString& path, const QByteArray& bytes);
std::optional<AppError> writeTextFile(const QString& path, const QStringList& lines,
                                      TextEncoding encoding);

} // namespace keruna
