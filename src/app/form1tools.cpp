#include "app/form1.h"

#include "app/language.h"
#include "mainscreen/mainmenus.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "study/studyengine.h"
#include "ui/dictionaryurl.h"
#include "ui/platform.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>

#include <optional>

// Form1: the commands that hand work to other programs (browser, editor, file manager)
// and the version message.
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

void Form1::wireTools()
{
    // setting: the properties' name for the address, so that the user knows where to look.
    auto openWeb = [this](const QString& configured, const QString& word, const QString& setting) {
        const QUrl url = dictionaryUrlFor(configured, word);
        QString why;
        if (configured.trimmed().isEmpty())
            why = tr("%1が設定されていません。プロパティで設定してください。").arg(setting);
        else if (!url.isValid())
            why = tr("%1「%2」はWebのアドレス（http:// か https:// で始まるもの）"
                     "ではないため開けません。プロパティで直してください。")
                      .arg(setting, configured.trimmed());
        else if (!m_ctx.platform.openUrl(url))
            why = tr("ブラウザを起動できませんでした。既定のWebブラウザが"
                     "設定されているか確かめてください。\r\n%1")
                      .arg(url.toString());
        if (!why.isEmpty())
            m_ctx.platform.showMessage(this, why, MessageIcon::Warning, MessageButtons::Ok);
    };
    auto dictionary = [this, openWeb] {
        const StudySession& s = m_study->session();
        openWeb(m_state.options.dictionaryUrl, m_study->itemCurrent() ? s.item.question : QString(),
            tr("Web辞書のURL"));
    };
    connect(m_c.webdicbtn, &QToolButton::clicked, this, dictionary);
    m_menus->onCommand(QStringLiteral("mdic"), dictionary);
    m_menus->onCommand(QStringLiteral("mHOME"), [this, openWeb] {
        openWeb(m_state.options.homePageUrl, QString(), tr("ホームページのURL"));
    });

    connect(m_c.sakuseibtn, &QToolButton::clicked, this, [this] {
        // The full path, so that no name is taken for an option of the editor.
        const QString path
            = m_set.path.isEmpty() ? QString() : QFileInfo(m_set.path).absoluteFilePath();
        const QStringList arguments = path.isEmpty() ? QStringList() : QStringList {path};
        auto start = [this](const Command& command) {
            return m_ctx.platform.startProgram(command.first(), command.mid(1));
        };
        // The desktop's editor for text files first, then whatever it opens the file with.
        if (const QString entry = textHandlerEntry(); !entry.isEmpty()) {
            if (const std::optional<Command> command = handlerCommand(entry, path);
                command && start(*command))
                return;
        }
        if (!path.isEmpty() && m_ctx.platform.openUrl(QUrl::fromLocalFile(path)))
            return;
        for (const QString& editor : kEditors) {
            if (!QStandardPaths::findExecutable(editor).isEmpty()
                && start(Command {editor} + arguments))
                return;
        }
        // The user's own editor is most often a terminal one: it runs in a terminal window.
        for (const char* variable : {"VISUAL", "EDITOR"}) {
            const QStringList editor = splitCommand(qEnvironmentVariable(variable));
            if (editor.isEmpty())
                continue;
            const std::optional<Command> command = insideTerminal(editor + arguments);
            if (command && start(*command))
                return;
        }
    });

    m_menus->onCommand(QStringLiteral("mondaifolder"), [this] {
        const QString folder
            = m_set.path.isEmpty() ? QString() : QFileInfo(m_set.path).absolutePath();
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            m_ctx.platform.showMessage(this, tr("問題データが開かれていません。"),
                MessageIcon::Warning, MessageButtons::Ok);
            return;
        }
        m_ctx.platform.openUrl(QUrl::fromLocalFile(folder));
    });

    // Texts are made as the windows are built: a new language is for the next start. The
    // notice is in both, for a learner who picked the language they can read.
    const auto showLanguage = [this](Language chosen) {
        m_menus->action(QStringLiteral("mgengoja"))->setChecked(chosen == Language::Japanese);
        m_menus->action(QStringLiteral("mgengoen"))->setChecked(chosen == Language::English);
    };
    showLanguage(interfaceLanguage());
    for (const Language language : {Language::Japanese, Language::English}) {
        m_menus->onCommand(
            QStringLiteral("mgengo") + languageCode(language), [this, language, showLanguage] {
                showLanguage(language);
                if (!SettingsStore::WriteValue(
                        languageCode(language), kLanguageKey, Section::Form, settingsPath())) {
                    m_ctx.platform.showMessage(this,
                        tr("設定をフォルダ「%1」のSettei.iniに保存できませんでした。"
                           "ディスクの空きと書き込みの許可を確かめてください。")
                            .arg(
                                QDir::toNativeSeparators(QFileInfo(settingsPath()).absolutePath())),
                        MessageIcon::Warning, MessageButtons::Ok);
                    return;
                }
                if (language != interfaceLanguage())
                    m_ctx.platform.showMessage(this,
                        QStringLiteral("表示言語は次にケルナを起動したときから切り替わります。\r\n"
                                       "The interface language changes the next time Keruna "
                                       "starts."),
                        MessageIcon::Information, MessageButtons::Ok);
            });
    }

    m_menus->onCommand(QStringLiteral("mversion"), [this] {
        m_ctx.platform.showMessage(this, programName() + QStringLiteral("\r\n\r\nversion 1.1.0"),
            MessageIcon::Information, MessageButtons::Ok);
    });
}

} // namespace keruna
