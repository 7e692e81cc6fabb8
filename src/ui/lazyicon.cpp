#include "ui/lazyicon.h"

#include "ui/iconcache.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>
#include <optional>
#include <unordered_map>

namespace keruna {

namespace {

// Draws our own SVG pictures straight from the renderer: the picture is parsed when it is
// first drawn, and the generic icon machinery (its plugin search and format probing) stays
// off the way to the first window.
class LazyIconEngine final : public QIconEngine {
public:
    explicit LazyIconEngine(QString path)
        : m_path(std::move(path))
    {
    }

    // Without sizes of its own, a window's icon is drawn at four sizes up to 128 pixels
    // as the window is first shown; these are the sizes title bars and task lists use.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, rendered(rect.size() * scale, mode, scale));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        return rendered(size, mode, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
        // QIcon::pixmap asks in device pixels already; scaling again would draw the picture
        // at twice the density and leave the painter to shrink it, without smoothing.
        return rendered(size, mode, scale);
#else
        return rendered(size * scale, mode, scale);
#endif
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return size;
    }
    QIconEngine* clone() const override
    {
        return new LazyIconEngine(m_path);
    }
    QString key() const override
    {
        return QStringLiteral("keruna-lazy");
    }
    bool isNull() override
    {
        return false;
    }

private:
    // The picture drawn into exactly pixels device pixels, shown at scale pixels a point.
    QPixmap rendered(const QSize& pixels, QIcon::Mode mode, qreal scale)
    {
        const QString key = QStringLiteral("%1x%2@%3/%4")
                                .arg(pixels.width())
                                .arg(pixels.height())
                                .arg(scale)
                                .arg(int(mode));
        Picture& picture = pictureOf(m_path);
        if (const auto it = picture.drawn.constFind(key); it != picture.drawn.constEnd())
            return *it;
        IconCache& cache = IconCache::shared();
        const QString cacheKey = IconCache::keyFor(m_path, pixels);
        QImage image;
        if (std::optional<QImage> cached = cache.find(cacheKey)) {
            image = std::move(*cached);
        } else {
            if (!picture.renderer)
                picture.renderer = std::make_unique<QSvgRenderer>(m_path);
            image = render(*picture.renderer, pixels);
            cache.insert(cacheKey, image);
        }
        QPixmap pm = QPixmap::fromImage(image);
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(mode, pm, &option);
        }
        pm.setDevicePixelRatio(scale);
        picture.drawn.insert(key, pm);
        return pm;
    }

    static QImage render(QSvgRenderer& renderer, const QSize& pixels)
    {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        // Kept in proportion and centred, as an icon is.
        QSizeF drawn = renderer.defaultSize().scaled(pixels, Qt::KeepAspectRatio);
        if (drawn.isEmpty())
            drawn = pixels;
        renderer.render(&p,
            QRectF(QPointF((pixels.width() - drawn.width()) / 2,
                       (pixels.height() - drawn.height()) / 2),
                drawn));
        return image;
    }

    // One parse and one drawing per picture and size for the whole program: the same
    // picture stands on several buttons, and each copy of an icon has its own engine.
    struct Picture {
        std::unique_ptr<QSvgRenderer> renderer;
        QHash<QString, QPixmap> drawn;
    };
    static Picture& pictureOf(const QString& path)
    {
        // Never freed: pixmaps must not outlive the application object, and static
        // destruction comes after it.
        static auto* const pictures = new std::unordered_map<QString, Picture>;
        return (*pictures)[path];
    }

    QString m_path;
};

} // namespace

QIcon lazyIcon(const QString& path)
{
    return QIcon(new LazyIconEngine(path));
}

} // namespace keruna
