#include "ui/iconcache.h"
#include "ui/lazyicon.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;

namespace {

QImage picture(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.drawEllipse(QRect(QPoint(1, 1), size - QSize(2, 2)));
    return image;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kCircle = "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                           "<circle cx='5' cy='5' r='4' fill='#2060c0'/></svg>";

} // namespace

// Pictures read back in a later run are the very pixels drawn in the first, whatever else
// was kept; what was never drawn is not found.
TEST(IconCache, PicturesComeBackPixelForPixelInTheNextRun)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cache/icons.bin"));
    const QImage small = picture(QSize(24, 24), Qt::red);
    const QImage large = picture(QSize(64, 48), QColor(10, 200, 30, 128));
    {
        IconCache first(file);
        EXPECT_FALSE(first.find(QStringLiteral("a 24x24")));
        first.insert(QStringLiteral("a 24x24"), small);
        first.insert(QStringLiteral("b 64x48"), large);
        ASSERT_TRUE(first.save());
    }
    IconCache second(file);
    ASSERT_TRUE(second.find(QStringLiteral("a 24x24")));
    EXPECT_EQ(*second.find(QStringLiteral("a 24x24")), small);
    EXPECT_EQ(*second.find(QStringLiteral("b 64x48")), large);
    EXPECT_FALSE(second.find(QStringLiteral("a 32x32")));
    // Nothing new: the file is left as it was.
    const QByteArray before = readFile(file);
    EXPECT_TRUE(second.save());
    EXPECT_EQ(readFile(file), before);
}

// A file cut short, of another format or of another Qt gives nothing back, and the next
// save replaces it with a sound one.
TEST(IconCache, AFileThatDoesNotReadBackWholeIsIgnoredAndReplaced)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("icons.bin"));
    const QImage image = picture(QSize(32, 32), Qt::blue);
    {
        IconCache cache(file);
        cache.insert(QStringLiteral("k"), image);
        ASSERT_TRUE(cache.save());
    }
    const QByteArray whole = readFile(file);
    QByteArray otherQt = whole;
    const QByteArray version = QString::fromLatin1(qVersion()).toUtf8();
    QByteArray utf16Version;
    for (char c : version)
        utf16Version.append('\0').append(c);
    ASSERT_TRUE(otherQt.contains(utf16Version));
    otherQt.replace(utf16Version, QByteArray(utf16Version).replace(utf16Version.size() - 1, 1, "#"));
    for (const QByteArray& spoilt : {whole.left(whole.size() - 100), whole.left(20),
             QByteArray("not a cache at all"), otherQt, whole + "trailing"}) {
        writeFile(file, spoilt);
        IconCache cache(file);
        EXPECT_FALSE(cache.find(QStringLiteral("k")));
        cache.insert(QStringLiteral("n"), image);
        ASSERT_TRUE(cache.save());
        IconCache again(file);
        EXPECT_EQ(again.find(QStringLiteral("n")), image);
    }
}

// The key follows the picture's bytes and the size drawn, so a changed picture is drawn
// anew.
TEST(IconCache, TheKeyChangesWithThePictureAndTheSize)
{
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("p.svg"));
    writeFile(svg, kCircle);
    const QString key = IconCache::keyFor(svg, QSize(24, 24));
    EXPECT_EQ(IconCache::keyFor(svg, QSize(24, 24)), key);
    EXPECT_NE(IconCache::keyFor(svg, QSize(32, 32)), key);
    writeFile(svg, QByteArray(kCircle).replace("#2060c0", "#c02020"));
    EXPECT_NE(IconCache::keyFor(svg, QSize(24, 24)), key);
    // Built-in pictures too.
    EXPECT_NE(IconCache::keyFor(QStringLiteral(":/icons/start.svg"), QSize(24, 24)),
        IconCache::keyFor(QStringLiteral(":/icons/stop.svg"), QSize(24, 24)));
}

// An icon is drawn from the kept picture when there is one, and a picture it had to draw
// is in the program's cache file once the event loop has run.
TEST(IconCache, IconsReadTheProgramsCacheAndFillIt)
{
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("p.svg"));
    writeFile(svg, kCircle);
    const QImage kept = picture(QSize(20, 20), Qt::magenta);
    IconCache::shared().insert(IconCache::keyFor(svg, QSize(20, 20)), kept);
    EXPECT_EQ(lazyIcon(svg).pixmap(QSize(20, 20)).toImage(), kept);

    const QImage drawn = lazyIcon(svg).pixmap(QSize(30, 30)).toImage();
    EXPECT_EQ(drawn.pixelColor(15, 15), QColor(0x20, 0x60, 0xc0));
    QCoreApplication::processEvents();
    const QString file = QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
        + QStringLiteral("/icons.bin");
    IconCache reread(file);
    const std::optional<QImage> saved = reread.find(IconCache::keyFor(svg, QSize(30, 30)));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->convertToFormat(drawn.format()), drawn);
}
