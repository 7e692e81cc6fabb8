#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken property must stop the fuzzer and the corpus replay alike, in Release builds
// too, so this does not rest on assert().
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "property violated: %s at %s:%d\n", #cond, __FILE__, __LINE__);   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace keruna::fuzz {

// Reads choices from the fuzzer's bytes; an exhausted input reads as zeros, so every
// input, however short, is a complete case.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool atEnd() const { return m_pos >= m_size; }
    size_t remaining() const { return m_size - m_pos; }

    uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    uint16_t u16() { return uint16_t(byte() | (byte() << 8)); }

    QByteArray bytes(size_t count)
    {
        if (count > remaining())
            count = remaining();
        QByteArray out(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(count));
        m_pos += count;
        return out;
    }

    // Up to maxChars characters, mostly from the characters these modules treat
    // specially: field and line syntax, the mark codes, kana and kanji in both widths,
    // cp932 characters with two byte forms or none, control characters and surrogates.
    QString text(int maxChars)
    {
        static const QString palette = QStringLiteral(
            u" ,=[]\t\r\n/・、，　;あアｱｶﾞﾟ漢字日本語○×赤～―∥－①㈱≒ソ表ゾヂé¥€\u001A\u001C\u007F");
        const int length = byte() % (maxChars + 1);
        QString out;
        for (int i = 0; i < length && !atEnd(); ++i) {
            const uint8_t kind = byte();
            if (kind < 0xA0) {
                out += palette[kind % palette.size()];
            } else if (kind < 0xD0) {
                out += QChar(char16_t(0x20 + byte() % 95));
            } else if (kind < 0xE0) {
                out += QChar(char16_t(0xFF61 + byte() % 63)); // half-width katakana
            } else if (kind < 0xF0) {
                out += QChar(char16_t(0x4E00 + u16() % 0x5200)); // kanji, not all in cp932
            } else if (kind < 0xF4) {
                out += QString::fromUcs4(U"\U0001F600"); // a surrogate pair
            } else if (kind < 0xF8) {
                out += QChar(char16_t(0xD800 + byte() * 8)); // a lone surrogate
            } else if (kind < 0xFC) {
                out += QChar(char16_t(0)); // NUL
            } else {
                out += QChar(char16_t(u16()));
            }
        }
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

} // namespace keruna::fuzz
