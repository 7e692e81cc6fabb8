#include "app/commandline.h"

#include "common/qtarguments.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace keruna {

namespace {

const QString kVersion = QStringLiteral(KERUNA_VERSION);

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "ケルナ: a vocabulary trainer for word lists kept as text files.\n"
        "\n"
        "Settings (Settei.ini) are kept in the program's folder when it is not installed\n"
        "and can be written to, otherwise in the user's configuration folder\n"
        "(~/.config/keruna); the environment variable KERUNA_PROGRAM_FOLDER names another\n"
        "folder.\n"
        "\n"
        "On a Wayland desktop it runs on XWayland unless QT_QPA_PLATFORM or -platform\n"
        "names a platform: a Wayland window cannot be placed or kept on top."));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and end."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Show the version and end."));
    const QCommandLineOption language(QStringLiteral("lang"),
        QStringLiteral("Interface language: ja (Japanese) or en (English). Without it, the "
                       "choice made in the Help menu, else the desktop's language."),
        QStringLiteral("ja|en"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(language);
    parser.addPositionalArgument(QStringLiteral("file"),
        QStringLiteral("A word list to open (Shift-JIS or UTF-8 text)."), QStringLiteral("[file]"));

    CommandLine out;
    const QString program = QStringLiteral("keruna");
    // Qt's own options are QApplication's to take; "-help" is "--help".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QStringList own = splitQtArguments(arguments.mid(1)).own;
    own.prepend(arguments.value(0, program));
    if (!parser.parse(own)) {
        out.exitNow = true;
        out.exitCode = 2;
        out.error = program + QStringLiteral(": ") + parser.errorText() + u'\n'
            + QStringLiteral("Try 'keruna --help'.\n");
        return out;
    }
    if (parser.isSet(help)) {
        out.exitNow = true;
        // Parsed before any application object exists: the parser cannot know the name.
        out.output = parser.helpText();
        out.output.replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
            QStringLiteral("Usage: ") + program);
        if (!out.output.endsWith(u'\n'))
            out.output += u'\n';
        return out;
    }
    if (parser.isSet(version)) {
        out.exitNow = true;
        out.output = program + u' ' + kVersion + u'\n';
        return out;
    }
    if (parser.isSet(language)) {
        const QString code = parser.value(language).toLower();
        if (code != u"ja" && code != u"en") {
            out.exitNow = true;
            out.exitCode = 2;
            out.error = program + QStringLiteral(": --lang takes ja or en, not '")
                + parser.value(language) + QStringLiteral("'\nTry 'keruna --help'.\n");
            return out;
        }
        out.language = code;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        out.exitNow = true;
        out.exitCode = 2;
        out.error = program + QStringLiteral(": one word list at a time (")
            + QString::number(files.size()) + QStringLiteral(" were given)\n")
            + QStringLiteral("Try 'keruna --help'.\n");
        return out;
    }
    if (!files.isEmpty())
        out.file = files.first();
    return out;
}

QString settingsFolder(
    const QString& override, const QString& programFolder, const QString& configFolder)
{
    if (!override.isEmpty())
        return override;
    // An installed program (bin/ beside share/keruna/) keeps its settings with the user,
    // even where its folder could be written to (~/.local/bin).
    const QFileInfo folder(programFolder);
    const bool installed = QFileInfo(programFolder + QStringLiteral("/../share/keruna")).isDir();
    if (!installed && folder.isDir() && folder.isWritable())
        return programFolder;
    // Made now, so that the first save has somewhere to go.
    if (QDir().mkpath(configFolder) && QFileInfo(configFolder).isWritable())
        return configFolder;
    return {};
}

WindowSystemChoice chooseWindowSystem(
    const QStringList& arguments, const WindowSystemEnvironment& environment)
{
    // Qt takes an empty QT_QPA_PLATFORM for none; "-platform" may come with one dash or
    // two, and with its value after "=".
    if (!environment.qpaPlatform.isEmpty())
        return WindowSystemChoice::AsQtChooses;
    for (const QString& option : splitQtArguments(arguments.mid(1)).qt) {
        static const QRegularExpression platform(QStringLiteral("^--?platform(=|$)"));
        if (platform.match(option).hasMatch())
            return WindowSystemChoice::AsQtChooses;
    }
    const bool wayland
        = environment.sessionType == u"wayland" || !environment.waylandDisplay.isEmpty();
    if (!wayland)
        return WindowSystemChoice::AsQtChooses;
    return environment.display.isEmpty() ? WindowSystemChoice::WaylandOnly
                                         : WindowSystemChoice::XWayland;
}

} // namespace keruna
