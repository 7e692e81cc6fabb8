#include "common/textfile.h"
#include "settings/settingsstore.h"
#include "support/harness.h"
#include "support/smalldisk.h"

#include <QDateTime>
#include <QDir>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <future>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace keruna;
using keruna::test::readBytes;
using keruna::test::sjis;
using keruna::test::writeBytes;

TEST(TextFile, ReadsEachFileInTheEncodingItWasWrittenIn)
{
    const QByteArray bom("\xEF\xBB\xBF");
    struct Case {
        QByteArray bytes;
        TextEncoding encoding;
        QString text;
    };
    const Case cases[] = {
        {bom + "abc\r\n", TextEncoding::Utf8Bom, "abc\r\n"},
        {QStringLiteral("りんご\r\n").toUtf8(), TextEncoding::Utf8, QStringLiteral("りんご\r\n")},
        {"\x82\xe8\x82\xf1\x82\xb2\r\n", TextEncoding::Cp932, QStringLiteral("りんご\r\n")},
        // Half-width katakana in code page 932 that is valid UTF-8 too (ý, б, ...).
        {"\xC3\xBD,test\r\n\xD0\xB1,x\r\n", TextEncoding::Cp932,
            QStringLiteral("ﾃｽ,test\r\nﾐｱ,x\r\n")},
        {"\xF2\xB8\xB8\x87\x5C\x23\r\n", TextEncoding::Cp932, QStringLiteral("\uE1EFｸⅨ#\r\n")},
        // Japanese UTF-8 that code page 932 could also read (as 迥ｬ,dog).
        {QStringLiteral("犬,dog\r\n猫,cat\r\n").toUtf8(), TextEncoding::Utf8,
            QStringLiteral("犬,dog\r\n猫,cat\r\n")},
        // Shift-JIS that is valid UTF-8 too, whose UTF-8 reading holds a character no
        // Shift-JIS file could (㌎q, 鑔n): Shift-JIS.
        {"\xE3\x8C\x8E\x71,satin\r\n", TextEncoding::Cp932, QStringLiteral("繻子,satin\r\n")},
        {"\xE9\x86\x94\x6E\r\n", TextEncoding::Cp932, QStringLiteral("驢馬\r\n")},
        // ASCII is the format's own encoding, so marks added later go in as code page 932.
        {"apple,ringo\r\n", TextEncoding::Cp932, "apple,ringo\r\n"},
        // Only the first BOM is one; a second is the text's own U+FEFF.
        {bom + bom + "a\r\n", TextEncoding::Utf8Bom, QStringLiteral("\uFEFFa\r\n")},
        // 1A (an old end-of-file mark), 1C and 7F are themselves in code page 932.
        {"a,\x7F\x1C\r\n\x94\x4C,\x1A\r\n", TextEncoding::Cp932,
            QStringLiteral("a,\x7F\x1C\r\n猫,\x1A\r\n")},
        {"z,\x1A\x1C\x7F\r\n", TextEncoding::Cp932, QStringLiteral("z,\x1A\x1C\x7F\r\n")},
    };
    for (const Case& c : cases) {
        const std::string name = c.bytes.toHex(' ').toStdString();
        Result<DecodedText> decoded = decodeBytes(c.bytes);
        ASSERT_TRUE(decoded) << name;
        EXPECT_EQ(decoded.value().encoding, c.encoding) << name;
        EXPECT_EQ(decoded.value().text, c.text) << name;
        Result<QByteArray> written = encodeTextLines(splitLines(c.text), c.encoding);
        ASSERT_TRUE(written) << name;
        EXPECT_EQ(written.value(), c.bytes) << name;
    }
    // Overlong forms and surrogates are not UTF-8.
    EXPECT_FALSE(isValidUtf8(QByteArray("\xC0\xAF")));
    EXPECT_FALSE(isValidUtf8(QByteArray("\xED\xA0\x80")));
    EXPECT_FALSE(isValidUtf8(QByteArray("\xE3\x81")));
}

// Word lists of every shape a user keeps, in both encodings, read, saved unchanged and
// saved with a new mark on line 1: each save must come out in the encoding read.
TEST(TextFile, GeneratedListsKeepTheirEncodingThroughLoadAndSave)
{
    const QStringList english {"apple", "cat", "take off", "test", "x", "Hello World", "a-b"};
    const QStringList japanese {QStringLiteral("りんご"), QStringLiteral("ねこ、猫"),
        QStringLiteral("離陸する、脱ぐ"), QStringLiteral("テスト"), QStringLiteral("ＡＢＣ"),
        QStringLiteral("【名】試験"), QStringLiteral("～から")};
    // Mostly pairs that are also valid UTF-8 (ﾃｽ = C3 BD), and some that are not.
    const QStringList halfWidth {QStringLiteral("ﾃｽ"), QStringLiteral("ﾐｱ"), QStringLiteral("ﾒｲﾘｵ"),
        QStringLiteral("ﾅｲﾃｽ"), QStringLiteral("ﾃﾞｰﾀ")};
    const QStringList marks {"", "", QStringLiteral(",,○"), QStringLiteral(",赤○"),
        QStringLiteral(",赤×"), QStringLiteral(",,×")};
    enum Kind { Ascii, HalfWidth, Japanese, Mixed };
    std::mt19937 random(20240611);
    auto pick = [&](const QStringList& from) {
        return from[std::uniform_int_distribution<qsizetype>(0, from.size() - 1)(random)];
    };
    for (int n = 0; n < 120; ++n) {
        const Kind kind = Kind(n % 4);
        QStringList lines;
        const int count = 1 + n % 7;
        for (int i = 0; i < count; ++i) {
            const Kind lineKind = kind == Mixed ? Kind(i % 3) : kind;
            const QString meaning = lineKind == Ascii ? pick(english)
                : lineKind == HalfWidth               ? pick(halfWidth)
                                                      : pick(japanese);
            // Half-width lists take marks only now and then, so many stay valid UTF-8.
            const bool marked = kind != Ascii && (kind != HalfWidth || n % 8 == 1);
            lines.append(pick(english) + ',' + meaning + (marked ? pick(marks) : QString()));
        }
        const QString text = lines.join("\r\n") + "\r\n";
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        QStringList marked = lines;
        marked[0] += QStringLiteral(",赤○");
        const QString markedText = marked.join("\r\n") + "\r\n";

        struct Written {
            QByteArray bytes;
            TextEncoding encoding;
            QByteArray withMark;
        };
        const QByteArray bom("\xEF\xBB\xBF");
        const Written forms[] = {
            {sjis(text), TextEncoding::Cp932, sjis(markedText)},
            {text.toUtf8(), ascii ? TextEncoding::Cp932 : TextEncoding::Utf8,
                ascii ? sjis(markedText) : markedText.toUtf8()},
            {bom + text.toUtf8(), TextEncoding::Utf8Bom, bom + markedText.toUtf8()},
        };
        for (const Written& w : forms) {
            const std::string name = text.toStdString() + " as " + w.bytes.toHex(' ').toStdString();
            Result<TextLines> read = decodeTextLines(w.bytes);
            ASSERT_TRUE(read) << name;
            EXPECT_EQ(read.value().lines, lines) << name;
            ASSERT_EQ(read.value().encoding, w.encoding) << name;
            EXPECT_EQ(encodeTextLines(read.value().lines, read.value().encoding).value(), w.bytes)
                << name;
            EXPECT_EQ(encodeTextLines(marked, read.value().encoding).value(), w.withMark) << name;
        }
    }
}

TEST(TextFile, Cp932UsesTheWindowsMapping)
{
    // ～ ― ∥ － ① ㈱ ≒ as Windows editors write them.
    const QByteArray bytes("\x81\x60\x81\x5C\x81\x61\x81\x7C\x87\x40\x87\x8A\x81\xE0", 14);
    const std::optional<QString> text = decodeText(bytes, TextEncoding::Cp932);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, QStringLiteral("\uFF5E\u2015\u2225\uFF0D①㈱≒"));
    EXPECT_EQ(encodeText(*text, TextEncoding::Cp932), bytes);
}

// Every byte and lead-trail pair reads as the converter reads it on its own, in the middle
// of ASCII and of other characters alike, and one it cannot read fails the whole text.
TEST(TextFile, Cp932ReadsEveryByteAndPairAsTheConverterDoes)
{
    const auto converter = [](const QByteArray& bytes) -> std::optional<QString> {
        QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
        QString text = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
        return text;
    };
    // A list-sized text makes the table; short texts are read through it from then on.
    ASSERT_TRUE(decodeText(QByteArray(64 * 1024, 'a'), TextEncoding::Cp932));
    QByteArray valid;
    QString expected;
    for (int lead = 0; lead < 0x100; ++lead) {
        for (int trail = -1; trail < 0x100; ++trail) {
            QByteArray seq(1, char(lead));
            if (trail >= 0)
                seq += char(trail);
            if (seq.contains('\x1A') || seq.contains('\x1C') || seq.contains('\x7F')
                || seq.contains('\0'))
                continue; // their own readings are checked above; NUL is no text
            const QByteArray bytes = "abcdefgh" + seq + "\x82\xA0";
            const std::optional<QString> read = decodeText(bytes, TextEncoding::Cp932);
            const std::optional<QString> reference = converter(bytes);
            ASSERT_EQ(read, reference) << std::hex << lead << " " << trail;
            if (reference) {
                valid += seq + "x";
                expected += reference->mid(8, reference->size() - 9) + u'x';
            }
        }
    }
    EXPECT_EQ(decodeText(valid, TextEncoding::Cp932), expected);
}

TEST(TextFile, SplitsEveryKindOfLineEnd)
{
    EXPECT_EQ(splitLines(QStringLiteral("a\r\nb\nc\rd")), (QStringList {"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList {"a", "", "b"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\r\r\n")), (QStringList {"a", ""}));
    EXPECT_TRUE(splitLines(QString()).isEmpty());
}

TEST(TextFile, RefusesBytesThatAreNotTextNamingTheLine)
{
    Result<TextLines> nul = decodeTextLines(QByteArray("a,b\r\nc,d\r\ne\0f\r\n", 14));
    ASSERT_FALSE(nul);
    EXPECT_TRUE(nul.error().description.contains(QStringLiteral("3行目")))
        << nul.error().description.toStdString();

    // Line 2 holds a lead byte followed by a byte that cannot follow it.
    const QByteArray bad
        = keruna::test::sjis(QStringLiteral("いぬ,dog\r\n")) + QByteArray("x,\x82\xFF\r\ny,z\r\n");
    Result<TextLines> broken = decodeTextLines(bad);
    ASSERT_FALSE(broken);
    EXPECT_TRUE(broken.error().description.contains(QStringLiteral("2行目")));

    // A lead byte cut off at the end of the file.
    EXPECT_FALSE(decodeTextLines(QByteArray("abc\x82")));

    // The line named is where the reading that gets further breaks down.
    const QByteArray utf8 = QStringLiteral("りんご,apple\r\n").toUtf8() + "x,\xFF\r\n";
    for (const QByteArray& bytes : {utf8, QByteArray("\xEF\xBB\xBF") + utf8}) {
        Result<TextLines> r = decodeTextLines(bytes);
        ASSERT_FALSE(r);
        EXPECT_TRUE(r.error().description.contains(QStringLiteral("2行目")))
            << r.error().description.toStdString();
    }
}

TEST(TextFile, DecodesEachEncodingIntoLines)
{
    Result<TextLines> bom
        = decodeTextLines(QByteArray("\xEF\xBB\xBF") + QStringLiteral("犬,dog\r\n").toUtf8());
    ASSERT_TRUE(bom);
    EXPECT_EQ(bom.value().encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(bom.value().lines, QStringList {QStringLiteral("犬,dog")});

    Result<TextLines> sj = decodeTextLines(keruna::test::sjis(QStringLiteral("犬,dog\r猫,cat")));
    ASSERT_TRUE(sj);
    EXPECT_EQ(sj.value().encoding, TextEncoding::Cp932);
    EXPECT_EQ(sj.value().lines, (QStringList {QStringLiteral("犬,dog"), QStringLiteral("猫,cat")}));
}

TEST(TextFile, WritesBackInTheEncodingReadWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w.txt");
    const QByteArray original
        = keruna::test::sjis(QStringLiteral("apple,りんご\r\ncat,ねこ,,○\r\n"));
    writeBytes(path, original);
    Result<TextLines> read = readTextFile(path);
    ASSERT_TRUE(read);
    ASSERT_FALSE(writeTextFile(path, read.value().lines, read.value().encoding));
    EXPECT_EQ(readBytes(path), original);

    ASSERT_FALSE(writeTextFile(path, {"a", "b"}, TextEncoding::Utf8Bom));
    EXPECT_EQ(readBytes(path),
        QByteArray("\xEF\xBB\xBF"
                   "a\r\nb\r\n"));
}

TEST(TextFile, NeverReplacesACharacterTheEncodingCannotHold)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w.txt");
    writeBytes(path, "old\r\n");
    // U+301C WAVE DASH has no code page 932 form (Windows uses U+FF5E).
    const std::optional<AppError> error
        = writeTextFile(path, {"ok", QStringLiteral("wave\u301C")}, TextEncoding::Cp932);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->description.contains(QStringLiteral("2行目")));
    EXPECT_EQ(readBytes(path), QByteArray("old\r\n"));
}

TEST(TextFile, ReportsFilesThatCannotBeRead)
{
    QTemporaryDir dir;
    EXPECT_EQ(readFileBytes(dir.filePath("missing.txt")).error().number, ErrorNumber::FileNotFound);
    EXPECT_EQ(readFileBytes(dir.path()).error().number, ErrorNumber::PathFileAccess);
    // A folder that is not there is said to be missing, not unwritable.
    const std::optional<AppError> missing = writeFileBytes(dir.filePath("no/such/folder.txt"), "x");
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->number, ErrorNumber::PathNotFound);

    // A pipe would block the open until something writes to it: it must be refused
    // without being opened. Should the open ever block, a writer comes and goes so that
    // the test fails instead of hanging.
    const QByteArray fifo = QFile::encodeName(dir.filePath("pipe.txt"));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    for (const QString& path : {QFile::decodeName(fifo), QStringLiteral("/dev/null")}) {
        auto read = std::async(std::launch::async, [&] { return readFileBytes(path); });
        if (read.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
            ::close(::open(fifo.constData(), O_WRONLY | O_NONBLOCK));
            ADD_FAILURE() << "opened " << path.toStdString();
        }
        const Result<QByteArray> result = read.get();
        ASSERT_FALSE(result) << path.toStdString();
        EXPECT_EQ(result.error().number, ErrorNumber::PathFileAccess);
        EXPECT_NE(result.error().description, errorDescription(ErrorNumber::PathFileAccess));
    }

    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not apply to root";
    const QString locked = dir.filePath("locked.txt");
    writeBytes(locked, "a,b\r\n");
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    EXPECT_EQ(readFileBytes(locked).error().number, ErrorNumber::PermissionDenied);
}

// A write that fails half-way (the disk full) leaves the old file byte for byte, and the
// next write goes through.
TEST(TextFile, AWriteThatFailsHalfWayLeavesTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    const QByteArray before = sjis(QStringLiteral("apple,りんご\r\nbook,本\r\n"));
    keruna::test::writeBytes(path, before);
    for (int earlier : {0, 1}) {
        failWriteAfter(earlier);
        for (int i = 0; i < earlier; ++i)
            ASSERT_FALSE(writeFileBytes(dir.filePath("other.txt"), "x"));
        const std::optional<AppError> error = writeTextFile(path,
            {QStringLiteral("apple,りんご,,○"), QStringLiteral("book,本")}, TextEncoding::Cp932);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->number, ErrorNumber::DiskFull);
        EXPECT_EQ(keruna::test::readBytes(path), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
            (QStringList {"list.txt", "other.txt"}).mid(0, earlier + 1));
    }
    EXPECT_FALSE(writeTextFile(path, {QStringLiteral("apple,りんご,,○")}, TextEncoding::Cp932));
    EXPECT_EQ(keruna::test::readBytes(path), sjis(QStringLiteral("apple,りんご,,○\r\n")));
}

// A save keeps the file's owner and group (where the system allows: as root here), and
// takes away what an earlier save killed half-way left under the file's name, but never a
// name a user gives a copy, nor another save's file in progress.
TEST(TextFile, ASaveKeepsTheOwnerAndRemovesItsOwnLeftovers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    writeBytes(path, "a,1\r\n");
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    }
    const QStringList mine {"list.txt.QxTrBz", "list.txt.aBcDeF"};
    const QStringList kept {"list.txt.backup", "list.txt.Backup", "list.txt.BACKUP",
        "list.txt.Ab1dEf", "other.txt.QxTrBz"};
    for (const QString& name : mine + kept) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.setFileTime(
            QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    }
    writeBytes(dir.filePath("list.txt.ZyXwVu"), "in progress"); // just now
    for (int twice = 0; twice < 2; ++twice)
        ASSERT_FALSE(writeFileBytes(path, "a,1,,○\r\n"));
    QStringList expected = kept + QStringList {"list.txt", "list.txt.ZyXwVu"};
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);
    if (root) {
        struct stat st { };
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
}

// On a real full disk every file keeps its bytes, whatever its size, and the write says
// the disk is full: small files once lost everything, because their bytes were still
// buffered when the write was checked and the rename went ahead.
TEST(TextFile, OnAFullDiskEveryFileKeepsItsBytesAndTheWriteFails)
{
    keruna::test::SmallDisk disk(2048);
    if (!disk.isMounted())
        GTEST_SKIP() << disk.whyNot().toStdString();
    const auto listOf = [](int lines) {
        QByteArray bytes;
        for (int i = 0; i < lines; ++i)
            bytes += sjis(QStringLiteral("word%1,単語%1、意味\r\n").arg(i));
        return bytes;
    };
    const QByteArray ini = sjis(QStringLiteral("[PR]\r\nDAKEOP=True\r\n[SPEED]\r\ntsec=5\r\n"));
    struct Case {
        QString name;
        QByteArray before;
    };
    const Case cases[] = {{"small.txt", listOf(20)}, {"ten.txt", listOf(400)},
        {"big.txt", listOf(20000)}, {"Settei.ini", ini}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString path = disk.path(c.name);
        writeBytes(path, c.before);
        disk.fill();
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (c.name.endsWith(".ini")) {
                EXPECT_FALSE(SettingsStore::WriteValues(
                    {{"PR", "DAKEOP", "False"}, {"SPEED", "tsec", "7"}}, path));
            } else {
                const std::optional<AppError> error
                    = writeFileBytes(path, c.before + sjis(QStringLiteral("new,新\r\n")));
                ASSERT_TRUE(error);
                EXPECT_EQ(error->number, ErrorNumber::DiskFull);
            }
            EXPECT_EQ(readBytes(path), c.before);
        }
        EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(),
            qsizetype(&c - cases) + 2); // the lists so far and the fill: no temporary left
        disk.removeFill();
    }
    // With room again the same write goes through.
    EXPECT_FALSE(writeFileBytes(disk.path("small.txt"), "a,b\r\n"));
    EXPECT_EQ(readBytes(disk.path("small.txt")), "a,b\r\n");
}

// A folder that cannot be written to keeps the file as it was and says what to do.
TEST(TextFile, AListInAReadOnlyFolderIsLeftAsItWasWithAMessageThatSaysWhy)
{
    keruna::test::SmallDisk disk(256);
    if (!disk.isMounted())
        GTEST_SKIP() << disk.whyNot().toStdString();
    const QString path = disk.path("list.txt");
    writeBytes(path, "apple,1\r\n");
    ASSERT_TRUE(disk.makeReadOnly());
    const std::optional<AppError> error = writeFileBytes(path, "apple,1,,○\r\n");
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->description.contains(QStringLiteral("書き込めません")));
    EXPECT_TRUE(error->description.contains(QStringLiteral("名前を付けて保存")));
    EXPECT_EQ(readBytes(path), "apple,1\r\n");
}
