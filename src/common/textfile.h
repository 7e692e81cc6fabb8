#pragma once

#include "common/apperror.h"
#include "common/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QStringEncoder;

#include <memory>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace keruna {

// How a text file's bytes map to characters. New files take the encoding of the file
// they were made from, so a user's Shift-JIS list stays Shift-JIS.
enum class TextEncoding {
    Cp932, // Shift-JIS as Windows writes it (code page 932)
    Utf8, // UTF-8 without a byte-order mark
    Utf8Bom, // UTF-8 with a byte-order mark
};

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Cp932;
};

struct TextLines {
    QStringList lines;
    TextEncoding encoding = TextEncoding::Cp932;
};

// Calls f(QStringView) for every line of a text: lines end at CR LF, LF or a lone CR,
// and a final line end does not start another line. Line ends are found eight
// characters at a time: this runs once per character of every word list loaded.
template <class F> void forEachLine(QStringView text, F&& f)
{
    const char16_t* const begin = text.utf16();
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    // Ends the line at the CR or LF at index at; returns where scanning goes on.
    auto endLine = [&](qsizetype at) {
        f(QStringView(begin + start, begin + at));
        if (begin[at] == u'\r' && at + 1 < n && begin[at + 1] == u'\n')
            ++at;
        start = at + 1;
        return at + 1;
    };
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi16(u'\n');
    const __m128i cr = _mm_set1_epi16(u'\r');
    while (i + 8 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + i));
        const int mask
            = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, lf), _mm_cmpeq_epi16(v, cr)));
        if (mask == 0) {
            i += 8;
            continue;
        }
        i = endLine(i + __builtin_ctz(unsigned(mask)) / 2);
    }
#endif
    while (i < n) {
        if (begin[i] == u'\n' || begin[i] == u'\r')
            i = endLine(i);
        else
            ++i;
    }
    if (start < n)
        f(QStringView(begin + start, begin + n));
}

bool isValidUtf8(const char* data, qsizetype size);
inline bool isValidUtf8(const QByteArray& bytes)
{
    return isValidUtf8(bytes.constData(), bytes.size());
}

// A UTF-8 BOM means UTF-8. Otherwise bytes valid in one encoding only are in that one;
// bytes valid in both are UTF-8 only when that reading holds Japanese text, else code
// page 932 (pure ASCII included). Bytes valid in neither: the encoding that reads further.
TextEncoding detectEncoding(const QByteArray& bytes);

// Decodes bytes in the given encoding; nullopt when a byte sequence is invalid. Only the
// first BOM is taken off; the control bytes 1A, 1C and 7F of code page 932 are themselves.
std::optional<QString> decodeText(const QByteArray& bytes, TextEncoding encoding);
// Encodes text; nullopt when a character has no form in the encoding (never replaced).
std::optional<QByteArray> encodeText(const QString& text, TextEncoding encoding);

// Encodes many texts, one after another, with one converter: opening a code page 932
// converter costs far more than encoding a line with it.
class TextEncoder {
public:
    explicit TextEncoder(TextEncoding encoding);
    ~TextEncoder();
    TextEncoder(const TextEncoder&) = delete;
    TextEncoder& operator=(const TextEncoder&) = delete;
    // Appends text's bytes to out; false, with out as it was, when a character has no
    // form in the encoding.
    bool appendTo(QByteArray& out, const QString& text);

private:
    TextEncoding m_encoding;
    std::unique_ptr<QStringEncoder> m_cp932; // made when first needed
};

// Splits at CR LF, LF or lone CR. A final line end does not start another line.
QStringList splitLines(const QString& text);
// The same for bytes. Safe for code page 932: CR and LF never occur as the second byte
// of a double-byte character.
QList<QByteArray> splitByteLines(const QByteArray& bytes);

// Detects, checks and decodes a whole file's bytes. Refuses NUL bytes and bytes that
// are neither valid UTF-8 nor valid code page 932, naming the first bad line, because
// loading them would write a corrupted file back later.
Result<DecodedText> decodeBytes(const QByteArray& bytes);
Result<TextLines> decodeTextLines(const QByteArray& bytes);

// Reads a whole file (missing, folder and unreadable files are errors 53, 75 and 70).
// Anything but a regular file (a pipe, a device) is refused before it is opened (75).
// With maxBytes, a larger file is refused before it is read, and one that grows past it
// while it is read stops there: a huge file never fills the memory first.
Result<QByteArray> readFileBytes(const QString& path, qint64 maxBytes = -1);
Result<DecodedText> readText(const QString& path, qint64 maxBytes = -1);
Result<TextLines> readTextFile(const QString& path);

// Every line followed by CR LF; fails, naming the line, when a character cannot be encoded.
Result<QByteArray> encodeTextLines(const QStringList& lines, TextEncoding encoding);

// For tests: the write after the given number of further writes fails half-way, as on a
// full disk (0: the next one); -1 turns the fault off.
void failWriteAfter(int writes);
// Whether the write about to be made is the one failWriteAfter chose (counting it).
bool takeWriteFault();

// Writes atomically (QSaveFile): on any failure the old file stays as it was.
std::optional<AppError> writeFileBytes(const QString& path, const QByteArray& bytes);
std::optional<AppError> writeTextFile(
    const QString& path, const QStringList& lines, TextEncoding encoding);

} // namespace keruna
