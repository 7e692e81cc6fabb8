#include "settings/settingsstore.h"

#include "common/filelock.h"
#include "common/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace keruna {

namespace detail {

// The file as lines of bytes. Names are found by comparing bytes in the file's encoding,
// so lines that are not replaced are written back exactly as they were, junk included.
struct IniFile {
    QList<QByteArray> lines;
    // Each line's own end as read (CR LF, LF, CR, or none after the last): a line the
    // write leaves alone keeps it, so that only what changed changes.
    QList<QByteArray> ends;
    TextEncoding encoding = TextEncoding::Cp932;
    bool exists = false;
    QByteArray bytes; // as read
};

} // namespace detail

namespace {

using detail::IniFile;
int g_writeCount = 0;

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

IniFile loadIni(const QString& path)
{
    IniFile ini;
    Result<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        return ini;
    ini.exists = true;
    ini.bytes = std::move(bytes).value();
    QByteArray data = ini.bytes;
    // Code page 932, the form older copies of the program read, unless the BOM says
    // otherwise. No guessing: half-width katakana in code page 932 is often valid UTF-8.
    if (data.startsWith("\xEF\xBB\xBF")) {
        ini.encoding = TextEncoding::Utf8Bom;
        data.remove(0, 3);
    }
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = start;
        while (end < data.size() && data[end] != '\r' && data[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < data.size())
            next
                += (data[next] == '\r' && next + 1 < data.size() && data[next + 1] == '\n') ? 2 : 1;
        ini.lines.append(data.sliced(start, end - start));
        ini.ends.append(data.sliced(end, next - end));
        start = next;
    }
    return ini;
}

// New lines end in CR LF; a last line that had no end gets one before a line follows it.
void insertLine(IniFile& ini, qsizetype at, const QByteArray& line)
{
    if (at > 0 && ini.ends[at - 1].isEmpty())
        ini.ends[at - 1] = QByteArrayLiteral("\r\n");
    ini.lines.insert(at, line);
    ini.ends.insert(at, QByteArrayLiteral("\r\n"));
}

QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t'))
        v.chop(1);
    return v;
}

bool isCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The section name of a "[NAME]" line. In code page 932 the ']' that closes it is never
// the second byte of a character: ゾ is 83 5D.
std::optional<QByteArrayView> sectionName(QByteArrayView line, TextEncoding encoding)
{
    const QByteArrayView t = trimmed(line);
    if (!t.startsWith('['))
        return std::nullopt;
    qsizetype close = 1;
    while (close < t.size() && t[close] != ']') {
        const bool pair = encoding == TextEncoding::Cp932
            && isCp932LeadByte(static_cast<unsigned char>(t[close]));
        close += pair ? 2 : 1;
    }
    return trimmed(t.sliced(1, std::min(close, t.size()) - 1));
}

// The key name of a "KEY=value" line ('=' is never part of a double-byte character).
std::optional<QByteArrayView> keyName(QByteArrayView line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return trimmed(line.first(eq));
}

unsigned char asciiLower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// Names match without regard to the case of ASCII letters. The second byte of a
// double-byte character is part of that character, not a letter: ヂ (83 61) is not
// ア (83 41).
bool sameName(QByteArrayView a, const QByteArray& b, TextEncoding encoding)
{
    if (a.size() != b.size())
        return false;
    const bool cp932 = encoding == TextEncoding::Cp932;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (cp932 && isCp932LeadByte(x)) {
            if (x != y || i + 1 >= a.size() || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (asciiLower(x) != asciiLower(y)) {
            return false;
        }
    }
    return true;
}

// Index of the first "[section]" line, or -1.
qsizetype findSection(const IniFile& ini, const QByteArray& section)
{
    for (qsizetype i = 0; i < ini.lines.size(); ++i) {
        const std::optional<QByteArrayView> name = sectionName(ini.lines[i], ini.encoding);
        if (name && sameName(*name, section, ini.encoding))
            return i;
    }
    return -1;
}

// End (exclusive) of the section that starts at sectionLine.
qsizetype sectionEnd(const IniFile& ini, qsizetype sectionLine)
{
    qsizetype i = sectionLine + 1;
    while (i < ini.lines.size() && !sectionName(ini.lines[i], ini.encoding))
        ++i;
    return i;
}

qsizetype findKey(const IniFile& ini, qsizetype sectionLine, const QByteArray& key)
{
    const qsizetype end = sectionEnd(ini, sectionLine);
    for (qsizetype i = sectionLine + 1; i < end; ++i) {
        const std::optional<QByteArrayView> name = keyName(ini.lines[i]);
        if (name && sameName(*name, key, ini.encoding))
            return i;
    }
    return -1;
}

// A name as the file spells it; nullopt when the file's encoding cannot hold it.
std::optional<QByteArray> nameBytes(const QString& name, TextEncoding encoding)
{
    bool ascii = true;
    for (QChar c : name)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return name.toLatin1();
    return encodeText(name, encoding == TextEncoding::Utf8Bom ? TextEncoding::Utf8 : encoding);
}

// Re-encodes every line as UTF-8 with a BOM so that a value without a code page 932 form
// can be stored instead of being replaced by '?'; the BOM tells the next start how to read
// it. Fails when an existing line is not valid text: it could not be carried over.
bool convertToUtf8(IniFile& ini)
{
    QList<QByteArray> lines = ini.lines;
    for (QByteArray& line : lines) {
        if (isAscii(line))
            continue;
        const std::optional<QString> text = decodeText(line, ini.encoding);
        if (!text)
            return false;
        line = text->toUtf8();
    }
    ini.lines = std::move(lines);
    ini.encoding = TextEncoding::Utf8Bom;
    return true;
}

bool holdsLineBreakOrNul(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0));
}

bool setValue(IniFile& ini, const SettingEntry& entry)
{
    // A value is one line: a line break in it would plant lines of its own in the file,
    // and a NUL would end it early for every reader.
    if (entry.section.isEmpty() || entry.key.isEmpty() || holdsLineBreakOrNul(entry.section)
        || holdsLineBreakOrNul(entry.key) || holdsLineBreakOrNul(entry.value))
        return false;
    const QString text = entry.key + u'=' + entry.value;
    const QString header = u'[' + entry.section + u']';
    std::optional<QByteArray> encoded = nameBytes(text, ini.encoding);
    std::optional<QByteArray> encodedHeader = nameBytes(header, ini.encoding);
    if (!encoded || !encodedHeader) {
        // Refused when not even UTF-8 holds it (a lone surrogate), rather than written as '?'.
        encoded = encodeText(text, TextEncoding::Utf8);
        encodedHeader = encodeText(header, TextEncoding::Utf8);
        if (!encoded || !encodedHeader || !convertToUtf8(ini))
            return false;
    }
    const std::optional<QByteArray> section = nameBytes(entry.section, ini.encoding);
    const std::optional<QByteArray> key = nameBytes(entry.key, ini.encoding);
    if (!section || !key)
        return false;
    const qsizetype sectionLine = findSection(ini, *section);
    if (sectionLine < 0) {
        insertLine(ini, ini.lines.size(), *encodedHeader);
        insertLine(ini, ini.lines.size(), *encoded);
        return true;
    }
    const qsizetype keyLine = findKey(ini, sectionLine, *key);
    if (keyLine >= 0) {
        ini.lines[keyLine] = *encoded;
        return true;
    }
    // New key: after the last non-blank line of the section.
    qsizetype insertAt = sectionEnd(ini, sectionLine);
    while (insertAt - 1 > sectionLine && trimmed(ini.lines[insertAt - 1]).isEmpty())
        --insertAt;
    insertLine(ini, insertAt, *encoded);
    return true;
}

} // namespace

QString cutToCp932Bytes(const QString& value, int maxBytes)
{
    if (value.size() * 2 <= maxBytes)
        return value;
    int bytes = 0;
    qsizetype i = 0;
    while (i < value.size()) {
        const char16_t c = value[i].unicode();
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < value.size();
        const int width = (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 1 : 2;
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        i += pair ? 2 : 1;
    }
    return value.left(i);
}

QString SettingsStore::ReadValue(
    const QString& key, const QString& section, const QString& filePath)
{
    return SettingsSnapshot(filePath).read(key, section);
}

int SettingsStore::writeCount()
{
    return g_writeCount;
}

SettingsSnapshot::SettingsSnapshot(const QString& filePath)
    : m_ini(std::make_shared<const IniFile>(loadIni(filePath)))
    , m_writeCount(g_writeCount)
{
}

QString SettingsSnapshot::read(const QString& key, const QString& section) const
{
    const IniFile& ini = *m_ini;
    if (!ini.exists)
        return SettingsStore::kMissing;
    const std::optional<QByteArray> sectionBytes = nameBytes(section, ini.encoding);
    const std::optional<QByteArray> keyBytes = nameBytes(key, ini.encoding);
    if (!sectionBytes || !keyBytes)
        return SettingsStore::kMissing;
    const qsizetype sectionLine = findSection(ini, *sectionBytes);
    if (sectionLine < 0)
        return SettingsStore::kMissing;
    const qsizetype keyLine = findKey(ini, sectionLine, *keyBytes);
    if (keyLine < 0)
        return SettingsStore::kMissing;
    const QByteArray& line = ini.lines[keyLine];
    QByteArrayView raw = trimmed(QByteArrayView(line).sliced(line.indexOf('=') + 1));
    // Everything before a NUL, as a C string buffer would hold it.
    if (const qsizetype nul = raw.indexOf('\0'); nul >= 0)
        raw = raw.first(nul);
    QString value;
    if (isAscii(raw)) {
        value = QString::fromLatin1(raw);
    } else {
        // A broken value reads with replacement characters rather than not at all.
        const TextEncoding enc
            = ini.encoding == TextEncoding::Cp932 ? TextEncoding::Cp932 : TextEncoding::Utf8;
        value = decodeText(raw.toByteArray(), enc)
                    .value_or(enc == TextEncoding::Cp932 ? QStringDecoder("windows-31j").decode(raw)
                                                         : QString::fromUtf8(raw));
    }
    return cutToCp932Bytes(value, SettingsStore::kMaxValueBytes);
}

bool SettingsStore::WriteValue(
    const QString& value, const QString& key, const QString& section, const QString& filePath)
{
    return WriteValues({SettingEntry {section, key, value}}, filePath);
}

bool SettingsStore::WriteValues(const QList<SettingEntry>& entries, const QString& filePath)
{
    if (QFileInfo(filePath).isDir())
        return false;
    ++g_writeCount;
    // The file with the entries set, or nullopt when that cannot be done; unchanged tells
    // whether that is the file as it stands.
    bool unchanged = false;
    const auto changed = [&]() -> std::optional<QByteArray> {
        IniFile ini = loadIni(filePath);
        if (!ini.exists && QFileInfo::exists(filePath))
            return std::nullopt; // present but unreadable: never overwrite what we could not read
        // All or nothing: a batch is one state of the program's settings, and half of it
        // (a font's name without its size) is a state that never was.
        for (const SettingEntry& entry : entries) {
            if (!setValue(ini, entry))
                return std::nullopt;
        }
        QByteArray out;
        if (ini.encoding == TextEncoding::Utf8Bom)
            out.append("\xEF\xBB\xBF", 3);
        for (qsizetype i = 0; i < ini.lines.size(); ++i) {
            out.append(ini.lines[i]);
            out.append(ini.ends[i]);
        }
        unchanged = ini.exists && out == ini.bytes;
        return out;
    };
    // Values written as they already stand change nothing: the file is left alone, and
    // no lock is taken for it (start-up writes whole sections, and a lock waits for the
    // disk).
    if (!changed() || unchanged)
        return unchanged;
    // Read, change and write as one step: another copy of the program writing its own
    // keys meanwhile would otherwise have them reverted by this write.
    const FileLock lock(filePath);
    const std::optional<QByteArray> out = changed();
    if (!out)
        return false;
    if (unchanged)
        return true;
    return !writeFileBytes(filePath, *out).has_value();
}

QString SettingsStore::settingsPath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Settei.ini"));
}

} // namespace keruna
