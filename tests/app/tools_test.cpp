#include "app/form1.h"
#include "support/harness.h"
#include "ui/dictionaryurl.h"
#include "ui/propertiesdialog.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

// A desktop of the test's own making: its configuration and data folders, its programs
// (empty files that only need to be found), and the editor variables of a terminal user.
class EditorDesktop {
public:
    EditorDesktop()
    {
        for (const char* name : kVariables)
            m_saved.append(qgetenv(name));
        QDir(m_dir.path()).mkpath("config");
        QDir(m_dir.path()).mkpath("data/applications");
        QDir(m_dir.path()).mkpath("bin");
        qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", m_dir.filePath("config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", m_dir.filePath("data").toLocal8Bit());
        qputenv("PATH", m_dir.filePath("bin").toLocal8Bit());
        qputenv("VISUAL", "vim -p");
        qputenv("EDITOR", "vi");
        qunsetenv("TERMINAL");
    }
    ~EditorDesktop()
    {
        for (int i = 0; i < int(std::size(kVariables)); ++i) {
            if (m_saved[i].isNull())
                qunsetenv(kVariables[i]);
            else
                qputenv(kVariables[i], m_saved[i]);
        }
    }
    void setTextHandler(const QString& id, const QByteArray& entryLines)
    {
        writeBytes(m_dir.filePath("data/applications/" + id),
            "[Desktop Entry]\nType=Application\nName=Editor\n" + entryLines);
        writeBytes(m_dir.filePath("config/mimeapps.list"),
            "[Default Applications]\ntext/plain=" + id.toUtf8() + ";\n");
    }
    void noTextHandler() { QFile::remove(m_dir.filePath("config/mimeapps.list")); }
    QString addProgram(const QString& name)
    {
        const QString path = m_dir.filePath("bin/" + name);
        writeBytes(path, "#!/bin/sh\n");
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    }
    void removeProgram(const QString& name) { QFile::remove(m_dir.filePath("bin/" + name)); }

private:
    static constexpr const char* kVariables[] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS",
        "XDG_DATA_HOME", "XDG_DATA_DIRS", "PATH", "VISUAL", "EDITOR", "TERMINAL"};
    QTemporaryDir m_dir;
    QList<QByteArray> m_saved;
};

} // namespace

TEST(Tools, TheDictionaryAddressTakesTheWordEncodedAndOnlyWebAddressesOpen)
{
    const QString url = QStringLiteral("https://dict.example/search?q={word}&lang=en");
    EXPECT_EQ(dictionaryUrlFor(url, QStringLiteral("apple")).toString(),
        "https://dict.example/search?q=apple&lang=en");
    // Whatever the word holds stays inside the query.
    EXPECT_EQ(dictionaryUrlFor(url, QStringLiteral("-a b&c=$(x);\"'猫")).toEncoded(),
        "https://dict.example/search?q=-a%20b%26c%3D%24%28x%29%3B%22%27%E7%8C%AB&lang=en");
    // Without {word} the address opens as it is.
    EXPECT_EQ(dictionaryUrlFor(QStringLiteral(" https://ejje.weblio.jp/ "), QStringLiteral("x")),
        QUrl(QStringLiteral("https://ejje.weblio.jp/")));
    for (const char* refused :
        {"", "   ", "not a url", "file:///etc/passwd", "javascript:alert(1)", "http://exa mple/"})
        EXPECT_FALSE(dictionaryUrlFor(QString::fromLatin1(refused), {}).isValid()) << refused;
}

TEST(Tools, EditorFolderAndBrowserGetTheirArgumentsWhole)
{
    Form1Harness h;
    h.start();
    // No file yet: the folder command says so; the version is shown.
    h.action("mondaifolder")->trigger();
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_EQ(h.platform.messages[0].text, QStringLiteral("問題データが開かれていません。"));
    EXPECT_EQ(h.platform.messages[0].icon, MessageIcon::Warning);
    h.action("mversion")->trigger();
    EXPECT_EQ(h.platform.messages[1].text, QStringLiteral("ケルナ\r\n\r\nversion 1.1.0"));
    EXPECT_EQ(h.platform.messages[1].icon, MessageIcon::Information);

    // A folder and a file whose names a shell would take apart.
    const QString folder = h.path(QStringLiteral("-x a'b\";$(touch pwn)&単語"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("-list $HOME.txt"));
    writeBytes(path, "apple,1\r\n");
    h.open(path);
    h.action("mondaifolder")->trigger();
    ASSERT_FALSE(h.platform.openedUrls.empty());
    EXPECT_EQ(h.platform.openedUrls.back(), QUrl::fromLocalFile(folder));

    {
        EditorDesktop desktop;
        desktop.setTextHandler("my-editor.desktop", "Exec=my-editor --new %f\n");
        h.find<QToolButton>("sakuseibtn")->click();
    }
    ASSERT_EQ(h.platform.startedPrograms.size(), 1u);
    EXPECT_EQ(h.platform.startedPrograms[0].first, "my-editor");
    EXPECT_EQ(h.platform.startedPrograms[0].second, (QStringList {"--new", path}));

    // The dictionary opens on the item on show.
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("webdicbtn")->click();
    EXPECT_EQ(h.platform.openedUrls.back().toString(), "https://ejje.weblio.jp/content/apple");
    h.action("mHOME")->trigger();
    EXPECT_EQ(h.platform.openedUrls.back().toString(), "https://github.com/keruna/keruna");
    EXPECT_FALSE(QFileInfo::exists(h.path("pwn")));

    // Nothing fails to open without a word: no browser, an address that is not a web one.
    const std::pair<const char*, const char*> failures[] = {
        {"https://ejje.weblio.jp/content/{word}", "ブラウザを起動できませんでした"},
        {"file:///etc/passwd", "file:///etc/passwd」はWebのアドレス"},
    };
    h.platform.urlsOpen = false;
    for (const auto& [address, said] : failures) {
        kugirigamen& properties = h.form().properties();
        properties.show();
        properties.findChild<QLineEdit*>("Dictext")->setText(QString::fromLatin1(address));
        properties.findChild<QPushButton*>("cmdOK")->click();
        const size_t before = h.platform.messages.size();
        h.action("mdic")->trigger();
        ASSERT_EQ(h.platform.messages.size(), before + 1) << address;
        EXPECT_TRUE(h.platform.messages.back().text.contains(QString::fromUtf8(said)))
            << h.platform.messages.back().text.toStdString();
    }
}

// 問題データ編集 opens the list with the desktop's editor for text files, or an empty one
// with no list; a terminal editor runs only inside a terminal emulator, never without one
// (it would show nothing and hold the file).
TEST(Tools, TheEditorIsTheDesktopsAndATerminalEditorOnlyRunsInATerminal)
{
    Form1Harness h;
    h.start();
    EditorDesktop desktop;
    const QString path = h.path("words list.txt");
    writeBytes(path, "apple,1\r\n");
    auto started = [&h] {
        auto all = h.platform.startedPrograms;
        h.platform.startedPrograms.clear();
        h.platform.openedUrls.clear();
        return all;
    };
    using Started = std::vector<std::pair<QString, QStringList>>;
    QToolButton* edit = h.find<QToolButton>("sakuseibtn");

    desktop.setTextHandler("texteditor.desktop", "Exec=texteditor --new-window %U\n");
    edit->click();
    EXPECT_EQ(started(), (Started {{"texteditor", {"--new-window"}}}));
    h.open(path);
    for (int twice = 0; twice < 2; ++twice) {
        edit->click();
        EXPECT_EQ(started(),
            (Started {{"texteditor", {"--new-window", QUrl::fromLocalFile(path).toString()}}}));
    }

    // A handler that needs a terminal gets one; with no terminal emulator, the next way.
    desktop.setTextHandler("vim.desktop", "Exec=vim %F\nTerminal=true\n");
    const QString xterm = desktop.addProgram("xterm");
    edit->click();
    EXPECT_EQ(started(), (Started {{xterm, {"-e", "vim", path}}}));
    desktop.removeProgram("xterm");
    edit->click();
    EXPECT_TRUE(h.platform.startedPrograms.empty());
    EXPECT_EQ(h.platform.openedUrls, std::vector<QUrl> {QUrl::fromLocalFile(path)});
    started();

    // No handler: the desktop opens the file by its type.
    desktop.noTextHandler();
    edit->click();
    EXPECT_TRUE(h.platform.startedPrograms.empty());
    EXPECT_EQ(h.platform.openedUrls, std::vector<QUrl> {QUrl::fromLocalFile(path)});
    started();

    // Nothing opens it: a graphical editor on the path, else the user's own editor in a
    // terminal, else nothing at all.
    h.platform.urlsOpen = false;
    const QString mousepad = desktop.addProgram("mousepad");
    edit->click();
    EXPECT_EQ(started(), (Started {{"mousepad", {path}}}));
    desktop.removeProgram("mousepad");
    const QString konsole = desktop.addProgram("konsole");
    for (int twice = 0; twice < 2; ++twice) {
        edit->click();
        EXPECT_EQ(started(), (Started {{konsole, {"-e", "vim", "-p", path}}}));
    }
    desktop.removeProgram("konsole");
    edit->click();
    EXPECT_TRUE(started().empty());
}
