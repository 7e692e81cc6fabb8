// A word list's bytes through what opening a file does: detection, decoding, line
// splitting, classification and the loaders the open sequence calls.

#include "fuzzinput.h"

#include "common/textfile.h"
#include "problemdata/problemloader.h"
#include "problemdata/problemrecord.h"

#include <QFile>
#include <QTemporaryDir>

using namespace keruna;

namespace {

const QByteArray kBom("\xEF\xBB\xBF", 3);

QString scratchPath()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("list.txt"));
    return path;
}

void writeScratch(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

// Code page 932 by its structure: lead bytes 81-9F and E0-FC take a second byte and
// give one character, A1-DF are half-width katakana, and every other single byte is the
// ASCII character of that value (1A, 1C and 7F included).
void checkCp932Structure(const QByteArray& bytes, const QString& text)
{
    qsizetype at = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i, ++at) {
        FUZZ_CHECK(at < text.size());
        const auto b = static_cast<unsigned char>(bytes[i]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
            ++i;
        else if (b >= 0xA1 && b <= 0xDF)
            FUZZ_CHECK(text[at].unicode() == 0xFF61 + (b - 0xA1));
        else
            FUZZ_CHECK(text[at].unicode() == b);
    }
    FUZZ_CHECK(at == text.size());
}

QStringList filtered(const QStringList& records, bool (*pred)(QStringView), bool want)
{
    QStringList out;
    for (const QString& r : records) {
        if (pred(r) == want)
            out.append(r);
    }
    return out;
}

// A list whose records all end in ",,○" etc. must partition as its codes say, in file
// order.
void checkPartition(const ProblemSet& set)
{
    FUZZ_CHECK(set.totalCount == set.allList.size());
    FUZZ_CHECK(set.memorizedCount == set.memorizedList.size());
    FUZZ_CHECK(set.notYetCount == set.notYetList.size());
    FUZZ_CHECK(set.redCount == set.redList.size());
    FUZZ_CHECK(set.memorizedList == filtered(set.allList, isMemorizedRecord, true));
    FUZZ_CHECK(set.notYetList == filtered(set.allList, isMemorizedRecord, false));
    FUZZ_CHECK(set.redList == filtered(set.allList, isRedRecord, true));
}

bool onlyCrLfLineEnds(QByteArrayView bytes)
{
    const qsizetype crlf = bytes.count("\r\n");
    return bytes.endsWith("\r\n") && bytes.count('\r') == crlf && bytes.count('\n') == crlf;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = scratchPath();
    writeScratch(path, bytes);

    const Result<DecodedText> decoded = decodeBytes(bytes);
    const Result<ProblemSet> checked = CheckProblemFile(path);

    ProblemSet loaded;
    loaded.path = QStringLiteral("before");
    loaded.addLine(u"before,,○");
    const ProblemSet before = loaded;
    const Result<bool> reloaded = LoadProblemFile(loaded, path);

    if (!decoded) {
        FUZZ_CHECK(!checked && !reloaded);
        // Nothing already loaded changes when a file is refused.
        FUZZ_CHECK(loaded.path == before.path && loaded.allList == before.allList);
        return 0;
    }
    const TextEncoding encoding = decoded.value().encoding;
    const QString& text = decoded.value().text;
    if (encoding == TextEncoding::Cp932)
        checkCp932Structure(bytes, text);

    // Lines of bytes and lines of text are the same lines: a line can be written back
    // from the bytes it was read from.
    const QStringList lines = splitLines(text);
    const QList<QByteArray> byteLines
        = splitByteLines(encoding == TextEncoding::Utf8Bom ? bytes.mid(3) : bytes);
    FUZZ_CHECK(byteLines.size() == lines.size());
    const TextEncoding lineEncoding
        = encoding == TextEncoding::Utf8Bom ? TextEncoding::Utf8 : encoding;
    for (qsizetype i = 0; i < lines.size(); ++i)
        FUZZ_CHECK(decodeText(byteLines[i], lineEncoding) == lines[i]);

    // Every decoded line can be written in the encoding it came from and reads back the same.
    const Result<QByteArray> written = encodeTextLines(lines, encoding);
    FUZZ_CHECK(written.ok());
    FUZZ_CHECK(written.value().startsWith(kBom) == (encoding == TextEncoding::Utf8Bom));
    const std::optional<QString> reread = decodeText(written.value(), encoding);
    FUZZ_CHECK(reread && splitLines(*reread) == lines);

    QStringList nonBlank;
    for (const QString& line : lines) {
        if (!line.isEmpty())
            nonBlank.append(line);
    }

    // Past 20000 lines the capacity rule may refuse the file; below it only an empty list is
    // refused.
    if (lines.size() <= ProblemSet::kCapacity) {
        FUZZ_CHECK(checked.ok() == !nonBlank.isEmpty());
        FUZZ_CHECK(reloaded.ok());
    }
    if (!reloaded) {
        FUZZ_CHECK(loaded.path == before.path && loaded.allList == before.allList);
        return 0;
    }
    FUZZ_CHECK(loaded.path == path && loaded.encoding == encoding);
    FUZZ_CHECK(loaded.rawLines() == nonBlank);
    checkPartition(loaded);
    if (checked) {
        FUZZ_CHECK(checked.value().allList == loaded.allList);
        FUZZ_CHECK(checked.value().encoding == encoding);
    }

    // UTF-8 has one byte form per character, so a list with CR LF line ends and no blank
    // lines saves back byte for byte, its BOM included.
    if (encoding != TextEncoding::Cp932 && lines == nonBlank
        && onlyCrLfLineEnds(
            QByteArrayView(bytes).sliced(encoding == TextEncoding::Utf8Bom ? 3 : 0))) {
        const Result<QByteArray> saved = encodeTextLines(loaded.rawLines(), loaded.encoding);
        FUZZ_CHECK(saved.ok() && saved.value() == bytes);
    }
    return 0;
}
