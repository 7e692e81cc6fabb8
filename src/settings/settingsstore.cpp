#include "settings/settingsstore.h"

#include "common/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>
#include <vector>

namespace keruna {

namespace {

// One line of the file: its bytes as read (kept untouched unless the line is replaced)
// and its text, used only to find section and key names.
struct IniLine {
    QByteArray raw;
    QString text;
};

struct IniFile {
    std::vector<IniLine> lines;
    TextEncoding encoding = TextEncoding::Cp932;
    bool exists = false;
};

QList<QByteArray> splitRawLines(const QByteArray& bytes)
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

bool isAscii(const QByteArray& bytes)
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
    const QList<QByteArray> raw = splitRawLines(data);
    ini.lines.reserve(raw.size());
    // Junk bytes decode to replacement characters here; that only matters for finding
    // names, and the bytes of lines we do not replace are written back as they were.
    QStringDecoder cp932("windows-31j", QStringConverter::Flag::Stateless);
    for (const QByteArray& line : raw) {
        QString text;
        if (isAscii(line))
            text = QString::fromLatin1(line);
        else if (ini.encoding == TextEncoding::Cp932)
            text = cp932.decode(line);
        else
            text = QString::fromUtf8(line);
        ini.lines.push_back(IniLine{line, std::move(text)});
    }
    return ini;
}

// The section name of a "[NAME]" line.
std::optional<QString> sectionName(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

// The key name of a "KEY=value" line.
std::optional<QString> keyName(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return std::nullopt;
    return line.left(eq).trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the first "[section]" line, or -1.
qsizetype findSection(const IniFile& ini, const QString& section)
{
    for (size_t i = 0; i < ini.lines.size(); ++i) {
        std::optional<QString> name = sectionName(ini.lines[i].text);
        if (name && sameName(*name, section))
            return qsizetype(i);
    }
    return -1;
}

// End (exclusive) of the section that starts at sectionLine.
qsizetype sectionEnd(const IniFile& ini, qsizetype sectionLine)
{
    qsizetype i = sectionLine + 1;
    while (i < qsizetype(ini.lines.size()) && !sectionName(ini.lines[size_t(i)].text))
        ++i;
    return i;
}

qsizetype findKey(const IniFile& ini, qsizetype sectionLine, const QString& key)
{
    const qsizetype end = sectionEnd(ini, sectionLine);
    for (qsizetype i = sectionLine + 1; i < end; ++i) {
        std::optional<QString> name = keyName(ini.lines[size_t(i)].text);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

// Re-encodes every line as UTF-8 so that a value without a code page 932 form can be
// stored instead of being replaced by '?'. Fails when an existing line is not valid text.
bool convertToUtf8(IniFile& ini)
{
    for (IniLine& line : ini.lines) {
        if (isAscii(line.raw))
            continue;
        if (!decodeText(line.raw, ini.encoding))
            return false;
        line.raw = line.text.toUtf8();
    }
    ini.encoding = TextEncoding::Utf8;
    return true;
}

bool setValue(IniFile& ini, const SettingEntry& entry)
{
    const QString text = entry.key + u'=' + entry.value;
    const QString header = u'[' + entry.section + u']';
    std::optional<QByteArray> encoded = encodeText(text, ini.encoding);
    std::optional<QByteArray> encodedHeader = encodeText(header, ini.encoding);
    if (!encoded || !encodedHeader) {
        if (!convertToUtf8(ini))
            return false;
        encoded = text.toUtf8();
        encodedHeader = header.toUtf8();
    }
    const qsizetype section = findSection(ini, entry.section);
    if (section < 0) {
        ini.lines.push_back(IniLine{*encodedHeader, header});
        ini.lines.push_back(IniLine{*encoded, text});
        return true;
    }
    const qsizetype keyLine = findKey(ini, section, entry.key);
    if (keyLine >= 0) {
        ini.lines[size_t(keyLine)] = IniLine{*encoded, text};
        return true;
    }
    // New key: after the last non-blank line of the section.
    qsizetype insertAt = sectionEnd(ini, section);
    while (insertAt - 1 > section && ini.lines[size_t(insertAt - 1)].text.trimmed().isEmpty())
        --insertAt;
    ini.lines.insert(ini.lines.begin() + insertAt, IniLine{*encoded, text});
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

QString SettingsStore::ReadValue(const QString& key, const QString& section, const QString& filePath)
{
    const IniFile ini = loadIni(filePath);
    if (!ini.exists)
        return kMissing;
    const qsizetype sectionLine = findSection(ini, section);
    if (sectionLine < 0)
        return kMissing;
    const qsizetype keyLine = findKey(ini, sectionLine, key);
    if (keyLine < 0)
        return kMissing;
    const QString& line = ini.lines[size_t(keyLine)].text;
    QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
    // Everything before a NUL, as a C string buffer would hold it.
    const qsizetype nul = value.indexOf(QChar(u'\0'));
    if (nul >= 0)
        value.truncate(nul);
    return cutToCp932Bytes(value, kMaxValueBytes);
}

bool SettingsStore::WriteValue(const QString& value, const QString& key, const QString& section,
                               const QString& filePath)
{
    return WriteValues({SettingEntry{section, key, value}}, filePath);
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
    for (const IniLine& line : ini.lines) {
        out.append(line.raw);
        out.append("\r\n", 2);
    }
    return !writeFileBytes(filePath, out).has_value();
}

QString SettingsStore::settingsPath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Settei.ini"));
}

} // namespace keruna
