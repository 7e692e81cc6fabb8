#include "app/commandline.h"
#include "app/form1.h"
#include "app/language.h"
#include "common/clock.h"
#include "common/random.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "speech/qtspeech.h"
#include "ui/qtplatform.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <optional>
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
    // --help, --version and mistakes are answered before any window system is needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const keruna::CommandLine commandLine = keruna::parseCommandLine(arguments);
    if (commandLine.exitNow) {
        std::fputs(commandLine.output.toLocal8Bit().constData(), stdout);
        std::fputs(commandLine.error.toLocal8Bit().constData(), stderr);
        return commandLine.exitCode;
    }

    // Wayland gives a client no say over where its windows go or what stays on top: on a
    // Wayland desktop the program runs on XWayland unless the user named a platform.
    const keruna::WindowSystemChoice windowSystem = keruna::chooseWindowSystem(arguments,
        {qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("XDG_SESSION_TYPE"),
            qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("DISPLAY")});
    if (windowSystem == keruna::WindowSystemChoice::XWayland)
        qputenv("QT_QPA_PLATFORM", "xcb");
    else if (windowSystem == keruna::WindowSystemChoice::WaylandOnly)
        std::fputs("keruna: Wayland without an X server (no DISPLAY): windows cannot be placed "
                   "or kept on top\n",
            stderr);
    QApplication app(argc, argv);
    // Read by now. The editor, the browser and a new instance started from here choose their
    // own window system, as they would started from the desktop.
    if (windowSystem == keruna::WindowSystemChoice::XWayland)
        qunsetenv("QT_QPA_PLATFORM");
    QApplication::setApplicationName(QStringLiteral("keruna"));
    const QString configFolder
        = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QString folder = keruna::settingsFolder(qEnvironmentVariable("KERUNA_PROGRAM_FOLDER"),
        QCoreApplication::applicationDirPath(), configFolder);
    // Nowhere to keep settings: a private folder for this run only, taken away at the end.
    std::optional<QTemporaryDir> session;
    const bool sessionOnly = folder.isEmpty();
    if (sessionOnly)
        folder = session.emplace().path();
    keruna::QtPlatform platform(folder);
    // Only our own streams: flushing all of them would wait on the speech library's socket.
    platform.lastWords = [&session] {
        std::fflush(stdout);
        std::fflush(stderr);
        if (session)
            session->remove();
    };
    // An installed program's first start in a user's account: the defaults, without the
    // repair question that a missing file in the program's own folder asks.
    const QString settings = keruna::SettingsStore::settingsPath(folder);
    if ((folder == configFolder || sessionOnly) && !QFileInfo::exists(settings))
        keruna::InitSettings(settings);
    // Before the first window: every text is translated as it is made.
    const keruna::Language language = keruna::chooseLanguage(commandLine.language,
        keruna::SettingsStore::ReadValue(keruna::kLanguageKey, keruna::Section::Form, settings),
        QLocale::system());
    if (!keruna::installLanguage(language))
        std::fputs("keruna: the English texts could not be loaded\n", stderr);
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
            // The caption tells what was loaded.
            std::fputs(("first-paint " + form.windowTitle() + u'\n').toUtf8().constData(), stdout);
            std::fflush(stdout);
            form.close();
            return;
        }
        speech.startEngine();
    });
    form.show();
    // A list named on the command line (or by the desktop's "open with") opens as from
    // the open dialog.
    if (!commandLine.file.isEmpty())
        form.openFromOutside(commandLine.file);
    const int code = app.exec();
    // Ended some other way than endProgram (the session's end): the settings are saved by
    // now. Letting go of the speech engine can take a second (its daemon's connection);
    // the process ends at once.
    platform.lastWords();
    std::_Exit(code);
}
