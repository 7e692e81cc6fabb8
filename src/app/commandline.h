#pragma once

#include <QString>
#include <QStringList>

namespace keruna {

// What the command line asks for.
struct CommandLine {
    QString file; // a word list to open at start; empty when none was named
    QString language; // "ja" or "en" from --lang; empty when not given
    bool exitNow = false; // --help, --version or a mistake: print and end without a window
    int exitCode = 0;
    QString output; // for standard output (help, version)
    QString error; // for standard error
};

// keruna [--help] [--version] [--lang ja|en] [word list]. Unknown options are reported, not
// ignored; a second file is refused too, so that nothing the user typed is silently dropped.
CommandLine parseCommandLine(const QStringList& arguments);

// The folder that holds Settei.ini: KERUNA_PROGRAM_FOLDER when set; the program's own folder
// when it can be written to and is not an installed one (a build started by ./run.sh, a
// portable copy); otherwise the user's configuration folder, made on demand. Empty when
// even that cannot be made: the program then runs on its defaults and says nothing.
QString settingsFolder(
    const QString& override, const QString& programFolder, const QString& configFolder);

// The environment variables that tell which window system the program starts on.
struct WindowSystemEnvironment {
    QString qpaPlatform; // QT_QPA_PLATFORM
    QString sessionType; // XDG_SESSION_TYPE
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString display; // DISPLAY
};

enum class WindowSystemChoice {
    AsQtChooses, // not a Wayland desktop, or the user named a platform
    XWayland, // a Wayland desktop with an X server: QT_QPA_PLATFORM=xcb for this process only
    WaylandOnly, // a Wayland desktop without one: Qt's choice, and no window placement
};

// The program places its windows, keeps them on top and docks the stick strip at a screen
// edge, none of which a Wayland client may do: on a Wayland desktop it runs on XWayland
// unless QT_QPA_PLATFORM or -platform (in arguments, the program's name first) chose.
WindowSystemChoice chooseWindowSystem(
    const QStringList& arguments, const WindowSystemEnvironment& environment);

} // namespace keruna
