// Settei.ini: a file's first bytes followed by a series of reads and writes chosen by
// the input, checked against what was written before.

#include "fuzzinput.h"

#include "common/textfile.h"
#include "settings/settingsstore.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <optional>
#include <utility>

using namespace keruna;
using keruna::fuzz::FuzzInput;

namespace {

const QByteArray kBom("\xEF\xBB\xBF", 3);

QString settingsFile()
{
    static QTemporaryDir dir;
    static const QString path = SettingsStore::settingsPath(dir.path());
    return path;
}

std::optional<QByteArray> fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString trimSpacesAndTabs(QString s)
{
    while (!s.isEmpty() && (s.front() == u' ' || s.front() == u'\t'))
        s.remove(0, 1);
    while (!s.isEmpty() && (s.back() == u' ' || s.back() == u'\t'))
        s.chop(1);
    return s;
}

// Names as the program could use them: the store's own names, names that differ only
// in ASCII case, Japanese names whose cp932 trail bytes are ASCII letters, '\' or ']',
// half-width katakana, and names of the input's own without the characters that the
// line syntax reserves (line breaks, NUL and lone surrogates stay: they must be refused).
QString name(FuzzInput& in)
{
    static const QStringList pool = {
        QStringLiteral("FORM"),
        QStringLiteral("form"),
        QStringLiteral("Form"),
        QStringLiteral("SEC"),
        QStringLiteral("sec"),
        QStringLiteral("KUGIRIMOZI"),
        QStringLiteral("PR"),
        QStringLiteral("設定"),
        QStringLiteral("ｾｯﾃｲ"),
        QStringLiteral("ア"), // 83 41
        QStringLiteral("ヂ"), // 83 61
        QStringLiteral("ソ"), // 83 5C
        QStringLiteral("ゾ"), // 83 5D
        QStringLiteral("ﾀﾀ"), // C0 C0
        QStringLiteral("Ａ"),
        QStringLiteral("ａ"),
        QStringLiteral("Café"),
        QStringLiteral("CAFÉ"),
        QStringLiteral("a b"),
    };
    const uint8_t pick = in.byte();
    if (pick < 0xE0)
        return pool[pick % pool.size()];
    QString own;
    for (QChar c : in.text(6)) {
        if (c != u'=' && c != u'[' && c != u']')
            own += c;
    }
    return trimSpacesAndTabs(own);
}

QString value(FuzzInput& in)
{
    QString v = in.text(24);
    const uint8_t repeat = in.byte();
    if (repeat > 0xC0)
        v = v.repeated(1 + (repeat - 0xC0) * 4); // long values, for the 254-byte cut
    return v;
}

// Names match without regard to ASCII case, and only ASCII case.
QString foldAscii(const QString& s)
{
    QString out = s;
    for (QChar& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 0x20);
    }
    return out;
}

using Pair = std::pair<QString, QString>;
Pair pairOf(const QString& section, const QString& key)
{
    return {foldAscii(section), foldAscii(key)};
}

// The bytes a character takes in code page 932; two for one it cannot hold.
int cp932Width(const QString& ch)
{
    const std::optional<QByteArray> bytes = encodeText(ch, TextEncoding::Cp932);
    return bytes ? int(bytes->size()) : 2;
}

// What reading gives for a written value: the value without the spaces and tabs around
// it that INI readers drop, cut to 254 code page 932 bytes without splitting a character.
QString expectedRead(const QString& written)
{
    const QString v = trimSpacesAndTabs(written);
    int bytes = 0;
    qsizetype i = 0;
    while (i < v.size()) {
        const qsizetype len
            = (v[i].isHighSurrogate() && i + 1 < v.size() && v[i + 1].isLowSurrogate()) ? 2 : 1;
        bytes += cp932Width(v.mid(i, len));
        if (bytes > SettingsStore::kMaxValueBytes)
            break;
        i += len;
    }
    return v.left(i);
}

// A file's lines, without a BOM.
QList<QByteArray> linesOf(const std::optional<QByteArray>& bytes)
{
    if (!bytes)
        return {};
    return splitByteLines(bytes->startsWith(kBom) ? bytes->mid(3) : *bytes);
}

// A line kept as it was: the same bytes, or the same text after the file turned from
// code page 932 into UTF-8.
bool sameLine(const QByteArray& before, const QByteArray& after)
{
    if (before == after)
        return true;
    const std::optional<QString> old = decodeText(before, TextEncoding::Cp932);
    return old && decodeText(after, TextEncoding::Utf8) == old;
}

// One write replaced one line, inserted one key line, or appended a section with its
// key line; every other line is kept.
void checkOneLineChanged(const QList<QByteArray>& before, const QList<QByteArray>& after)
{
    qsizetype prefix = 0;
    const qsizetype common = std::min(before.size(), after.size());
    while (prefix < common && sameLine(before[prefix], after[prefix]))
        ++prefix;
    qsizetype suffix = 0;
    while (prefix + suffix < common
        && sameLine(before[before.size() - 1 - suffix], after[after.size() - 1 - suffix]))
        ++suffix;
    const qsizetype removed = before.size() - prefix - suffix;
    const qsizetype added = after.size() - prefix - suffix;
    // A value written again over itself changes nothing.
    FUZZ_CHECK((removed == 0 && added <= 2) || (removed == 1 && added == 1));
}

// FUZZ_VERBOSE=1 prints each step, to read what a reproducer does.
void trace(const char* what, const QString& section, const QString& key, const QString& text)
{
    static const bool verbose = qEnvironmentVariableIsSet("FUZZ_VERBOSE");
    if (!verbose)
        return;
    auto show = [](const QString& s) {
        QByteArray out;
        for (QChar c : s)
            out += c.unicode() >= 0x20 && c.unicode() < 0x7F
                ? QByteArray(1, char(c.unicode()))
                : "\\u" + QByteArray::number(c.unicode(), 16);
        return out;
    };
    std::fprintf(stderr, "%s [%s] %s = \"%s\"\n", what, show(section).constData(),
        show(key).constData(), show(text).constData());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const QString path = settingsFile();
    QFile::remove(path);
    if (in.byte() & 1) {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        const QByteArray initial = in.bytes(in.u16() % 2048);
        file.write(initial);
        trace("file", {}, {}, QString::fromLatin1(initial.toHex(' ')));
    }

    QHash<Pair, QString> written; // what each name was last written with
    QHash<Pair, QString> firstRead; // what a name never written read as at first
    // Taken at the first read after a write: it must read as ReadValue does until the next write.
    std::optional<SettingsSnapshot> snapshot;
    for (int op = 0; op < 24 && !in.atEnd(); ++op) {
        const uint8_t kind = in.byte() % 4;
        if (kind == 0) {
            const QString section = name(in);
            const QString key = name(in);
            const QString got = SettingsStore::ReadValue(key, section, path);
            trace("read", section, key, got);
            if (!snapshot)
                snapshot.emplace(path);
            FUZZ_CHECK(snapshot->read(key, section) == got);
            const Pair p = pairOf(section, key);
            if (written.contains(p))
                FUZZ_CHECK(got == expectedRead(written.value(p)));
            else if (firstRead.contains(p))
                FUZZ_CHECK(got == firstRead.value(p));
            else
                firstRead.insert(p, got);
            continue;
        }
        snapshot.reset();
        QList<SettingEntry> entries;
        const int count = kind == 3 ? 2 : 1;
        for (int i = 0; i < count; ++i)
            entries.append({name(in), name(in), value(in)});
        const std::optional<QByteArray> before = fileBytes(path);
        QList<bool> stored;
        if (count == 1) {
            stored.append(SettingsStore::WriteValue(
                entries[0].value, entries[0].key, entries[0].section, path));
            trace(stored[0] ? "write" : "refused", entries[0].section, entries[0].key,
                entries[0].value);
            const std::optional<QByteArray> after = fileBytes(path);
            if (stored[0])
                checkOneLineChanged(linesOf(before), linesOf(after));
            else
                FUZZ_CHECK(before == after); // a refused write leaves the file as it was
        } else {
            // The same as writing each entry in turn, done here on a copy of the file.
            const QString copy = path + QStringLiteral(".copy");
            QFile::remove(copy);
            if (before)
                FUZZ_CHECK(QFile::copy(path, copy));
            for (const SettingEntry& e : entries)
                stored.append(SettingsStore::WriteValue(e.value, e.key, e.section, copy));
            const bool all = SettingsStore::WriteValues(entries, path);
            for (qsizetype i = 0; i < entries.size(); ++i)
                trace(stored[i] ? "write (of two)" : "refused (of two)", entries[i].section,
                    entries[i].key, entries[i].value);
            FUZZ_CHECK(all == !stored.contains(false));
            FUZZ_CHECK(fileBytes(path) == fileBytes(copy));
        }
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const SettingEntry& e = entries[i];
            if (!stored[i])
                continue;
            FUZZ_CHECK(!e.section.isEmpty() && !e.key.isEmpty());
            written.insert(pairOf(e.section, e.key), e.value);
            firstRead.remove(pairOf(e.section, e.key));
        }
    }
    return 0;
}
