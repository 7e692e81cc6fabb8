#include "app/form1.h"
#include "common/textfile.h"
#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "getlist/getlist.h"
#include "getlist/pickgamen.h"
#include "problemdata/problemcontroller.h"
#include "support/harness.h"
#include "support/smalldisk.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

// ⅰ in its NEC-selected form (EE EF), which an encoder would write as FA 40.
const QByteArray kTwin("\xEE\xEF");

class SavingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        path = h.path("list.txt");
        writeBytes(path, lines({"apple,1@", "", "book,2,,○", "cat,3,赤×", "dog,4"}));
        h.open(path);
    }
    // Lines as code page 932 bytes; "@" stands for the twin-form character's own bytes.
    static QByteArray lines(std::initializer_list<const char*> items)
    {
        QByteArray out;
        for (const char* line : items)
            out += sjis(QString::fromUtf8(line)).replace("@", kTwin) + "\r\n";
        return out;
    }
    void chooseRange(const char* menu) { h.action(QString::fromLatin1(menu))->trigger(); }
    void take(const char* key) { h.form().getList().append(QString::fromUtf8(key), ",", false); }
    // Answers the save-method dialog when it opens.
    void answerMethod(const char* option)
    {
        QTimer::singleShot(0, [option] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QRadioButton*>(QString::fromLatin1(option))->setChecked(true);
            dialog->findChild<QPushButton*>("OK")->click();
        });
    }
    QString title() { return h.form().windowTitle(); }

    Form1Harness h;
    QString path;
};

// Every title a window takes, in order.
class TitleRecorder : public QObject {
public:
    TitleRecorder(QWidget* window, QStringList& titles)
        : m_titles(titles)
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowTitleChange)
            m_titles.append(static_cast<QWidget*>(watched)->windowTitle());
        return false;
    }

private:
    QStringList& m_titles;
};

} // namespace

TEST_F(SavingTest, AGetSaveInTheNotYetRangeMarksTheFileInPlaceTwice)
{
    take("cat,3");
    h.find<QToolButton>("listhozon")->click();
    // No dialog; the twin form's bytes and every other line stay, the blank line goes.
    EXPECT_TRUE(h.platform.saveRequests.empty());
    const QByteArray once = lines({"apple,1@", "book,2,,○", "cat,3,,○", "dog,4"});
    EXPECT_EQ(readBytes(path), once);
    EXPECT_TRUE(title().contains(QStringLiteral("未2 覚2"))) << title().toStdString();
    // Saved again with the GET list the reload emptied: nothing changes.
    take("dog,4");
    h.find<QToolButton>("listhozon")->click();
    EXPECT_EQ(readBytes(path), lines({"apple,1@", "book,2,,○", "cat,3,,○", "dog,4,,○"}));
    EXPECT_TRUE(h.platform.messages.empty()) << h.platform.messages[0].text.toStdString();
}

TEST_F(SavingTest, AGetSaveOfAllAsksTheMethodAndWritesTheChosenFile)
{
    chooseRange("mzenbu");
    take("apple,1ⅰ"); // the twin-form character, as the list shows it
    const QString other = h.path("saved.txt");
    h.platform.saveAnswers.push_back(other);
    answerMethod("Okikaeop");
    h.find<QToolButton>("listhozon")->click();
    ASSERT_EQ(h.platform.saveRequests.size(), 1u);
    const SaveFileRequest& asked = h.platform.saveRequests[0];
    EXPECT_EQ(asked.title,
        QStringLiteral("【保存説明】※注意：正解データ以外は全て不正解に置き換えます。"));
    EXPECT_EQ(asked.types[0].caption, QStringLiteral("テキストファイル(*.txt)"));
    EXPECT_EQ(QFileInfo(asked.initialFile).fileName(), "list.txt");
    // Replace: the one taken is memorized, a memorized line not taken goes back, red stays red.
    EXPECT_EQ(readBytes(other), lines({"apple,1@,,○", "book,2", "cat,3,赤×", "dog,4"}));
    EXPECT_EQ(readBytes(path), lines({"apple,1@", "", "book,2,,○", "cat,3,赤×", "dog,4"}));
    EXPECT_TRUE(title().contains("saved.txt")) << title().toStdString();
}

TEST_F(SavingTest, AResetRemovesEveryMarkAndACancelledDialogWritesNothing)
{
    const QByteArray before = readBytes(path);
    h.action("mondaireset")->trigger(); // Yes, then the dialog is cancelled
    ASSERT_EQ(h.platform.saveRequests.size(), 1u);
    EXPECT_EQ(h.platform.saveRequests[0].title, QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(h.platform.messages.back().text,
        QStringLiteral("問題データの中の暗記済データを未暗記データに戻します。よろしいですか？"));

    h.platform.saveAnswers.push_back(path);
    h.action("mondaireset")->trigger();
    EXPECT_EQ(readBytes(path), lines({"apple,1@", "book,2", "cat,3", "dog,4"}));
    h.action("mondaireset")->trigger();
    EXPECT_EQ(h.platform.messages.back().text,
        QStringLiteral("全て未暗記データの為、リセットする必要がありません。"));
}

TEST_F(SavingTest, AFailedOrRefusedSaveLeavesTheFileAndTheListsAsTheyWere)
{
    const QByteArray before = readBytes(path);
    const QString loadedTitle = title();
    take("cat,3");
    // The disk fills up half-way.
    failWriteAfter(0);
    h.find<QToolButton>("listhozon")->click();
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_TRUE(h.platform.messages[0].text.startsWith(QStringLiteral("エラー番号 ： 61\r\n")));
    EXPECT_TRUE(h.platform.messages[0].text.contains("list.txt"));
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(title(), loadedTitle);
    EXPECT_EQ(h.form().getList().count(), 1); // nothing reloaded: the user can try again

    // Another program changed the file: asked first, and No keeps its change.
    const QByteArray theirs = before + sjis(QStringLiteral("egg,5\r\n"));
    writeBytes(path, theirs);
    h.platform.messageAnswers.push_back(MessageResult::No);
    h.find<QToolButton>("listhozon")->click();
    EXPECT_EQ(h.platform.messages.back().icon, MessageIcon::Question);
    EXPECT_EQ(readBytes(path), theirs);

    // The file became a folder: Yes to the question, then the write fails and says so.
    QFile::remove(path);
    ASSERT_TRUE(QDir(h.folder()).mkdir("list.txt"));
    h.platform.messageAnswers.push_back(MessageResult::Yes);
    h.find<QToolButton>("listhozon")->click();
    EXPECT_EQ(h.platform.messages.back().icon, MessageIcon::Error);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(SavingTest, AnExportAsksTheSubsetAndWritesItInTheListsEncoding)
{
    h.form().databaseEntries = [](bool memorized) {
        return memorized
            ? QList<ListEntry> {{QStringLiteral("book,2"), true, true}}
            : QList<ListEntry> {{QStringLiteral("apple,1ⅰ")}, {QStringLiteral("cat,3"), true}};
    };
    QStringList captions;
    QList<bool> enabled;
    const auto answer = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            captions.clear();
            enabled.clear();
            for (const char* name : {"Sumiexpop", "Madaexpop", "Redexpop", "Checkexpop"}) {
                auto* option = dialog->findChild<QRadioButton*>(QString::fromLatin1(name));
                captions.append(option->text());
                enabled.append(option->isEnabled());
            }
            dialog->findChild<QRadioButton*>("Redexpop")->setChecked(true);
            dialog->findChild<QPushButton*>("OK")->click();
        });
    };
    answer();
    h.form().ExportDatabaseLists(
        &h.form(), QStringLiteral("暗記済リスト"), QStringLiteral("未暗記リスト"));
    EXPECT_EQ(captions,
        (QStringList {QStringLiteral("暗記済リスト　1語"), QStringLiteral("未暗記リスト　2語"),
            QStringLiteral("要チェック　2語"), QStringLiteral("チェック　1語")}));
    EXPECT_EQ(enabled, (QList<bool> {true, true, true, true})); // one entry is enough
    ASSERT_EQ(h.platform.saveRequests.size(), 1u); // cancelled: nothing written
    EXPECT_EQ(QFileInfo(h.platform.saveRequests[0].initialFile).fileName(),
        QStringLiteral("要チェック2"));

    const QString exported = h.path("red.txt");
    h.platform.saveAnswers.push_back(exported);
    answer();
    h.form().ExportDatabaseLists(
        &h.form(), QStringLiteral("暗記済リスト"), QStringLiteral("未暗記リスト"));
    // Red items of the left list, then of the right one; no marks; code page 932.
    EXPECT_EQ(readBytes(exported), sjis(QStringLiteral("book,2\r\ncat,3\r\n")));
    EXPECT_EQ(readBytes(path), lines({"apple,1@", "", "book,2,,○", "cat,3,赤×", "dog,4"}));

    // An export of a list with LF line ends has LF line ends.
    writeBytes(path, "apple,1\nbook,2\ncat,3\n");
    h.open(path);
    h.platform.saveAnswers.push_back(exported);
    answer();
    h.form().ExportDatabaseLists(
        &h.form(), QStringLiteral("暗記済リスト"), QStringLiteral("未暗記リスト"));
    EXPECT_EQ(readBytes(exported), "book,2\ncat,3\n");
}

TEST_F(SavingTest, ASaveDialogPointedAtAFolderOrNowhereSaysSoAndLoadsNothing)
{
    const QString loadedTitle = title();
    for (const QString& target : {h.folder(), h.path("missing/list.txt")}) {
        h.platform.saveAnswers.push_back(target);
        h.action("mondaireset")->trigger(); // Yes, then the dialog answers target
        ASSERT_EQ(h.platform.messages.back().icon, MessageIcon::Error) << target.toStdString();
        EXPECT_TRUE(h.platform.messages.back().text.startsWith(QStringLiteral("エラー番号 ： ")));
        EXPECT_EQ(title(), loadedTitle);
    }
    EXPECT_FALSE(QFileInfo::exists(h.path("missing")));
}

// The question about another editor's changes comes up over the screen whose save was
// pressed, with No as the answer Enter gives; a save to a chosen file that is the loaded
// file itself asks it too. Twice each: No keeps their change both times.
TEST_F(SavingTest, AnotherEditorsChangesAreAskedAboutOverTheSavingScreenAndKeptByDefault)
{
    h.form().openDatabaseScreen();
    DBgamen* db = h.form().databaseScreen();
    const QByteArray theirs = lines({"apple,1@", "book,2,,○", "cat,3,赤×", "dog,4", "egg,5"});
    writeBytes(path, theirs);
    for (int round = 0; round < 2; ++round) {
        db->findChild<QToolButton*>("sumihozon")->click();
        ASSERT_FALSE(h.platform.messages.empty());
        const ShownMessage& asked = h.platform.messages.back();
        EXPECT_TRUE(asked.text.contains(QStringLiteral("読み込んだ後に変更されています")));
        EXPECT_EQ(asked.buttons, MessageButtons::YesNoDefaultNo);
        EXPECT_EQ(asked.parent, db);
        EXPECT_EQ(readBytes(path), theirs);
    }
    // A reset saved onto the list itself.
    for (int round = 0; round < 2; ++round) {
        h.platform.saveAnswers.push_back(path);
        h.action("mondaireset")->trigger();
        EXPECT_TRUE(h.platform.messages.back().text.contains(
            QStringLiteral("読み込んだ後に変更されています")));
        EXPECT_EQ(h.platform.messages.back().buttons, MessageButtons::YesNoDefaultNo);
        EXPECT_EQ(readBytes(path), theirs);
    }
    // Yes overwrites, as asked.
    h.platform.messageAnswers = {MessageResult::Yes, MessageResult::Yes};
    h.platform.saveAnswers.push_back(path);
    h.action("mondaireset")->trigger();
    // Their file's bytes are not the ones loaded: every line is written from its text.
    EXPECT_EQ(readBytes(path), sjis(QStringLiteral("apple,1ⅰ\r\nbook,2\r\ncat,3\r\ndog,4\r\n")));
}

// A list whose file, or whose folder, went away since loading, or whose folder cannot be
// written to, is not "changed by another editor": the user is told what happened and may
// save it under another name, which is then the list.
TEST_F(SavingTest, AListThatCannotBeSavedWhereItWasIsOfferedAnotherName)
{
    SmallDisk disk(256);
    const QByteArray original = lines({"apple,1@", "book,2,,○", "cat,3,赤×", "dog,4"});
    const auto moveCat = [&] {
        h.form().openDatabaseScreen();
        DBgamen* db = h.form().databaseScreen();
        db->selectRow(false, 1); // cat
        db->findChild<QToolButton*>("hidariidou")->click();
    };
    struct Case {
        const char* name;
        QString where; // empty: cannot be tried here
        std::function<bool()> breakIt;
        const char* says;
        bool bytesKnown; // the file is still there to take unchanged bytes from
    };
    const QString gone = h.path("gone");
    const Case cases[] = {
        {"file deleted", path, [&] { return QFile::remove(path); }, "が見つかりません", false},
        {"folder deleted", gone + "/list.txt", [&] { return QDir(gone).removeRecursively(); },
            "のあったフォルダ", false},
        {"read-only folder", disk.isMounted() ? disk.path("list.txt") : QString(),
            [&] { return disk.makeReadOnly(); }, "書き込めない", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.where.isEmpty())
            continue; // the small file system needs root
        QDir().mkpath(QFileInfo(c.where).path());
        writeBytes(c.where, original);
        if (h.form().databaseEditsUnsaved())
            h.platform.messageAnswers.push_back(MessageResult::No);
        ASSERT_TRUE(h.form().problems().openGivenFile(c.where));
        moveCat();
        ASSERT_TRUE(c.breakIt());
        const QString copy = h.path(QStringLiteral("copy %1.txt").arg(c.name));
        h.platform.messageAnswers = {MessageResult::Yes};
        h.platform.saveAnswers = {copy};
        h.platform.messages.clear();
        h.form().databaseScreen()->findChild<QToolButton*>("sumihozon")->click();
        ASSERT_EQ(h.platform.messages.size(), 1u);
        const ShownMessage& told = h.platform.messages[0];
        EXPECT_TRUE(told.text.contains(QString::fromUtf8(c.says))) << told.text.toStdString();
        EXPECT_TRUE(told.text.endsWith(QStringLiteral("名前を付けて保存しますか？")));
        EXPECT_FALSE(told.text.contains(QStringLiteral("読み込んだ後に変更")));
        // Without the file its lines are written from their text (ⅰ in its usual form).
        QByteArray saved = lines({"apple,1@", "book,2,,○", "cat,3,赤○", "dog,4"});
        if (!c.bytesKnown)
            saved.replace(kTwin, sjis(QStringLiteral("ⅰ")));
        EXPECT_EQ(readBytes(copy), saved);
        EXPECT_EQ(h.form().problemSet().path, copy);
        if (c.bytesKnown) {
            EXPECT_EQ(readBytes(c.where), original);
        }
    }
}

// While a list save runs, the database screen says to wait; the refill puts the count
// back, and a failed save puts back the title it had.
TEST_F(SavingTest, TheDatabaseScreenSaysToWaitWhileItsListsAreSaved)
{
    h.form().openDatabaseScreen();
    DBgamen* db = h.form().databaseScreen();
    QStringList titles;
    TitleRecorder recorder(db, titles);
    for (const bool fail : {false, true, false}) {
        titles.clear();
        db->selectRow(false, 0);
        db->findChild<QToolButton*>("hidariidou")->click();
        if (fail)
            failWriteAfter(0);
        db->findChild<QToolButton*>("sumihozon")->click();
        ASSERT_FALSE(titles.isEmpty());
        EXPECT_EQ(titles.first(), QStringLiteral("しばらくお待ちください･･･"));
        EXPECT_EQ(db->windowTitle(), dbTitleText(db->model(true).count()));
    }
}

// A GET save of 【全】 asked from the external GET screen brings its method question and
// its save dialog up over that screen, twice in a row; asked from inside, over the main
// screen.
TEST_F(SavingTest, AGetSaveOfAllFromTheExternalScreenAsksOverIt)
{
    h.form().show();
    chooseRange("mzenbu");
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("gaibubtn")->click();
    QWidget* external = h.form().externalScreen();
    ASSERT_TRUE(h.form().externalShown());
    QWidget* methodOwner = nullptr;
    auto saveFrom = [&](QWidget* screen, const QString& to) {
        methodOwner = nullptr;
        chooseRange("mzenbu"); // the save loaded its file with the range it starts in
        take("apple,1ⅰ");
        h.platform.saveAnswers.push_back(to);
        QTimer::singleShot(0, [&methodOwner] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            methodOwner = dialog->parentWidget();
            dialog->findChild<QRadioButton*>("Okikaeop")->setChecked(true);
            dialog->findChild<QPushButton*>("OK")->click();
        });
        screen->findChild<QToolButton*>("listhozon")->click();
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const QString other = h.path(QStringLiteral("out%1.txt").arg(round));
        const std::size_t before = h.platform.saveRequests.size();
        saveFrom(external, other);
        ASSERT_TRUE(h.form().externalShown());
        ASSERT_EQ(h.platform.saveRequests.size(), before + 1);
        EXPECT_EQ(methodOwner, external);
        EXPECT_EQ(h.platform.saveParents.back(), external);
        EXPECT_TRUE(readBytes(other).startsWith(lines({"apple,1@,,○"})));
    }
    external->findChild<QToolButton*>("naibubtn")->click();
    ASSERT_FALSE(h.form().externalShown());
    saveFrom(&h.form(), h.path("inside.txt"));
    EXPECT_EQ(methodOwner, &h.form());
    EXPECT_EQ(h.platform.saveParents.back(), &h.form());
    EXPECT_TRUE(h.platform.messages.empty());
}
