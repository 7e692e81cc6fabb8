#pragma once

#include <QString>
#include <QStringList>

namespace keruna {

// What the command line asks for.
struct CommandLine {
    QString file; // a word list to open at start; empty when none was named
    bool exitNow = false; // --help, --version or a mistake: print and end without a window
    int exitCode = 0;
    QString output; // for standard output (help, version)
    QString error; // for standard error
};

// keruna [--help] [--version] [word list]. Unknown options are reported, not ignored; a
// second file is refused too, so that nothing the user typed is silently dropped.
CommandLine parseCommandLine(const QStringList& arguments);

// The folder that holds Settei.ini: KERUNA_PROGRAM_FOLDER when set; the program's own folder
// when it can be written to and is not an installed one (a build started by ./run.sh, a
// portable copy); otherwise the user's configuration folder, made on demand. Empty when
// even that cannot be made: the program then runs on its defaults and says nothing.
QString settingsFolder(
    const QString& override, const QString& programFolder, const QString& configFolder);

} // namespace keruna
