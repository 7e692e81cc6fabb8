#include "app/commandline.h"
#include "app/form1.h"
#include "app/language.h"
#include "app/stickcontroller.h"
#include "problemdata/problemcontroller.h"
#include "settings/settingsstore.h"
#include "study/stickscreen.h"
#include "support/harness.h"
#include "support/speechdispatcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace keruna;
using namespace keruna::test;

TEST(CommandLine, OptionsAndOneFile)
{
    struct Case {
        QStringList args;
        bool exitNow;
        int code;
        QString file;
        QString inOutput; // or in the error text
        QString language = {};
    } cases[] = {
        {{"keruna"}, false, 0, {}, {}},
        {{"keruna", "単語 帳.txt"}, false, 0, QStringLiteral("単語 帳.txt"), {}},
        {{"keruna", "--", "-dash.txt"}, false, 0, "-dash.txt", {}}, // a name with a leading -
        {{"keruna", "--version"}, true, 0, {}, "keruna 1.1.0\n"},
        {{"keruna", "--help"}, true, 0, {}, "~/.config/keruna"},
        {{"keruna", "-h"}, true, 0, {}, "Usage: keruna [options] [file]"},
        {{"keruna", "--bogus"}, true, 2, {}, "bogus"},
        {{"keruna", "-x.txt"}, true, 2, {}, "Unknown option"},
        {{"keruna", "a.txt", "b.txt"}, true, 2, {}, "one word list at a time"},
        // Qt's own options are Qt's: the list after them is still the one opened.
        {{"keruna", "-style=fusion", "list.txt"}, false, 0, "list.txt", {}},
        {{"keruna", "-style", "fusion", "list.txt"}, false, 0, "list.txt", {}},
        {{"keruna", "--lang", "EN", "list.txt"}, false, 0, "list.txt", {}, "en"},
        {{"keruna", "--lang=ja"}, false, 0, {}, {}, "ja"},
        {{"keruna", "--lang", "de"}, true, 2, {}, "--lang takes ja or en, not 'de'"},
    };
    for (const Case& c : cases) {
        const CommandLine cl = parseCommandLine(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(cl.exitNow, c.exitNow) << what;
        EXPECT_EQ(cl.exitCode, c.code) << what;
        EXPECT_EQ(cl.file, c.file) << what;
        EXPECT_TRUE((cl.output + cl.error).contains(c.inOutput)) << what;
        EXPECT_EQ(cl.language, c.language) << what;
    }
}

TEST(CommandLine, LanguageComesFromTheOptionThenTheKeptChoiceThenTheDesktop)
{
    using enum Language;
    const QLocale japan(QLocale::Japanese, QLocale::Japan);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale germany(QLocale::German, QLocale::Germany);
    struct Case {
        QString option, kept;
        QLocale desktop;
        Language expected;
    } cases[] = {
        {{}, {}, japan, Japanese},
        {{}, {}, QLocale::c(), Japanese}, // C and POSIX: nothing changes for today's users
        {{}, {}, QLocale(QStringLiteral("POSIX")), Japanese},
        {{}, {}, us, English},
        {{}, {}, germany, English},
        {{}, "ja", us, Japanese},
        {{}, "en", japan, English},
        {{}, "ERROR", us, English}, // no key in Settei.ini
        {"ja", "en", us, Japanese},
        {"en", "ja", japan, English},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseLanguage(c.option, c.kept, c.desktop), c.expected)
            << c.option.toStdString() << "|" << c.kept.toStdString() << "|"
            << c.desktop.name().toStdString();
}

TEST(CommandLine, SettingsFolderIsTheProgramsOwnWhenItCanBeWritten)
{
    QTemporaryDir dir;
    const QString config = dir.filePath("config/keruna");
    QDir(dir.path()).mkpath("build");
    const QString build = dir.filePath("build");
    EXPECT_EQ(settingsFolder("/somewhere", build, config), "/somewhere");
    EXPECT_EQ(settingsFolder({}, build, config), build);
    EXPECT_FALSE(QDir(config).exists());
    // A program folder that cannot take the file: the configuration folder, made now.
    EXPECT_EQ(settingsFolder({}, dir.filePath("no such folder"), config), config);
    EXPECT_TRUE(QDir(config).exists());
    // An installed program (bin beside share/keruna) keeps them with the user even where
    // it could write to its own folder.
    QDir(dir.path()).mkpath("prefix/bin");
    QDir(dir.path()).mkpath("prefix/share/keruna");
    EXPECT_EQ(settingsFolder({}, dir.filePath("prefix/bin"), config), config);
    // Nowhere at all: empty, and the program keeps its settings for the run only.
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(
        settingsFolder({}, dir.filePath("no such folder"), dir.filePath("file/keruna")), QString());
}

TEST(CommandLine, WaylandDesktopsRunTheProgramOnXWaylandUnlessAPlatformWasNamed)
{
    using enum WindowSystemChoice;
    struct Case {
        WindowSystemEnvironment env; // QT_QPA_PLATFORM, XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY
        WindowSystemChoice withoutArgument;
        WindowSystemChoice withPlatformArgument;
    } cases[] = {
        {{{}, "wayland", "wayland-0", ":0"}, XWayland, AsQtChooses},
        {{{}, "wayland", {}, ":1"}, XWayland, AsQtChooses},
        {{{}, "x11", "wayland-0", ":0"}, XWayland, AsQtChooses}, // a Wayland socket is enough
        {{{}, {}, "wayland-0", ":0"}, XWayland, AsQtChooses},
        {{{}, "wayland", "wayland-0", {}}, WaylandOnly, AsQtChooses},
        {{{}, "wayland", {}, {}}, WaylandOnly, AsQtChooses},
        {{{}, "x11", {}, ":0"}, AsQtChooses, AsQtChooses},
        {{{}, "tty", {}, {}}, AsQtChooses, AsQtChooses},
        {{{}, {}, {}, {}}, AsQtChooses, AsQtChooses},
        {{"wayland", "wayland", "wayland-0", ":0"}, AsQtChooses, AsQtChooses},
        {{"offscreen", "wayland", "wayland-0", {}}, AsQtChooses, AsQtChooses},
    };
    const QStringList platformArguments[] = {
        {"keruna", "-platform", "wayland"},
        {"keruna", "--platform", "wayland", "words.txt"},
        {"keruna", "-platform=wayland"},
    };
    // Look-alikes that name no platform.
    const QStringList otherArguments[] = {
        {"keruna"},
        {"keruna", "words.txt"},
        {"keruna", "-platformtheme", "gtk3"},
    };
    for (const Case& c : cases) {
        const std::string what = (c.env.qpaPlatform + '|' + c.env.sessionType + '|'
            + c.env.waylandDisplay + '|' + c.env.display)
                                     .toStdString();
        for (const QStringList& args : otherArguments)
            EXPECT_EQ(chooseWindowSystem(args, c.env), c.withoutArgument)
                << what << ' ' << args.join(' ').toStdString();
        for (const QStringList& args : platformArguments)
            EXPECT_EQ(chooseWindowSystem(args, c.env), c.withPlatformArgument)
                << what << ' ' << args.join(' ').toStdString();
    }
}

namespace {

class OutsideOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        loaded = h.path("loaded.txt");
        writeBytes(loaded, sjis(QStringLiteral("apple,りんご\r\n")));
        ASSERT_TRUE(h.form().openFromOutside(loaded));
        title = h.form().windowTitle();
    }
    // The list loaded before stays when a file is refused.
    void expectUnchanged(const char* what)
    {
        EXPECT_EQ(h.form().windowTitle(), title) << what;
        EXPECT_EQ(h.form().problemSet().path, loaded) << what;
    }
    void drop(const QList<QUrl>& urls, QWidget* on = nullptr)
    {
        QWidget* target = on ? on : &h.form();
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        enter.ignore();
        QCoreApplication::sendEvent(target, &enter);
        dropAccepted = enter.isAccepted();
        // A Shift-drag: the source proposes to move the file.
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
            Qt::ShiftModifier);
        ASSERT_EQ(dropped.proposedAction(), Qt::MoveAction);
        QCoreApplication::sendEvent(target, &dropped);
        // A file is never taken from its place, whatever the source proposes.
        if (dropped.isAccepted()) {
            EXPECT_EQ(dropped.dropAction(), Qt::CopyAction);
        }
        QCoreApplication::processEvents(); // opened once the drop has finished
    }

    Form1Harness h;
    QString loaded;
    QString title;
    bool dropAccepted = false;
};

} // namespace

TEST_F(OutsideOpen, RefusedFilesChangeNothingAndSayWhy)
{
    const QString empty = h.path("empty.txt");
    writeBytes(empty, "");
    const QString binary = h.path("picture.png");
    writeBytes(binary, QByteArray("\x89PNG\r\n\x1a\n\x80\xff\xfe", 11));
    struct Case {
        QString path;
        QString message;
    };
    QList<Case> cases = {
        {h.path("missing.txt"), QStringLiteral("エラー番号 : 53")},
        // A folder is named by its own name, also when given with a trailing slash.
        {h.folder(),
            u'「' + QFileInfo(h.folder()).fileName() + QStringLiteral("」はフォルダです。")},
        {h.folder() + u'/',
            u'「' + QFileInfo(h.folder()).fileName() + QStringLiteral("」はフォルダです。")},
        {empty, QStringLiteral("エラー番号 : 1")},
        {binary, QStringLiteral("エラー番号")},
    };
    // Only a user other than root can be kept from reading a file.
    if (geteuid() != 0) {
        const QString locked = h.path("locked.txt");
        writeBytes(locked, "apple,1\r\n");
        QFile::setPermissions(locked, {});
        cases.append({locked, QStringLiteral("エラー番号 : ")});
    }
    for (const Case& c : cases) {
        h.platform.messages.clear();
        EXPECT_FALSE(h.form().openFromOutside(c.path)) << c.path.toStdString();
        ASSERT_EQ(h.platform.messages.size(), 1u) << c.path.toStdString();
        EXPECT_TRUE(h.platform.messages[0].text.contains(c.message))
            << h.platform.messages[0].text.toStdString();
        expectUnchanged(c.path.toUtf8().constData());
    }
}

TEST_F(OutsideOpen, NamesWithSpacesJapaneseRelativePathsUrlsAndDrops)
{
    QDir(h.folder()).mkdir(QStringLiteral("単語 帳"));
    const QString odd = h.path(QStringLiteral("単語 帳/it's $(x) & ;.txt"));
    writeBytes(odd, sjis(QStringLiteral("book,本\r\ncat,ねこ\r\n")));
    ASSERT_TRUE(h.form().openFromOutside(odd));
    EXPECT_EQ(h.form().problemSet().path, odd);
    EXPECT_EQ(h.form().problemSet().totalCount, 2);

    // Relative to the folder the program was started in.
    const QString before = QDir::currentPath();
    QDir::setCurrent(h.folder());
    EXPECT_TRUE(h.form().openFromOutside(QStringLiteral("loaded.txt")));
    QDir::setCurrent(before);
    EXPECT_EQ(h.form().problemSet().path, loaded);

    EXPECT_TRUE(h.form().openFromOutside(QUrl::fromLocalFile(odd).toString()));
    EXPECT_EQ(h.form().problemSet().path, odd);

    // Dropped: the first of several files; a folder is refused; a web address is not taken.
    drop({QUrl::fromLocalFile(loaded), QUrl::fromLocalFile(odd)});
    EXPECT_TRUE(dropAccepted);
    EXPECT_EQ(h.form().problemSet().path, loaded);
    h.platform.messages.clear();
    drop({QUrl::fromLocalFile(h.folder())});
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_EQ(h.form().problemSet().path, loaded);
    drop({QUrl(QStringLiteral("https://example.com/words.txt"))});
    EXPECT_FALSE(dropAccepted);
    EXPECT_EQ(h.form().problemSet().path, loaded);

    // While a test runs nothing is dropped in.
    h.form().chooseTestSetup = [](const TestSetupInput&) {
        TestChoice c;
        c.seconds = "2";
        return std::optional<TestChoice>(c);
    };
    h.find<QToolButton>("TESTbtn")->click();
    ASSERT_TRUE(h.form().state().testmode);
    drop({QUrl::fromLocalFile(odd)});
    EXPECT_FALSE(dropAccepted);
    EXPECT_EQ(h.form().problemSet().path, loaded);
    h.find<QToolButton>("syuuryoubtn")->click();

    // The stick strip takes a dropped list as the main window does.
    h.action("mbou")->trigger();
    QWidget* strip = h.form().stick().strip();
    ASSERT_TRUE(strip);
    drop({QUrl::fromLocalFile(odd)}, strip);
    EXPECT_TRUE(dropAccepted);
    EXPECT_EQ(h.form().problemSet().path, odd);
}

// Installed into a prefix the program cannot write to, the program keeps its settings in
// the user's configuration folder, and opens the list named on its command line.
TEST(Install, InstalledProgramOpensAListAndKeepsSettingsInTheConfigFolder)
{
    test::SpeechDispatcherEnvironment speech("null");
    QTemporaryDir prefix;
    QTemporaryDir home;
    ASSERT_TRUE(prefix.isValid() && home.isValid());
    QProcess install;
    install.start(QString::fromUtf8(KERUNA_CMAKE),
        {"--install", QString::fromUtf8(KERUNA_BUILD_DIR), "--prefix", prefix.path()});
    ASSERT_TRUE(install.waitForFinished(60000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    const QString program = prefix.filePath("bin/keruna");
    ASSERT_TRUE(QFile::exists(program));
    const QString entry = prefix.filePath("share/applications/keruna.desktop");
    // The entry starts the program by its full path, whatever the session's PATH.
    EXPECT_TRUE(readBytes(entry).contains(("Exec=" + program + " %f").toUtf8()));
    EXPECT_TRUE(QFile::exists(prefix.filePath("share/icons/hicolor/scalable/apps/keruna.svg")));
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm")) {
        EXPECT_TRUE(QFile::exists(prefix.filePath("share/keruna/translations/qtbase_ja.qm")));
    }
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validator.isEmpty()) {
        QProcess validate;
        validate.start(validator, {prefix.filePath("share/applications/keruna.desktop")});
        ASSERT_TRUE(validate.waitForFinished(10000));
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
    }

    // Everyone may read the list and the program; only the configuration folder is writable.
    QDir(home.path()).mkdir("config");
    const QString list = home.filePath(QStringLiteral("単語 帳.txt"));
    writeBytes(list, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\n")));
    for (const QString& p : {prefix.path(), home.path()})
        QFile::setPermissions(p,
            QFile::permissions(p) | QFileDevice::ReadOther | QFileDevice::ExeOther
                | QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    QFile::setPermissions(home.filePath("config"), QFileDevice::Permissions(0x7777));
    QFile::setPermissions(list, QFile::permissions(list) | QFileDevice::ReadOther);
    QFile::setPermissions(prefix.filePath("bin"),
        QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
            | QFileDevice::ExeOther | QFileDevice::ReadGroup | QFileDevice::ExeGroup);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("KERUNA_PROGRAM_FOLDER");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KERUNA_CLOSE_AFTER_FIRST_PAINT", "1");
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("HOME", home.path());
    QString command = program;
    QStringList arguments {list};
    // As root every folder is writable: the program then runs as nobody, as a user would.
    if (geteuid() == 0) {
        command = QStringLiteral("setpriv");
        arguments
            = QStringList {"--reuid=nobody", "--regid=nogroup", "--clear-groups", program, list};
        env.insert("XDG_RUNTIME_DIR", home.filePath("config"));
    }
    QProcess run;
    run.setProcessEnvironment(env);
    run.start(command, arguments);
    ASSERT_TRUE(run.waitForFinished(30000));
    const QString out = QString::fromUtf8(run.readAllStandardOutput());
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("単語 帳.txt"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("未2 覚0"))) << out.toStdString();
    EXPECT_TRUE(QFile::exists(home.filePath("config/keruna/Settei.ini")));
    EXPECT_FALSE(QFile::exists(prefix.filePath("bin/Settei.ini")));

    // A configuration folder that cannot be made: the program runs on its defaults and
    // asks nothing (a question would never be answered here).
    env.insert("XDG_CONFIG_HOME", list + QStringLiteral("/config"));
    run.setProcessEnvironment(env);
    run.start(command, arguments);
    ASSERT_TRUE(run.waitForFinished(30000)) << "the program waited for an answer";
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromUtf8(run.readAllStandardOutput()).contains("first-paint"));
    // Given back, so that the prefix can be removed.
    QFile::setPermissions(prefix.filePath("bin"), QFile::permissions(prefix.path()));
}
