#include "ui/lazyicon.h"

#include <QIconEngine>
#include <QPainter>

#include <optional>

namespace keruna {

namespace {

class LazyIconEngine final : public QIconEngine {
public:
    explicit LazyIconEngine(QString path)
        : m_path(std::move(path))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(
        const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new LazyIconEngine(m_path); }
    QString key() const override { return QStringLiteral("keruna-lazy"); }
    bool isNull() override { return false; }

private:
    QIcon& icon()
    {
        if (!m_icon)
            m_icon = QIcon(m_path);
        return *m_icon;
    }

    QString m_path;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon lazyIcon(const QString& path)
{
    return QIcon(new LazyIconEngine(path));
}

} // namespace keruna
