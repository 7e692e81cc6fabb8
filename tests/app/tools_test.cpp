#include "app/form1.h"
#include "support/harness.h"
#include "ui/dictionaryurl.h"

#include <QDir>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

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

    qputenv("VISUAL", "my-editor");
    h.find<QToolButton>("sakuseibtn")->click();
    qunsetenv("VISUAL");
    ASSERT_EQ(h.platform.startedPrograms.size(), 1u);
    EXPECT_EQ(h.platform.startedPrograms[0].first, "my-editor");
    EXPECT_EQ(h.platform.startedPrograms[0].second, QStringList {path});

    // The dictionary opens on the item on show.
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("webdicbtn")->click();
    EXPECT_EQ(h.platform.openedUrls.back().toString(), "https://ejje.weblio.jp/content/apple");
    h.action("mHOME")->trigger();
    EXPECT_EQ(h.platform.openedUrls.back().toString(), "https://github.com/keruna/keruna");
    EXPECT_FALSE(QFileInfo::exists(h.path("pwn")));
}
