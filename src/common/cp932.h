#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace keruna {

// Code page 932 (Shift-JIS as Windows writes it), as the text files and the settings read
// and write it.
inline constexpr const char* kCp932Name = "windows-31j";

// The text of bytes; nullopt when a byte sequence is not code page 932. The control bytes
// 1A, 1C and 7F are themselves.
std::optional<QString> decodeCp932(QByteArrayView bytes);
// The text as the encoder must be given it for 1A, 1C and 7F to be written as themselves.
QString swapControlsBeforeEncode(const QString& text);
// Whether the code page has a character for cp (of the Basic Multilingual Plane).
bool cp932CanWrite(unsigned int cp);

} // namespace keruna
