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

#include <cstdio>

namespace {

// With KERUNA_CLOSE_AFTER_FIRST_PAINT set, the main window reports its first paint on
// standard output and closes itself (saving its settings as usual): start-up
// measurements and the smoke test use it.
class CloseAfterFirstPaint : public QObject {
public:
    explicit CloseAfterFirstPaint(QWidget* window)
        : m_window(window)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            std::fputs("first-paint\n", stdout);
            std::fflush(stdout);
            QTimer::singleShot(0, m_window, [w = m_window] { w->close(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
    bool m_done = false;
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
    CloseAfterFirstPaint closer(&form);
    if (qEnvironmentVariableIsSet("KERUNA_CLOSE_AFTER_FIRST_PAINT"))
        form.installEventFilter(&closer);
    form.show();
    return app.exec();
}
