#include "settings/settingsstore.h"

#include "common/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace keruna {

namespace {

// The file as lines of bytes. Names are found by comparing bytes (the program's section
// and key names are ASCII, which reads the same in both encodings), so lines that are
// not replaced are written back exactly as they were, junk included.
struct IniFile {
    QList<QByteArray> lines;
    TextEncoding encoding = TextEncoding::Cp932;
    bool exists = false;
};

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
    QByteArray data = std::move(bytes).value();
    ini.encoding = detectEncoding(data);
    // Plain ASCII is as much code page 932 as UTF-8; new Japanese values then go in as
    // code page 932, the form older copies of the program read.
    if (ini.encoding == TextEncoding::Utf8 && isAscii(data))
        ini.encoding = TextEncoding::Cp932;
    if (ini.encoding == TextEncoding::Utf8Bom)
        data.remove(0, 3);
    ini.lines = splitByteLines(data);
    return ini;
}

QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t'))
        v.chop(1);
    return v;
}

// The section name of a "[NAME]" line.
std::optional<QByteArrayView> sectionName(QByteArrayView line)
{
    const QByteArrayView t = trimmed(line);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return trimmed(close < 0 ? t.sliced(1) : t.sliced(1, close - 1));
}

// The key name of a "KEY=value" line ('=' is never part of a double-byte character).
std::optional<QByteArrayView> keyName(QByteArrayView line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return trimmed(line.first(eq));
}

bool sameName(QByteArrayView a, const QByteArray& b)
{
    return a.size() == b.size() && qstrnicmp(a.data(), b.constData(), b.size()) == 0;
}

// Index of the first "[section]" line, or -1.
qsizetype findSection(const IniFile& ini, const QByteArray& section)
{
    for (qsizetype i = 0; i < ini.lines.size(); ++i) {
        const std::optional<QByteArrayView> name = sectionName(ini.lines[i]);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

// End (exclusive) of the section that starts at sectionLine.
qsizetype sectionEnd(const IniFile& ini, qsizetype sectionLine)
{
    qsizetype i = sectionLine + 1;
    while (i < ini.lines.size() && !sectionName(ini.lines[i]))
        ++i;
    return i;
}

qsizetype findKey(const IniFile& ini, qsizetype sectionLine, const QByteArray& key)
{
    const qsizetype end = sectionEnd(ini, sectionLine);
    for (qsizetype i = sectionLine + 1; i < end; ++i) {
        const std::optional<QByteArrayView> name = keyName(ini.lines[i]);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

// A name as the file spells it; nullopt when the file's encoding cannot hold it.
std::optional<QByteArray> nameBytes(const QString& name, TextEncoding encoding)
{
    return encodeText(name, encoding == TextEncoding::Utf8Bom ? TextEncoding::Utf8 : encoding);
}

// Re-encodes every line as UTF-8 so that a value without a code page 932 form can be
// stored instead of being replaced by '?'. Fails when an existing line is not valid text.
bool convertToUtf8(IniFile& ini)
{
    for (QByteArray& line : ini.lines) {
        if (isAscii(line))
            continue;
        const std::optional<QString> text = decodeText(line, ini.encoding);
        if (!text)
            return false;
        line = text->toUtf8();
    }
    ini.encoding = TextEncoding::Utf8;
    return true;
}

bool setValue(IniFile& ini, const SettingEntry& entry)
{
    const QString text = entry.key + u'=' + entry.value;
    const QString header = u'[' + entry.section + u']';
    std::optional<QByteArray> encoded = nameBytes(text, ini.encoding);
    std::optional<QByteArray> encodedHeader = nameBytes(header, ini.encoding);
    if (!encoded || !encodedHeader) {
        if (!convertToUtf8(ini))
            return false;
        encoded = text.toUtf8();
        encodedHeader = header.toUtf8();
    }
    const std::optional<QByteArray> section = nameBytes(entry.section, ini.encoding);
    const std::optional<QByteArray> key = nameBytes(entry.key, ini.encoding);
    if (!section || !key)
        return false;
    const qsizetype sectionLine = findSection(ini, *section);
    if (sectionLine < 0) {
        ini.lines.append(*encodedHeader);
        ini.lines.append(*encoded);
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
    ini.lines.insert(insertAt, *encoded);
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
    const IniFile ini = loadIni(filePath);
    if (!ini.exists)
        return kMissing;
    const std::optional<QByteArray> sectionBytes = nameBytes(section, ini.encoding);
    const std::optional<QByteArray> keyBytes = nameBytes(key, ini.encoding);
    if (!sectionBytes || !keyBytes)
        return kMissing;
    const qsizetype sectionLine = findSection(ini, *sectionBytes);
    if (sectionLine < 0)
        return kMissing;
    const qsizetype keyLine = findKey(ini, sectionLine, *keyBytes);
    if (keyLine < 0)
        return kMissing;
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
    return cutToCp932Bytes(value, kMaxValueBytes);
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
    IniFile ini = loadIni(filePath);
    if (!ini.exists && QFileInfo::exists(filePath))
        return false; // present but unreadable: never overwrite what we could not read
    for (const SettingEntry& entry : entries) {
        if (entry.section.isEmpty() || entry.key.isEmpty())
            return false;
        if (!setValue(ini, entry))
            return false;
    }
    QByteArray out;
    if (ini.encoding == TextEncoding::Utf8Bom)
        out.append("\xEF\xBB\xBF", 3);
    for (const QByteArray& line : ini.lines) {
        out.append(line);
        out.append("\r\n", 2);
    }
    return !writeFileBytes(filePath, out).has_value();
}

QString SettingsStore::settingsPath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Settei.ini"));
}

} // namespace keruna
