#include "mainscreen/mainmenus.h"
#include "settings/settingsstore.h"
#include "support/harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

// One line per entry: "name caption", "-" for a separator, a submenu's entries follow
// it indented by two spaces.
QStringList describe(const QMenu* menu, const QString& indent = {})
{
    QStringList out;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out.append(indent + "-");
            continue;
        }
        out.append(indent + a->objectName() + ' ' + a->text());
        if (a->menu())
            out += describe(a->menu(), indent + "  ");
    }
    return out;
}

QStringList numbered(const QString& indent, const QString& name, const QStringList& captions)
{
    QStringList out;
    for (int i = 0; i < captions.size(); ++i)
        out.append(indent + name + '_' + QString::number(i) + ' ' + captions[i]);
    return out;
}

const QStringList kSeconds
    = {"1", "2", "3", "4", "5", "6", "8", "10", "13", "16", "20", "30", "40", "50", "60"};
const QStringList kHeights = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
const QStringList kSizes = {"12", "13", "14", "15", "17", "20", "30", "40", "50", "60", "70", "80",
    "90", "100", "120", "140"};
const QStringList kRatios = {"20%", "30%", "40%", "50%", "60%", "70%", "80%", "90%", "100%"};

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    const QMenu* menu(const char* name) { return h.form().menus().menu(QString::fromLatin1(name)); }
    Form1Harness h;
};

} // namespace

TEST_F(MenusTest, MenuBarHoldsTheFiveMenusInOrder)
{
    QStringList top;
    for (const QAction* a : h.form().menuBar()->actions())
        top.append(a->objectName() + ' ' + a->text());
    EXPECT_EQ(top,
        (QStringList {"mfile ファイル(&F)", "mhensyuu ツール(&T)", "msyosiki 書式(&O)",
            "mhyouzi ウィンドウ(&W)", "mhelp ヘルプ(&H)"}));
}

TEST_F(MenusTest, FileMenu)
{
    EXPECT_EQ(describe(menu("mfile")),
        (QStringList {"mopen 問題データを開く...(&O)", "mimport 他の形式から読み込む...(&I)",
            "mexportother 他の形式で書き出す...(&W)", "-", "mstart スタート(&S)",
            "mpick ゲット(&G)", "mDB データベース&M)", "mtest テスト(&T)", "-",
            "msakusei 問題データ編集(&E)", "mondaireset 問題データをリセット(&B)",
            "mondaifolder 問題の元フォルダを開く(&F)", "-", "mkugiri プロパティ...(&K)", "-",
            "msyokika 設定の初期化(&D)", "-", "msaikidou 再起動(&R)", "msyuuryou 終了(&X)"}));
}

TEST_F(MenusTest, ToolsMenu)
{
    QStringList expected {"mmondaihyouzi 出題範囲(&Q)", "  mbatudake 未暗記のみ表示(&M)",
        "  mmarudake 暗記済のみ表示(&C)", "  makadake 要チェックのみ表示(&R)",
        "  mzenbu 全て表示(&A)", "  mfukudake 復習のみ表示(&V)", "mkaitouhyouzi 回答制限&A)",
        "  mitigi 第1義のみ表示する(&O)", "  mnigi 第2義まで表示する(&T)",
        "  msangi 第3義まで表示する(&S)", "-", "mhyouzizyunn 表示順(&H)", "  mnormal 昇順(&N)",
        "  mrandom ランダム(&R)", "  mrev 逆転(&G)", "mDouzi 同時表示(&D)", "mTimelag 時間差(&G)",
        "miroch タイマー(&T)", "mone No1から表示(&I)", "-", "msokudo 速度(&S)"};
    expected += numbered("  ", "msec", kSeconds);
    expected.append("mttakasa 高さ(&K)");
    expected += numbered("  ", "mtakasa", kHeights);
    expected += QStringList {"-", "monnsei 音声(&V)", "mOtojun 発音順(&J)",
        "  mOtozidou オート(&A)", "  mOtosaki 先に発音する(&P)", "  mOtoato 後に発音する(&L)", "-",
        "mteisi 一時停止(&T)", "mtexthatuon 手書きパレット(&P)"};
    EXPECT_EQ(describe(menu("mhensyuu")), expected);
}

TEST_F(MenusTest, FormatWindowAndHelpMenus)
{
    QStringList format {"mssize 文字サイズ(&S)"};
    format += numbered("  ", "msize", kSizes);
    format.append("mhhiritu 回答のサイズ(&H)");
    format += numbered("  ", "mhiritu", kRatios);
    format += QStringList {"miro 色(&C)", "  mhaikeiiro 背景...(&B)", "  mmondaiiro 問題...(&Q)",
        "  mkotaeiro 答え...(&A)", "  mlabeliro ナンバー...(&N)",
        "  msmoziiro スティック文字...(&S)", "  mshaikeiiro スティック背景...(&G)",
        "mfont フォント(&F)", "  mfmondai 問題...(&Q)", "  mfkotae 答え...(&A)",
        "  mflabel ナンバー...(&N)", "  mfsmozi スティック文字...(&S)", "  mftext 入力バー...(&T)",
        "  mflist リスト文字...(&L)"};
    EXPECT_EQ(describe(menu("msyosiki")), format);
    EXPECT_EQ(describe(menu("mhyouzi")),
        (QStringList {"mfocus フォーカス画面(&F)", "mbou スティック画面(&B)",
            "mrireki 学習履歴(&R)", "-", "mmae 常に最前面に表示(&T)"}));
    EXPECT_EQ(describe(menu("mhelp")),
        (QStringList {"mHOME ホームページ(&H)", "mdic Web辞書(&D)", "-", "mgengo 表示言語(&L)",
            "  mgengoja 日本語", "  mgengoen English", "mversion バージョン情報(&A)"}));
}

// The choice is for the next start (every text is made as its window is built): kept in
// Settei.ini through the exit's own save, said in both languages when it differs from the
// one in force, and shown by the mark whichever way the item was reached.
TEST_F(MenusTest, TheLanguageChoiceIsKeptForTheNextStart)
{
    const auto kept = [this] {
        return SettingsStore::ReadValue(
            QStringLiteral("GENGO"), QStringLiteral("FORM"), h.settingsPath());
    };
    const auto marks = [this] {
        return QString::number(h.action("mgengoja")->isChecked())
            + QString::number(h.action("mgengoen")->isChecked());
    };
    EXPECT_EQ(marks(), "10"); // the tests run in Japanese
    for (int time = 0; time < 2; ++time) {
        h.action("mgengoen")->trigger();
        EXPECT_EQ(kept(), "en");
        EXPECT_EQ(marks(), "01") << time;
        ASSERT_EQ(h.platform.messages.size(), size_t(time + 1));
        EXPECT_TRUE(h.platform.messages.back().text.contains("The interface language changes"));
        EXPECT_TRUE(h.platform.messages.back().text.contains("表示言語は"));
    }
    h.action("mgengoja")->trigger();
    h.action("mgengoja")->trigger(); // the checked item again: it stays checked
    EXPECT_EQ(kept(), "ja");
    EXPECT_EQ(marks(), "10");
    EXPECT_EQ(h.platform.messages.size(), size_t(2)); // back to the language in force
    h.action("mgengoen")->trigger();
    h.form().close();
    EXPECT_EQ(kept(), "en");
}

TEST_F(MenusTest, PopupMenusHoldTheTwins)
{
    QStringList expected {"mdnormal 昇順(&N)", "mdrandom ランダム(&R)", "mdrev 逆転(&G)",
        "mdonnsei 音声(&V)", "mdDouzi 同時表示(&D)", "mdTimelag 時間差(&C)",
        "mdone No.1から表示(&I)", "mdiroch タイマー(&T)", "mdteisi 一時停止(&T)", "-",
        "mdsokudo 速度(&S)"};
    expected += numbered("  ", "mdsec", kSeconds);
    expected.append("mdssize 文字サイズ(&M)");
    expected += numbered("  ", "mdsize", kSizes);
    expected.append("mdttakasa 高さ（＆P）");
    expected += numbered("  ", "mdtakasa", kHeights);
    expected += QStringList {"-", "mdmondaihyouzi 出題範囲(&Q)", "  mdbatudake 未暗記のみ表示(&M)",
        "  mdmarudake 暗記済のみ表示(&C)", "  mdakadake 要チェックのみ表示(&R)",
        "  mdzenbu 全て表示(&A)", "  mdfukudake 復習のみ表示(&V)", "mdkaitouhyouzi 回答制限(&A)",
        "  mditigi 第1義のみ表示する(&O)", "  mdnigi 第2義まで表示する(&T)",
        "  mdsangi 第3義まで表示する(&S)", "mddesign 書式(&H)", "  mdiro 色(&C)",
        "    mdhaikeiiro 背景...(&B)", "    mdmondaiiro 問題...(&Q)", "    mdkotaeiro 答え...(&A)",
        "    mdlabeliro ナンバー...(&N)", "    mdsmoziiro スティック文字...(&S)",
        "    mdshaikeiiro スティック背景...(&G)", "  mdfont フォント(&F)",
        "    mdfmondai 問題...(&Q)", "    mdfkotae 答え...(&A)", "    mdflabel ナンバー...(&N)",
        "    mdfsmozi スティック文字...(&S)", "    mdftext 入力バー...(&T)",
        "    mdflist リスト文字...(&L)", "-", "mdfocus フォーカス画面(&F)",
        "mdbou スティック画面(&L)", "mdmae 常に最前面に表示(&W)", "mdkugiri プロパティ...(&K)", "-",
        "mdpick ゲット(&U)", "mdDB データベース(&I)", "mdtest テスト(&E)", "mdstart スタート(&B)",
        "mdopen 問題データを開く...(&O)", "-", "mdsyuuryou 終了(&X)"};
    EXPECT_EQ(describe(menu("dami")), expected);
    EXPECT_EQ(describe(menu("Listhatuon")),
        (QStringList {"mlistred 要チェック(&R)", "mlisthatuon 発音(&V)",
            "mlistritu チェック数と忘却率(&C)"}));
}

TEST_F(MenusTest, ATwinRunsItsMainItemsCommand)
{
    // 逆転 mirrors its check box: the popup twin toggles the box through the main item.
    auto* revch = h.find<QCheckBox>("Revch");
    h.action("mdrev")->trigger();
    EXPECT_TRUE(revch->isChecked());
    EXPECT_TRUE(h.action("mrev")->isChecked());
    EXPECT_TRUE(h.action("mdrev")->isChecked());
    h.action("mrev")->trigger();
    EXPECT_FALSE(revch->isChecked());
    EXPECT_FALSE(h.action("mdrev")->isChecked());
}

TEST_F(MenusTest, AClickDoesNotFlipAMarkByItself)
{
    // Range items are checked by the range command only; with no file nothing changes.
    h.action("mmarudake")->trigger();
    h.action("mdzenbu")->trigger();
    EXPECT_FALSE(h.action("mmarudake")->isChecked());
    EXPECT_FALSE(h.action("mzenbu")->isChecked());
    EXPECT_FALSE(h.action("mdzenbu")->isChecked());
    EXPECT_TRUE(h.platform.messages.empty());
}

// After start-up exactly one item of each size, ratio and height group is ticked, the one
// the box shows: with the design values (no change announced) and with stored ones.
TEST(MenuTicksAtStartup, OneItemOfEachGroupFollowsTheBoxes)
{
    const struct {
        const char* size;
        const char* ratio;
        const char* height;
    } stored[] = {{nullptr, nullptr, nullptr}, {"50", "50", "2"}, {"20", "30", "7"}};
    for (const auto& s : stored) {
        Form1Harness h;
        if (s.size) {
            SettingsStore::WriteValue(s.size, "SIZE", "FORM", h.settingsPath());
            SettingsStore::WriteValue(s.ratio, "HIRITU", "FORM", h.settingsPath());
            SettingsStore::WriteValue(s.height, "TAKASA", "FORM", h.settingsPath());
        }
        h.start();
        for (int round = 0; round < 2; ++round) {
            const struct {
                const char* menu;
                const char* box;
            } groups[] = {{"msize", "Sizecom"}, {"mdsize", "Sizecom"}, {"mhiritu", "hiritu"},
                {"mtakasa", "takasacom"}, {"mdtakasa", "takasacom"}};
            for (const auto& g : groups) {
                const QString box = h.find<QComboBox>(g.box)->currentText();
                QStringList ticked;
                for (const QAction* a : h.form().menus().array(g.menu)) {
                    if (a->isChecked())
                        ticked.append(a->text().remove('%').remove('&'));
                }
                EXPECT_EQ(ticked, QStringList {box}) << g.menu << " " << (s.size ? s.size : "-");
            }
            // And after a choice from the menu.
            h.action("mhiritu_6")->trigger();
            h.action("msize_3")->trigger();
        }
    }
}

// The popup is made when first asked for: its twins then carry the marks their items were
// given before, and a command that asks for a twin while it runs runs to its end.
TEST(MainMenusPopup, MadeLateItCarriesTheMarksAndACommandMayMakeIt)
{
    QWidget owner;
    QMenuBar bar(&owner);
    MainMenus menus(&bar, &owner);
    menus.setCheckedWithTwin(QStringLiteral("mrev"), true);
    menus.checkOnlyInArray(QStringLiteral("msec"), 3);
    int ran = 0;
    menus.onCommand(QStringLiteral("mopen"), [&] {
        menus.action(QStringLiteral("mdopen"))->setEnabled(false);
        ++ran;
    });
    menus.action(QStringLiteral("mopen"))->trigger();
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(menus.action(QStringLiteral("mdopen"))->isEnabled());
    EXPECT_TRUE(menus.action(QStringLiteral("mdrev"))->isChecked());
    const QList<QAction*> twins = menus.array(QStringLiteral("mdsec"));
    ASSERT_EQ(twins.size(), kSeconds.size());
    for (int i = 0; i < twins.size(); ++i)
        EXPECT_EQ(twins[i]->isChecked(), i == 3) << i;
    menus.setCheckedWithTwin(QStringLiteral("mrev"), false);
    EXPECT_FALSE(menus.action(QStringLiteral("mdrev"))->isChecked());
}
