#pragma once

#include <QWidget>

#include <functional>

class QFrame;
class QLabel;

namespace keruna {

// The stick screen: a small strip that stays above other windows and shows only the item,
// so that study goes on while the user works elsewhere.
class bougamen : public QWidget {
public:
    explicit bougamen(QWidget* parent = nullptr);

    QLabel* bouarea() const { return m_bouarea; }
    QFrame* iroPic() const { return m_iroPic; }
    QFrame* iro() const { return m_iro; }
    // The timer bar's copy, as a share of its box (hidden below 0).
    void showTimerShare(double share);

    std::function<void()> onClosed; // the strip was closed (its close box or the menu)
    std::function<void(const QPoint&)> onPopup; // right button: the main screen's popup menu
    std::function<void()> onShownOrResized;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void layoutArea();

    QLabel* m_bouarea;
    QFrame* m_iroPic;
    QFrame* m_iro;
};

} // namespace keruna
