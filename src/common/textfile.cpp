#include "common/textfile.h"

#include "common/cp932.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace keruna {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

// 1-based line number of a byte offset, counting CR LF, LF and lone CR as line ends.
int lineNumberAt(const QByteArray& bytes, qsizetype offset)
{
    int line = 1;
    for (qsizetype i = 0; i < offset && i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            ++line;
        } else if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            ++line;
        }
    }
    return line;
}

QString undecodableLineMessage(int line)
{
    return QCoreApplication::translate("TextFile",
        "%1行目の文字が読めません。Shift-JISでもUTF-8でもない文字が含まれています。"
        "ファイルの文字コードを確かめてください。")
        .arg(line);
}

QString unencodableLineMessage(int line)
{
    return QCoreApplication::translate("TextFile",
        "%1行目にこのファイルの文字コードで保存できない文字があります。"
        "保存は行われませんでした。")
        .arg(line);
}

// Kana, kanji, CJK symbols and punctuation, full-width forms: text that marks a file as
// Japanese. Half-width katakana is left out on purpose: in UTF-8 it starts with EF,
// which no code page 932 text holds, so it never has to break a tie.
bool isJapanese(unsigned int cp)
{
    return (cp >= 0x3000 && cp <= 0x30FF) || (cp >= 0x31F0 && cp <= 0x4DBF)
        || (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xF900 && cp <= 0xFAFF)
        || (cp >= 0xFF01 && cp <= 0xFF60) || (cp >= 0xFFE0 && cp <= 0xFFE6)
        || (cp >= 0x20000 && cp <= 0x3FFFF);
}

struct Utf8Scan {
    bool valid = true;
    bool ascii = true; // no byte above 7F
    bool japanese = false; // the UTF-8 reading holds Japanese text (valid scans only)
    // It holds a CJK character no Shift-JIS file could: bytes that read as both are then
    // Shift-JIS that happens to be valid UTF-8 (a short line of rare kanji, say).
    bool beyondCp932 = false;
    qsizetype badOffset = -1; // first byte of the first invalid sequence
};

Utf8Scan scanUtf8(const char* data, qsizetype size)
{
    Utf8Scan scan;
    const auto* s = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size) {
        // Word lists are mostly ASCII: skip it eight bytes at a time.
        if (i + 8 <= size) {
            quint64 word;
            std::memcpy(&word, s + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        scan.ascii = false;
        int extra = 0;
        unsigned int cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            scan.valid = false;
        }
        for (int k = 1; scan.valid && k <= extra; ++k) {
            if (i + k >= size || (s[i + k] & 0xC0) != 0x80)
                scan.valid = false;
            else
                cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (scan.valid
            && ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)))
                || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))))
            scan.valid = false;
        if (!scan.valid) {
            scan.badOffset = i;
            return scan;
        }
        if (isJapanese(cp)) {
            scan.japanese = true;
            scan.beyondCp932 = scan.beyondCp932 || !cp932CanWrite(cp);
        }
        i += extra + 1;
    }
    return scan;
}

// Every U+FEFF is text, a leading one included: the caller has already taken off the
// byte-order mark, and QString::fromUtf8 would drop a second one from line 1.
QString decodeUtf8Keeping(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8,
        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

int firstBadLine(const QByteArray& bytes, TextEncoding encoding)
{
    const QList<QByteArray> byteLines = splitByteLines(bytes);
    for (qsizetype i = 0; i < byteLines.size(); ++i) {
        if (!decodeText(byteLines[i], encoding))
            return int(i) + 1;
    }
    return 1;
}

struct Detected {
    TextEncoding encoding = TextEncoding::Cp932;
    std::optional<QString> text; // nullopt: valid in neither encoding
    int badLine = 0; // when text is nullopt: the first line the better reading fails on
};

// At most one validity pass for each encoding: this runs on every load.
Detected detectAndDecode(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Bom)) {
        const QByteArrayView body = QByteArrayView(bytes).sliced(3);
        const Utf8Scan scan = scanUtf8(body.data(), body.size());
        if (!scan.valid)
            return {TextEncoding::Utf8Bom, std::nullopt, lineNumberAt(bytes, 3 + scan.badOffset)};
        return {TextEncoding::Utf8Bom, decodeUtf8Keeping(body), 0};
    }
    const Utf8Scan scan = scanUtf8(bytes.constData(), bytes.size());
    // ASCII reads the same either way; calling it code page 932, the format's own
    // encoding, keeps marks added at the first save in the form the file began in.
    if (scan.valid && scan.ascii)
        return {TextEncoding::Cp932, QString::fromLatin1(bytes), 0};
    if (scan.valid && scan.japanese && !scan.beyondCp932)
        return {TextEncoding::Utf8, decodeUtf8Keeping(bytes), 0};
    if (std::optional<QString> text = decodeCp932(bytes))
        return {TextEncoding::Cp932, std::move(text), 0};
    if (scan.valid)
        return {TextEncoding::Utf8, decodeUtf8Keeping(bytes), 0};
    // Neither: the reading that gets further is the one the user meant.
    const int utf8Bad = lineNumberAt(bytes, scan.badOffset);
    const int cp932Bad = firstBadLine(bytes, TextEncoding::Cp932);
    if (utf8Bad > cp932Bad)
        return {TextEncoding::Utf8, std::nullopt, utf8Bad};
    return {TextEncoding::Cp932, std::nullopt, cp932Bad};
}

} // namespace

bool isValidUtf8(const char* data, qsizetype size)
{
    return scanUtf8(data, size).valid;
}

TextEncoding detectEncoding(const QByteArray& bytes)
{
    return detectAndDecode(bytes).encoding;
}

std::optional<QString> decodeText(const QByteArray& bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        if (bytes.startsWith(kUtf8Bom)) {
            const QByteArrayView body = QByteArrayView(bytes).sliced(3);
            if (!isValidUtf8(body.data(), body.size()))
                return std::nullopt;
            return decodeUtf8Keeping(body);
        }
        [[fallthrough]];
    case TextEncoding::Utf8:
        if (!isValidUtf8(bytes))
            return std::nullopt;
        return decodeUtf8Keeping(bytes);
    case TextEncoding::Cp932:
        return decodeCp932(bytes);
    }
    return std::nullopt;
}

std::optional<QByteArray> encodeText(const QString& text, TextEncoding encoding)
{
    QByteArray bytes;
    if (!TextEncoder(encoding).appendTo(bytes, text))
        return std::nullopt;
    return bytes;
}

TextEncoder::TextEncoder(TextEncoding encoding)
    : m_encoding(encoding)
{
}

TextEncoder::~TextEncoder() = default;

bool TextEncoder::appendTo(QByteArray& out, const QString& text)
{
    if (m_encoding != TextEncoding::Cp932) {
        // A lone surrogate has no UTF-8 form: toUtf8() would put a replacement character.
        if (!QStringView(text).isValidUtf16())
            return false;
        out += text.toUtf8();
        return true;
    }
    if (!m_cp932)
        m_cp932 = std::make_unique<QStringEncoder>(kCp932Name, QStringConverter::Flag::Stateless);
    if (!m_cp932->isValid())
        return false;
    const QString swapped = swapControlsBeforeEncode(text);
    const qsizetype before = out.size();
    out.resize(before + m_cp932->requiredSpace(swapped.size()));
    char* end = m_cp932->appendToBuffer(out.data() + before, swapped);
    if (m_cp932->hasError()) {
        m_cp932->resetState(); // the next text starts clean
        out.truncate(before);
        return false;
    }
    out.truncate(end - out.constData());
    return true;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    forEachLine(text, [&](QStringView line) { lines.append(line.toString()); });
    return lines;
}

QList<QByteArray> splitByteLines(const QByteArray& bytes)
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

Result<DecodedText> decodeBytes(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0) {
        return AppError::withText(ErrorNumber::ApplicationDefined,
            QCoreApplication::translate("TextFile",
                "%1行目にNUL文字があります。テキストファイルではないか、"
                "UTF-16で保存されています。Shift-JISかUTF-8で保存し直してください。")
                .arg(lineNumberAt(bytes, nul)));
    }
    Detected detected = detectAndDecode(bytes);
    if (!detected.text)
        return AppError::withText(
            ErrorNumber::ApplicationDefined, undecodableLineMessage(detected.badLine));
    return DecodedText {*std::move(detected.text), detected.encoding};
}

Result<TextLines> decodeTextLines(const QByteArray& bytes)
{
    Result<DecodedText> decoded = decodeBytes(bytes);
    if (!decoded)
        return decoded.error();
    return TextLines {splitLines(decoded.value().text), decoded.value().encoding};
}

Result<QByteArray> readFileBytes(const QString& path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (path.isEmpty())
        return AppError::of(ErrorNumber::BadFileName);
    if (!info.exists()) {
        // A link that leads back to itself is there, but cannot be read: not "not found".
        struct stat st { };
        if (::stat(QFile::encodeName(path).constData(), &st) != 0 && errno == ELOOP)
            return AppError::withText(ErrorNumber::PathFileAccess,
                QCoreApplication::translate("TextFile",
                    "シンボリックリンクが循環しているため、ファイルを読み込めません。"
                    "リンク先を確かめてください。"));
        return AppError::of(ErrorNumber::FileNotFound);
    }
    if (info.isDir())
        return AppError::of(ErrorNumber::PathFileAccess);
    // A pipe, socket or device would block the open or the read for good: look before
    // opening anything.
    if (!info.isFile())
        return AppError::withText(ErrorNumber::PathFileAccess,
            QCoreApplication::translate("TextFile",
                "通常のファイルではないため開けません（パイプや装置など）。"
                "テキストファイルを選んでください。"));
    const auto tooLarge = [maxBytes] {
        return AppError::withText(ErrorNumber::OutOfMemory,
            QCoreApplication::translate(
                "TextFile", "ファイルが大きすぎるため読み込めません。読み込めるのは%1 MBまでです。")
                .arg(maxBytes / (1024 * 1024)));
    };
    if (maxBytes >= 0 && info.size() > maxBytes)
        return tooLarge();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::PermissionsError || !info.isReadable())
            return AppError::of(ErrorNumber::PermissionDenied);
        return AppError::of(ErrorNumber::FileNotFound);
    }
    // One byte past the limit tells a file that grew after it was looked at.
    QByteArray bytes = maxBytes >= 0 ? file.read(maxBytes + 1) : file.readAll();
    if (file.error() != QFileDevice::NoError)
        return AppError::of(ErrorNumber::DeviceIo);
    if (maxBytes >= 0 && bytes.size() > maxBytes)
        return tooLarge();
    return bytes;
}

Result<DecodedText> readText(const QString& path, qint64 maxBytes)
{
    Result<QByteArray> bytes = readFileBytes(path, maxBytes);
    if (!bytes)
        return bytes.error();
    return decodeBytes(bytes.value());
}

Result<TextLines> readTextFile(const QString& path)
{
    Result<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    return decodeTextLines(bytes.value());
}

Result<QByteArray> encodeTextLines(const QStringList& lines, TextEncoding encoding)
{
    QString text;
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    text.reserve(total);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    std::optional<QByteArray> bytes = encodeText(text, encoding);
    if (!bytes) {
        int bad = 1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (!encodeText(lines[i], encoding)) {
                bad = int(i) + 1;
                break;
            }
        }
        return AppError::withText(ErrorNumber::ApplicationDefined, unencodableLineMessage(bad));
    }
    if (encoding == TextEncoding::Utf8Bom)
        bytes->prepend(kUtf8Bom);
    return *std::move(bytes);
}

namespace {
int g_writesBeforeFault = -1;
}

void failWriteAfter(int writes)
{
    g_writesBeforeFault = writes;
}

bool takeWriteFault()
{
    const bool fault = g_writesBeforeFault == 0;
    if (g_writesBeforeFault >= 0)
        --g_writesBeforeFault;
    return fault;
}

namespace {

AppError folderNotWritable(const QString& path)
{
    const QFileInfo info(path);
    return AppError::withText(ErrorNumber::PermissionDenied,
        QCoreApplication::translate("TextFile",
            "フォルダ「%1」に書き込めません。ファイルは元のままです。\r\n"
            "書き込めるフォルダに名前を付けて保存してください。")
            .arg(QDir::toNativeSeparators(info.absolutePath())));
}

// Writes everything to the open file and pushes it to the disk; false when any byte did
// not get there. The file is unbuffered, so a full disk fails here and not later, hidden
// inside the rename.
bool writeThrough(QSaveFile& file, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return ::fsync(file.handle()) == 0;
}

// A save killed between the new file getting its name and taking the old one's place
// leaves "<name>.XXXXXX" (six random letters) beside it for good. Such leftovers of this
// file are removed at its next save. A user's own "<name>.backup" or "<name>.Backup" has
// the same shape, so only names mixing case in a way words do not (random letters almost
// always do) go, and only when they are ours and a minute old, never another program's
// save in progress.
void removeLeftoversOf(const QString& path)
{
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QString prefix = target.fileName() + u'.';
    const QFileInfoList candidates = folder.entryInfoList(
        {prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    const QDateTime minuteAgo = QDateTime::currentDateTimeUtc().addSecs(-60);
    for (const QFileInfo& leftover : candidates) {
        const QStringView tail = QStringView(leftover.fileName()).sliced(prefix.size());
        int upper = 0;
        int lower = 0;
        bool letters = true;
        for (QChar c : tail) {
            upper += c >= u'A' && c <= u'Z';
            lower += c >= u'a' && c <= u'z';
            letters = letters && ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'));
        }
        const bool capitalisedWord = upper == 1 && tail.front().isUpper();
        if (!letters || upper == 0 || lower == 0 || capitalisedWord)
            continue;
        if (leftover.ownerId() != ::geteuid() || leftover.lastModified() > minuteAgo)
            continue;
        QFile::remove(leftover.absoluteFilePath());
    }
}

// The new file takes the old one's owner and group where the system allows (root saving
// a list that belongs to someone else must not take it from them).
void keepOwner(const QString& path, int fd)
{
    struct stat old { };
    if (fd < 0 || ::stat(QFile::encodeName(path).constData(), &old) != 0)
        return;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), old.st_gid); // at least the group, if ours to give
}

} // namespace

std::optional<AppError> writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (opened)
        keepOwner(path, file.handle());
    if (!opened) {
        const QFileInfo info(path);
        if (info.isDir())
            return AppError::of(ErrorNumber::PathFileAccess);
        if (!info.absoluteDir().exists())
            return AppError::of(ErrorNumber::PathNotFound);
        // The new file is made beside the old one: a folder that cannot be written to
        // keeps even a writable file from being saved in place.
        if (!QFileInfo(info.absolutePath()).isWritable())
            return folderNotWritable(path);
        return AppError::of(ErrorNumber::PermissionDenied);
    }
    // The disk filling up half-way, for tests: half the bytes reach the new file, then
    // the same path as a real failed write.
    const bool fault = takeWriteFault();
    const QByteArrayView toWrite
        = fault ? QByteArrayView(bytes).first(bytes.size() / 2) : QByteArrayView(bytes);
    if (!writeThrough(file, toWrite) || fault) {
        file.cancelWriting();
        return AppError::of(ErrorNumber::DiskFull);
    }
    if (!file.commit())
        return AppError::of(ErrorNumber::DeviceIo);
    removeLeftoversOf(path);
    return std::nullopt;
}

std::optional<AppError> writeTextFile(
    const QString& path, const QStringList& lines, TextEncoding encoding)
{
    Result<QByteArray> bytes = encodeTextLines(lines, encoding);
    if (!bytes)
        return bytes.error();
    return writeFileBytes(path, bytes.value());
}

} // namespace keruna
