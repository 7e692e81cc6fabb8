#include "ui/iconcache.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

#include <cstring>

namespace keruna {

namespace {

constexpr char kMagic[] = "KERUNA-ICONS";
constexpr quint32 kFormatVersion = 1;
// Icons are drawn for buttons and title bars; a bigger picture in the file is not ours.
constexpr int kLargestSide = 1024;
// Sizes and screens come and go: past this many, only what this run used is kept.
constexpr qsizetype kMostEntries = 512;
constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;
// Far above what a few hundred icons take: a file that claims more is not ours.
constexpr qsizetype kMostBytes = 64 * 1024 * 1024;

} // namespace

IconCache::IconCache(QString file)
    : m_file(std::move(file))
{
}

QString IconCache::keyFor(const QString& path, QSize pixels)
{
    // Built-in pictures cannot change while the program runs: each is digested once.
    static QHash<QString, QString> builtIn;
    QString digest = builtIn.value(path);
    if (digest.isEmpty()) {
        QCryptographicHash hash(QCryptographicHash::Md5);
        const QResource resource(path);
        if (resource.isValid()) {
            // The stored bytes as built in, compressed or not: a changed picture changes them.
            hash.addData(QByteArrayView(
                reinterpret_cast<const char*>(resource.data()), qsizetype(resource.size())));
            hash.addData(QByteArray::number(int(resource.compressionAlgorithm())));
        } else if (QFile file(path); file.open(QIODevice::ReadOnly)) {
            hash.addData(&file);
        }
        digest = QString::fromLatin1(hash.result().toHex());
        if (resource.isValid())
            builtIn.insert(path, digest);
    }
    return QStringLiteral("%1 %2x%3 %4")
        .arg(path)
        .arg(pixels.width())
        .arg(pixels.height())
        .arg(digest);
}

void IconCache::load()
{
    m_loaded = true;
    QFile file(m_file);
    if (m_file.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_4);
    QByteArray magic;
    quint32 version = 0;
    QString qtVersion;
    quint32 count = 0;
    in >> magic >> version >> qtVersion >> count;
    // Another Qt may draw the same picture differently.
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kFormatVersion
        || qtVersion != QString::fromLatin1(qVersion()) || count > kMostEntries * 2)
        return;
    QHash<QString, QImage> images;
    qsizetype total = 0;
    for (quint32 i = 0; i < count; ++i) {
        QString key;
        qint32 width = 0;
        qint32 height = 0;
        QByteArray bits;
        in >> key >> width >> height >> bits;
        if (in.status() != QDataStream::Ok || width < 1 || height < 1 || width > kLargestSide
            || height > kLargestSide || bits.size() != qsizetype(width) * height * 4
            || (total += bits.size()) > kMostBytes)
            return; // all or nothing: a file cut short is thrown away
        QImage image(width, height, kFormat);
        if (image.isNull() || image.sizeInBytes() != bits.size())
            return;
        std::memcpy(image.bits(), bits.constData(), size_t(bits.size()));
        images.insert(key, image);
    }
    if (!in.atEnd())
        return;
    m_images = std::move(images);
}

std::optional<QImage> IconCache::find(const QString& key)
{
    if (!m_loaded)
        load();
    const auto it = m_images.constFind(key);
    if (it == m_images.constEnd())
        return std::nullopt;
    m_used.insert(key);
    return *it;
}

void IconCache::insert(const QString& key, const QImage& image)
{
    if (!m_loaded)
        load();
    if (image.isNull() || image.width() > kLargestSide || image.height() > kLargestSide)
        return;
    m_images.insert(key, image.convertToFormat(kFormat));
    m_used.insert(key);
    m_changed = true;
    if (m_saveWhenIdle && !m_saveQueued && QCoreApplication::instance()) {
        m_saveQueued = true;
        QTimer::singleShot(0, QCoreApplication::instance(), [this] {
            m_saveQueued = false;
            save();
        });
    }
}

bool IconCache::save()
{
    if (!m_changed || m_file.isEmpty())
        return true;
    QList<QString> keys;
    for (auto it = m_images.cbegin(); it != m_images.cend(); ++it) {
        if (m_images.size() <= kMostEntries || m_used.contains(it.key()))
            keys.append(it.key());
    }
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << QByteArray(kMagic) << kFormatVersion << QString::fromLatin1(qVersion())
        << quint32(keys.size());
    for (const QString& key : std::as_const(keys)) {
        const QImage& image = m_images[key];
        // Rows of four-byte pixels have no padding: the bits are the picture, row by row.
        out << key << qint32(image.width()) << qint32(image.height())
            << QByteArray(reinterpret_cast<const char*>(image.constBits()),
                   qsizetype(image.sizeInBytes()));
    }
    if (out.status() != QDataStream::Ok || !file.commit())
        return false;
    m_changed = false;
    return true;
}

IconCache& IconCache::shared()
{
    static auto* const cache = [] {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        auto* shared
            = new IconCache(folder.isEmpty() ? QString() : folder + QStringLiteral("/icons.bin"));
        shared->m_saveWhenIdle = true;
        return shared;
    }();
    return *cache;
}

} // namespace keruna
