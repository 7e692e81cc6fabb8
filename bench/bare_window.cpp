// The floor for start-up measurements: a bare Qt Widgets window, started and closed
// after its first paint exactly as the program is. With --text it also shows a menu bar
// and a label in Japanese, so that the font system is loaded as any real window needs.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <QWidget>
#include <cstdio>

namespace {

class CloseAfterFirstPaint : public QObject {
public:
    explicit CloseAfterFirstPaint(QWidget* w)
        : m_w(w)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            // Told once the whole window is painted and on the screen, the point at which
            // the program tells it: the window's own paint event comes before its
            // children's and before anything reaches the screen.
            QTimer::singleShot(0, m_w, [w = m_w] {
                std::fputs("first-paint\n", stdout);
                std::fflush(stdout);
                w->close();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_w;
    bool m_done = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool withText = app.arguments().contains(QStringLiteral("--text"));
    QMainWindow window;
    window.resize(760, 540);
    window.setWindowTitle(QStringLiteral("bare"));
    if (withText) {
        window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
        window.setCentralWidget(new QLabel(QStringLiteral("単語の暗記"), &window));
    }
    CloseAfterFirstPaint closer(&window);
    window.installEventFilter(&closer);
    window.show();
    return app.exec();
}
