#include "ui/texteditor.h"

#include "ui/platform.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <optional>

namespace keruna {

namespace {

// Editors tried in turn when the desktop has no handler for the file (or there is none).
const QStringList kEditors = {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),
    QStringLiteral("kate"), QStringLiteral("kwrite"), QStringLiteral("mousepad"),
    QStringLiteral("pluma"), QStringLiteral("xed"), QStringLiteral("featherpad")};

// Terminal emulators, each with the option after which the command and its arguments follow.
const QList<std::pair<QString, QStringList>> kTerminals = {
    {QStringLiteral("x-terminal-emulator"), {QStringLiteral("-e")}},
    {QStringLiteral("gnome-terminal"), {QStringLiteral("--")}},
    {QStringLiteral("konsole"), {QStringLiteral("-e")}},
    {QStringLiteral("xfce4-terminal"), {QStringLiteral("-x")}},
    {QStringLiteral("mate-terminal"), {QStringLiteral("-x")}},
    {QStringLiteral("lxterminal"), {QStringLiteral("-e")}},
    {QStringLiteral("alacritty"), {QStringLiteral("-e")}},
    {QStringLiteral("kitty"), {}},
    {QStringLiteral("foot"), {}},
    {QStringLiteral("xterm"), {QStringLiteral("-e")}},
};

using Command = QStringList; // the program, then its arguments

// Splits a command line as the desktop does: blanks separate, double quotes group, a
// backslash inside quotes keeps the next character.
QStringList splitCommand(const QString& line)
{
    QStringList words;
    QString word;
    bool inWord = false, quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar ch = line[i];
        if (quoted) {
            if (ch == u'\\' && i + 1 < line.size())
                word += line[++i];
            else if (ch == u'"')
                quoted = false;
            else
                word += ch;
        } else if (ch == u'"') {
            quoted = inWord = true;
        } else if (ch.isSpace()) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else {
            word += ch;
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

// The value of key in one section of a desktop-style file ("" when absent).
QString entryValue(const QString& file, const QString& section, const QString& key)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inSection = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(u'['))
            inSection = line == u'[' + section + u']';
        else if (inSection && line.startsWith(key + u'='))
            return line.mid(key.size() + 1).trimmed();
    }
    return {};
}

// The desktop's preferred application for plain text, as a desktop entry file.
QString textHandlerEntry()
{
    // The user's folder first, then the system's, as the desktop looks them up.
    const QStringList dataDirs
        = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    auto entryFile = [&dataDirs](const QString& id) -> QString {
        for (const QString& dir : dataDirs) {
            const QString file = dir + QStringLiteral("/applications/") + id;
            if (QFileInfo(file).isFile())
                return file;
        }
        return {};
    };
    QStringList lists;
    for (const QString& dir :
        QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << dir + QStringLiteral("/mimeapps.list");
    for (const QString& dir : dataDirs)
        lists << dir + QStringLiteral("/applications/mimeapps.list")
              << dir + QStringLiteral("/applications/defaults.list");
    const QString type = QStringLiteral("text/plain");
    for (const QString& list : lists) {
        for (const QString& id :
            entryValue(list, QStringLiteral("Default Applications"), type).split(u';')) {
            if (const QString file = entryFile(id.trimmed());
                !id.trimmed().isEmpty() && !file.isEmpty())
                return file;
        }
    }
    for (const QString& dir : dataDirs) {
        const QString cache = dir + QStringLiteral("/applications/mimeinfo.cache");
        for (const QString& id :
            entryValue(cache, QStringLiteral("MIME Cache"), type).split(u';')) {
            if (const QString file = entryFile(id.trimmed());
                !id.trimmed().isEmpty() && !file.isEmpty())
                return file;
        }
    }
    return {};
}

// A terminal editor gets a window only through a terminal emulator; none found, none.
std::optional<Command> insideTerminal(const Command& command)
{
    QList<std::pair<QString, QStringList>> terminals = kTerminals;
    if (const QString own = qEnvironmentVariable("TERMINAL"); !own.isEmpty())
        terminals.prepend({own, {QStringLiteral("-e")}});
    for (const auto& [name, option] : terminals) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty())
            return Command {program} + option + command;
    }
    return std::nullopt;
}

// The desktop entry's command for the file (field codes filled in, or dropped with no
// file).
std::optional<Command> handlerCommand(const QString& entry, const QString& path)
{
    const QString section = QStringLiteral("Desktop Entry");
    const QStringList exec = splitCommand(entryValue(entry, section, QStringLiteral("Exec")));
    if (exec.isEmpty())
        return std::nullopt;
    Command command;
    for (const QString& word : exec) {
        if (word == u"%f" || word == u"%F") {
            if (!path.isEmpty())
                command << path;
        } else if (word == u"%u" || word == u"%U") {
            if (!path.isEmpty())
                command << QUrl::fromLocalFile(path).toString();
        } else if (word.size() == 2 && word[0] == u'%') {
            // %i, %c, %k and the deprecated codes carry nothing an editor needs.
        } else {
            QString w = word;
            command << w.replace(QStringLiteral("%%"), QStringLiteral("%"));
        }
    }
    if (command.isEmpty())
        return std::nullopt;
    if (entryValue(entry, section, QStringLiteral("Terminal")) == u"true")
        return insideTerminal(command);
    return command;
}

} // namespace

bool openInTextEditor(Platform& platform, const QString& path)
{
    const QStringList arguments = path.isEmpty() ? QStringList() : QStringList {path};
    auto start = [&platform](const Command& command) {
        return platform.startProgram(command.first(), command.mid(1));
    };
    // The desktop's editor for text files first, then whatever it opens the file with.
    if (const QString entry = textHandlerEntry(); !entry.isEmpty()) {
        if (const std::optional<Command> command = handlerCommand(entry, path);
            command && start(*command))
            return true;
    }
    if (!path.isEmpty() && platform.openUrl(QUrl::fromLocalFile(path)))
        return true;
    for (const QString& editor : kEditors) {
        if (!QStandardPaths::findExecutable(editor).isEmpty()
            && start(Command {editor} + arguments))
            return true;
    }
    // The user's own editor is most often a terminal one: it runs in a terminal window.
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        const QStringList editor = splitCommand(qEnvironmentVariable(variable));
        if (editor.isEmpty())
            continue;
        const std::optional<Command> command = insideTerminal(editor + arguments);
        if (command && start(*command))
            return true;
    }
    return false;
}

} // namespace keruna
