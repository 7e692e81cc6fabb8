#include "app/form1.h"
#include "common/clock.h"
#include "common/random.h"
#include "speech/qtspeech.h"
#include "ui/qtplatform.h"

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <functional>
#include <utility>

#include <cstdio>
#include <cstdlib>

namespace {

// Runs once, right after the window was first painted.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* window, std::function<void()> then)
        : m_window(window)
        , m_then(std::move(then))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_then) {
            QTimer::singleShot(0, m_window, std::exchange(m_then, nullptr));
            m_window->removeEventFilter(this);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
    std::function<void()> m_then;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("keruna"));
    // The program speaks Japanese whatever the desktop's language: so do Qt's own dialogs.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);
    // The folder that holds Settei.ini: the program's own folder, unless a test or a
    // portable set-up names another.
    keruna::QtPlatform platform(qEnvironmentVariable("KERUNA_PROGRAM_FOLDER"));
    keruna::SystemClock clock;
    keruna::QtTimerFactory timers;
    keruna::StdRandomSource random;
    keruna::QtSpeech speech;
    keruna::Form1 form(keruna::AppContext {platform, clock, timers, random, speech});
    if (platform.endRequested())
        return 0;
    // The speech engine takes seconds to start: only once the window is up. With
    // KERUNA_CLOSE_AFTER_FIRST_PAINT set the window reports its first paint on standard
    // output and closes itself (saving its settings as usual), for start-up measurements
    // and the smoke test.
    const bool closeAfterPaint = qEnvironmentVariableIsSet("KERUNA_CLOSE_AFTER_FIRST_PAINT");
    FirstPaint firstPaint(&form, [&] {
        if (closeAfterPaint) {
            std::fputs("first-paint\n", stdout);
            std::fflush(stdout);
            form.close();
            return;
        }
        speech.startEngine();
    });
    form.show();
    const int code = app.exec();
    // The settings are saved by now. Letting go of the speech engine can take a second
    // (its daemon's connection); the user asked to quit, so the process ends at once.
    // Only our own streams: flushing all of them would wait on the speech library's socket.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}
