#include "common/cp932.h"

#include <QList>
#include <QStringDecoder>

#include <atomic>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace keruna {

namespace {

bool isCp932Lead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Code page 932 as the converter reads it, byte by byte and pair by pair, taken from the
// converter once, the first time it is needed. Reading a list through it is several times
// quicker than calling the converter, and gives the same text: where it meets a sequence
// it holds no character for, the converter reads the whole text instead.
struct Cp932Table {
    static constexpr char16_t kNone = 0xFFFF; // a noncharacter: no byte sequence gives it
    std::vector<char16_t> pair = std::vector<char16_t>(0x10000, kNone); // [lead << 8 | trail]
    std::vector<char16_t> single = std::vector<char16_t>(0x100, kNone);
    std::vector<bool> writable = std::vector<bool>(0x10000, false); // characters it holds
};

std::atomic<bool> g_tableMade {false};

const Cp932Table& cp932Table()
{
    static const Cp932Table table = [] {
        Cp932Table t;
        // A converter's error, once reported, stays: each single byte gets a converter
        // of its own (the converter puts 1A in place of a byte it cannot read, and 1A is
        // also a byte's own reading, so only the error report tells).
        for (int b = 0; b < 0x100; ++b) {
            if (isCp932Lead(uchar(b)))
                continue;
            QStringDecoder decoder(kCp932Name, QStringConverter::Flag::Stateless);
            const char byte = char(b);
            const QString one = decoder.decode(QByteArrayView(&byte, 1));
            if (!decoder.hasError() && one.size() == 1)
                t.single[size_t(b)] = one[0].unicode();
        }
        // The pairs in one call: the converter reads a pair it leaves undefined as U+FFFD,
        // never a character a file could hold. Should it not give one character a pair,
        // each pair is read by a converter of its own.
        QByteArray all;
        QList<int> pairs;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            for (int trail = 0x40; isCp932Lead(uchar(lead)) && trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                all += char(lead);
                all += char(trail);
                pairs.append(lead << 8 | trail);
            }
        }
        const QString decoded
            = QStringDecoder(kCp932Name, QStringConverter::Flag::Stateless).decode(all);
        for (qsizetype i = 0; i < pairs.size(); ++i) {
            char16_t c = Cp932Table::kNone;
            if (decoded.size() == pairs.size()) {
                c = decoded[i].unicode();
            } else {
                QStringDecoder decoder(kCp932Name, QStringConverter::Flag::Stateless);
                const QString one = decoder.decode(QByteArrayView(all).sliced(2 * i, 2));
                if (!decoder.hasError() && one.size() == 1)
                    c = one[0].unicode();
            }
            t.pair[size_t(pairs[i])] = c == 0xFFFD ? Cp932Table::kNone : c;
        }
        // The converter reads 1A, 1C and 7F by IBM's control mapping; in code page 932 as
        // Windows reads it each is itself.
        for (char16_t control : {u'\x1A', u'\x1C', u'\x7F'})
            t.single[control] = control;
        for (const std::vector<char16_t>* chars : {&t.single, &t.pair}) {
            for (char16_t c : *chars) {
                if (c != Cp932Table::kNone)
                    t.writable[c] = true;
            }
        }
        return t;
    }();
    g_tableMade.store(true, std::memory_order_relaxed);
    return table;
}

// The text bytes read as through the table; nullopt at the first sequence it holds no
// character for.
std::optional<QString> decodeCp932ByTable(QByteArrayView bytes)
{
    const Cp932Table& table = cp932Table();
    QString text(bytes.size(), Qt::Uninitialized); // never more characters than bytes
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    char16_t* const begin = out;
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
#ifdef __SSE2__
        // Word lists are mostly ASCII, each byte its own character (1A, 1C and 7F
        // included): sixteen bytes at a time while they are.
        if (i + 16 <= n) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            if (_mm_movemask_epi8(v) == 0) {
                const __m128i zero = _mm_setzero_si128();
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(v, zero));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(v, zero));
                out += 16;
                i += 16;
                continue;
            }
        }
#endif
        char16_t c;
        if (isCp932Lead(s[i])) {
            if (i + 1 >= n)
                return std::nullopt;
            c = table.pair[size_t(s[i]) << 8 | s[i + 1]];
            i += 2;
        } else {
            c = table.single[s[i]];
            ++i;
        }
        if (c == Cp932Table::kNone)
            return std::nullopt;
        *out++ = c;
    }
    text.truncate(out - begin);
    return text;
}

// The decoder maps the bytes 1A, 1C and 7F by IBM's control mapping (1A → U+001C,
// 1C → U+007F, 7F → U+001A). In code page 932 as Windows reads it each of them is
// itself: an old end-of-file mark (Ctrl-Z) must stay one, and a DEL must not turn into it.
bool holdsSwappedControl(QStringView text)
{
    return text.contains(u'\x1A') || text.contains(u'\x1C') || text.contains(u'\x7F');
}

// The decoder maps 1A → 1C → 7F → 1A; each direction is the same rotation one way or
// the other.
void rotateControls(QString& text, char16_t a, char16_t b, char16_t c)
{
    for (QChar& ch : text) {
        if (ch == a)
            ch = b;
        else if (ch == b)
            ch = c;
        else if (ch == c)
            ch = a;
    }
}

void undoControlSwapAfterDecode(QString& text)
{
    rotateControls(text, u'\x1C', u'\x1A', u'\x7F');
}

} // namespace

// The characters of the Basic Multilingual Plane that code page 932 can write.
bool cp932CanWrite(unsigned int cp)
{
    return cp < 0x10000 && cp932Table().writable[cp];
}

// The inverse of the decoder's mapping, so that the encoder writes each of the three as
// its own byte.
QString swapControlsBeforeEncode(const QString& text)
{
    if (!holdsSwappedControl(text))
        return text;
    QString out = text;
    rotateControls(out, u'\x1A', u'\x1C', u'\x7F');
    return out;
}

// Invalid bytes are found by the decoder's error report, never by looking for the
// character it substitutes: U+001A also stands for a real byte.
std::optional<QString> decodeCp932(QByteArrayView bytes)
{
    // Making the table costs about half a millisecond: a word list pays it back at once,
    // a settings value at start-up would not, so a short text goes to the converter until
    // the table has been made anyway.
    constexpr qsizetype kWorthTheTable = 16 * 1024;
    if (bytes.size() >= kWorthTheTable || g_tableMade.load(std::memory_order_relaxed)) {
        if (std::optional<QString> text = decodeCp932ByTable(bytes))
            return text;
    }
    QStringDecoder decoder(kCp932Name, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.isValid() || decoder.hasError())
        return std::nullopt;
    // None of the three is ever the second byte of a character, so the bytes tell (and
    // searching bytes is quicker than searching the text).
    if (bytes.contains('\x1A') || bytes.contains('\x1C') || bytes.contains('\x7F'))
        undoControlSwapAfterDecode(text);
    return text;
}

} // namespace keruna
