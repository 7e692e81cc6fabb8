#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace keruna {

// The palette's white surface (Picture1). Strokes go into an image rather than straight
// onto the screen, so they survive repaints, and the image only ever grows, so a window
// made small and then large again still holds what was written.
class HandwritingSurface : public QWidget {
public:
    explicit HandwritingSurface(QWidget* parent = nullptr);

    void erase();
    const QImage& image() const { return m_image; }

    static constexpr int kBlackWidth = 3;
    static constexpr int kWhiteWidth = 10;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void growImage(const QSize& size);

    QImage m_image;
    bool m_drawing = false;
    QPoint m_current;
};

} // namespace keruna
