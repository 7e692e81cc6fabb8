#include "mainscreen/mainmenus.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "support/harness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

const QString kRepairText
    = QStringLiteral("Settei.iniが不正か存在しません。\r\nSettei.iniを修復しますか？");

QString comboText(const Form1Harness& h, const char* name)
{
    return h.find<QComboBox>(QString::fromLatin1(name))->currentText();
}

void setValue(const Form1Harness& h, const char* key, const char* section, const QString& value)
{
    SettingsStore::WriteValue(
        value, QString::fromLatin1(key), QString::fromLatin1(section), h.settingsPath());
}

} // namespace

TEST(Form1Startup, FirstStartOffersRepairAndYesGoesOn)
{
    Form1Harness h(Form1Harness::Settings::None);
    h.platform.messageAnswers.push_back(MessageResult::Yes);
    h.speech.englishVoice = 1;
    Form1& form = h.start();

    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_EQ(h.platform.messages[0].text, kRepairText);
    EXPECT_EQ(h.platform.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(h.platform.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(h.platform.endCount, 0);
    EXPECT_TRUE(form.startupHadFailures());
    // Design values stay; the stick defaults are in the file.
    EXPECT_EQ(comboText(h, "Seccom"), "2");
    EXPECT_EQ(comboText(h, "nyseccom"), "2");
    EXPECT_EQ(comboText(h, "tsec"), "4");
    EXPECT_EQ(comboText(h, "ketamax"), "10000");
    EXPECT_EQ(SettingsStore::ReadValue("SFONTSIZE", "STICK", h.settingsPath()), "11");
    // The options take their first-run defaults: numbers on the main screen and the inside
    // GET list, the GET list at the first Start, and an English voice for the English words.
    for (const char* key : {"NUMDISP0", "NUMDISP1", "GETDISP"})
        EXPECT_EQ(SettingsStore::ReadValue(key, "PR", h.settingsPath()), "1") << key;
    EXPECT_EQ(SettingsStore::ReadValue("NUMDISP2", "PR", h.settingsPath()), "0");
    EXPECT_EQ(SettingsStore::ReadValue("VOICECHARA", "PR", h.settingsPath()), "1");
    EXPECT_EQ(form.state().options.voiceIndex, 1);
    // The repaired file is whole at once, before any exit.
    EXPECT_EQ(SettingsStore::ReadValue("SEC", "FORM", h.settingsPath()), "2");
    {
        FakePlatform early(h.folder());
        Form1 before(AppContext {early, h.clock, h.timers, h.random, h.speech});
        EXPECT_TRUE(early.messages.empty());
    }
    // The speed menu shows the speed in force from the start.
    EXPECT_TRUE(h.action("msec_1")->isChecked()); // 2 s
    EXPECT_TRUE(h.action("mdsec_1")->isChecked());

    // Closing saves the exit set; the next start then finds nothing to repair.
    form.close();
    EXPECT_EQ(h.platform.endCount, 1);
    EXPECT_EQ(SettingsStore::ReadValue("SEC", "FORM", h.settingsPath()), "2");
    EXPECT_EQ(SettingsStore::ReadValue("BACK", "FORM", h.settingsPath()), "15962624");
    FakePlatform again(h.folder());
    Form1 second(AppContext {again, h.clock, h.timers, h.random, h.speech});
    EXPECT_TRUE(again.messages.empty());
    EXPECT_FALSE(second.startupHadFailures());
}

TEST(Form1Startup, NoEndsTheProgramWithoutSavingSettings)
{
    Form1Harness h(Form1Harness::Settings::None);
    h.platform.messageAnswers.push_back(MessageResult::No);
    h.start();
    EXPECT_EQ(h.platform.endCount, 1);
    // Only the properties' own section was written (by their Apply at start-up); no exit set.
    EXPECT_EQ(SettingsStore::ReadValue("SEC", "FORM", h.settingsPath()), "ERROR");
    EXPECT_EQ(SettingsStore::ReadValue("SFONTSIZE", "STICK", h.settingsPath()), "ERROR");
    EXPECT_EQ(SettingsStore::ReadValue("KUGIRIMOZI", "PR", h.settingsPath()), ",");

    // A damaged file the user chose not to repair keeps its bytes and line ends; only the
    // properties' section is added after them.
    Form1Harness damaged(Form1Harness::Settings::None);
    const QByteArray before("[FORM]\nSIZE=50\n; a note\r[TEST]\nTIMER=x");
    writeBytes(damaged.settingsPath(), before);
    damaged.platform.messageAnswers.push_back(MessageResult::No);
    damaged.start();
    EXPECT_EQ(damaged.platform.endCount, 1);
    EXPECT_TRUE(readBytes(damaged.settingsPath()).startsWith(before + "\r\n[PR]"));
}

TEST(Form1Startup, DefaultsStartWithoutPromptAndFillTheChoiceLists)
{
    Form1Harness h;
    Form1& form = h.start();
    EXPECT_TRUE(h.platform.messages.empty());
    EXPECT_FALSE(form.startupHadFailures());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("ケルナ"));
    struct Expect {
        const char* name;
        int count;
        const char* text;
    };
    for (const Expect& e : {Expect {"Seccom", 15, "2"}, Expect {"nyseccom", 15, "2"},
             Expect {"Sizecom", 19, "50"}, Expect {"hiritu", 9, "50"}, Expect {"takasacom", 9, "2"},
             Expect {"ketamin", 5, "0"}, Expect {"ketamax", 5, "10000"}, Expect {"tsec", 15, "4"},
             Expect {"dakecom", 5, "【未】"}, Expect {"irocom", 6, "Back"}}) {
        auto* box = h.find<QComboBox>(QString::fromLatin1(e.name));
        ASSERT_NE(box, nullptr) << e.name;
        EXPECT_EQ(box->count(), e.count) << e.name;
        EXPECT_EQ(box->currentText(), QString::fromUtf8(e.text)) << e.name;
    }
    EXPECT_TRUE(h.find<QRadioButton>("Rndop_0")->isChecked());
    EXPECT_TRUE(h.action("mrandom")->isChecked());
    EXPECT_TRUE(h.action("mdrandom")->isChecked());
    EXPECT_FALSE(h.action("mnormal")->isChecked());
    EXPECT_TRUE(h.action("mOtozidou")->isChecked());
    EXPECT_EQ(h.find<QLabel>("NoLabel")->font().families().value(0), QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(form.state().stick.size, 11);
}

TEST(Form1Startup, TooltipsOfTheOptionControlsAndPictureButtons)
{
    Form1Harness h;
    h.start();
    const std::pair<const char*, const char*> tips[] = {
        {"Seccom", "表示速度"},
        {"nyseccom", "表示速度 STARTボタンを押して適用してください"},
        {"Sizecom", "文字サイズ"},
        {"hiritu", "「答え」の文字サイズ比率"},
        {"takasacom", "文字の高さ"},
        {"dakecom", "出題範囲の切替 （未暗記・暗記済・要チェック・全て）"},
        {"Revch", "英和・和英の切替"},
        {"Spkch", "発音　※Ctrlキーで発音"},
        {"Douzich", "同時表示 暗記が進まない時に有効です"},
        {"Rndop_0", "ランダム表示"},
        {"Rndop_1", "昇順表示"},
        {"typec", "入力モード"},
        {"tsec", "速度の設定（入力可）"},
        {"ketamin", "下限値の設定（入力可）"},
        {"ketamax", "上限値の設定（入力可）"},
        {"cuttext", "Enter：一時停止 Tab：答え"},
        {"Openbtn", "問題データを開く"},
        {"Startbtn", "ここから始めます"},
        {"TESTbtn", "テスト"},
        {"DBbtn", "データベース"},
        {"Pickbtn", "表示中の単語を暗記済にできます"},
        {"sakuseibtn", "問題データ編集　※編集後は再読込してください"},
        {"Pptbtn", "プロパティ"},
        {"boubtn", "スティック画面"},
        {"Focusbtn", "フォーカス画面 （文字サイズ比）"},
        {"FocusBackbtn", "元画面に戻す"},
        {"webdicbtn", "Web辞書"},
        {"Texthatuonbtn", "手書きパレット"},
        {"irobtn", "色の設定"},
        {"Fteisibtn", "一時停止　※Delete"},
        {"Fsaikaibtn", "再開　※Delete"},
        {"testTEISIbtn", "一時停止  ※Delete"},
        {"testSAIKAIbtn", "再開  ※Delete"},
        {"syuuryoubtn", "テストを終了"},
        {"testvoice", "発音　※Ctrl"},
        {"tsecbtn", "速度の適用"},
        {"ketabotan", "桁数の適用"},
        {"syudouKAKUNIN", "答えの確認"},
        {"syudouskip", "スキップ ※Shift+Enter"},
        {"listmaru", "リストに追加　※Enter"},
        {"listmodosi", "リストから外す(チェックでまとめて削除)　※Backspace"},
        {"listSkipbtn", "問題をスキップ ※Shift+Enter"},
        {"listhozon", "リストデータを保存"},
        {"Picktest", "ワンタッチテスト ランダム順で一巡した後に停止します"},
        {"pickend", "テスト終了"},
        {"gaibubtn", "外部画面に移動"},
        {"listclose", "リストを閉じる"},
        {"nPickzencheck", "全てチェック/解除"},
        {"nPickzencheckhazusi", "全てチェック/解除"},
    };
    for (const auto& [name, tip] : tips) {
        QWidget* w = h.find<QWidget>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->toolTip(), QString::fromUtf8(tip)) << name;
    }
    EXPECT_EQ(h.find<QPushButton>("TestListbtn")->text(), QStringLiteral("テスト結果を見る"));
}

TEST(Form1Startup, BadStoredValuesAreRepairedOrReported)
{
    Form1Harness h;
    setValue(h, "NYSEC", "FORM", "700");
    setValue(h, "SOKUDO", "TEST", "abc");
    setValue(h, "ZYOUGEN", "TEST", "2000000");
    Form1& form = h.start();
    EXPECT_EQ(comboText(h, "nyseccom"), "2");
    EXPECT_EQ(comboText(h, "tsec"), "4");
    EXPECT_EQ(comboText(h, "ketamax"), "10000");
    // Repaired by the rules, not failures.
    EXPECT_FALSE(form.startupHadFailures());

    Form1Harness half;
    setValue(half, "NYSEC", "FORM", "0.5");
    half.start();
    EXPECT_EQ(comboText(half, "nyseccom"), "0.5");
}

TEST(Form1Startup, AMissingColourKeepsTheDesignColourAndPrompts)
{
    Form1Harness h;
    // The whole Q section gone.
    QByteArray ini = readBytes(h.settingsPath());
    ini.replace("[Q]\r\nQ=16777215\r\n", "");
    writeBytes(h.settingsPath(), ini);
    ASSERT_EQ(SettingsStore::ReadValue("Q", "Q", h.settingsPath()), "ERROR");
    setValue(h, "A", "A", "255");
    setValue(h, "SEC", "FORM", "7"); // not an item of the list
    h.platform.messageAnswers.push_back(MessageResult::Yes);
    Form1& form = h.start();
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_EQ(h.platform.messages[0].text, kRepairText);
    EXPECT_EQ(form.state().questionColour, 16777215);
    EXPECT_EQ(form.state().answerColour, 255);
    EXPECT_EQ(h.find<QLabel>("Label2")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(comboText(h, "Seccom"), "2");
}

TEST(Form1Startup, WhatIsSavedAtExitIsReadAtTheNextStart)
{
    Form1Harness h;
    {
        Form1& form = h.start();
        h.find<QComboBox>("Seccom")->setCurrentText("5");
        h.find<QComboBox>("Sizecom")->setCurrentText("30");
        h.find<QComboBox>("hiritu")->setCurrentText("80");
        h.find<QComboBox>("tsec")->setEditText("7.5");
        h.find<QCheckBox>("Revch")->setChecked(true);
        h.find<QCheckBox>("iroch")->setChecked(true);
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
        h.action("mdsangi")->setChecked(true);
        h.action("msangi")->setChecked(true);
        form.close();
    }
    FakePlatform again(h.folder());
    Form1 second(AppContext {again, h.clock, h.timers, h.random, h.speech});
    EXPECT_TRUE(again.messages.empty());
    auto find
        = [&](const char* name) { return second.findChild<QWidget*>(QString::fromLatin1(name)); };
    EXPECT_EQ(static_cast<QComboBox*>(find("Seccom"))->currentText(), "5");
    EXPECT_EQ(static_cast<QComboBox*>(find("Sizecom"))->currentText(), "30");
    EXPECT_EQ(static_cast<QComboBox*>(find("hiritu"))->currentText(), "80");
    EXPECT_EQ(static_cast<QComboBox*>(find("tsec"))->currentText(), "7.5");
    EXPECT_TRUE(static_cast<QCheckBox*>(find("Revch"))->isChecked());
    EXPECT_TRUE(static_cast<QCheckBox*>(find("iroch"))->isChecked());
    EXPECT_TRUE(static_cast<QRadioButton*>(find("Rndop_1"))->isChecked());
    EXPECT_TRUE(second.menus().action("mnormal")->isChecked());
    EXPECT_TRUE(second.menus().action("mrev")->isChecked());
    EXPECT_TRUE(second.menus().action("mdsangi")->isChecked());
}

TEST(Form1Startup, WindowIsCentredALittleBelowTheMiddle)
{
    Form1Harness h;
    h.platform.screen = QRect(0, 0, 1600, 1000);
    Form1& form = h.start();
    const QSize outer = form.frameGeometry().size().expandedTo(form.size());
    EXPECT_EQ(form.x(), (1600 - outer.width()) / 2);
    EXPECT_EQ(form.y(), (1000 - outer.height()) / 2 + 12); // 180 twips

    Form1Harness small;
    small.platform.screen = QRect(0, 0, 400, 300);
    Form1& tiny = small.start();
    EXPECT_LT(tiny.x(), 0); // larger than the screen: placed by the formula all the same
}

TEST(Form1Commands, RestartSavesThenEndsOnlyWhenTheNewInstanceStarted)
{
    Form1Harness h;
    Form1& form = h.start();
    h.find<QComboBox>("Seccom")->setCurrentText("10");
    h.platform.newInstanceStarts = false;
    h.action("msaikidou")->trigger();
    EXPECT_EQ(SettingsStore::ReadValue("SEC", "FORM", h.settingsPath()), "10");
    EXPECT_EQ(h.platform.newInstanceCount, 1);
    EXPECT_EQ(h.platform.endCount, 0);
    h.platform.newInstanceStarts = true;
    h.action("msaikidou")->trigger();
    EXPECT_EQ(h.platform.endCount, 1);
    Q_UNUSED(form);
}

TEST(Form1Commands, InitialiseSettingsAsksFirst)
{
    Form1Harness h;
    setValue(h, "SEC", "FORM", "10");
    h.start();
    const QByteArray before = readBytes(h.settingsPath());
    h.platform.messageAnswers.push_back(MessageResult::No);
    h.action("msyokika")->trigger();
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_EQ(h.platform.messages[0].text, QStringLiteral("ソフトウェアの設定を初期化しますか？"));
    EXPECT_EQ(h.platform.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(readBytes(h.settingsPath()), before);
    EXPECT_EQ(h.platform.newInstanceCount, 0);

    h.find<QComboBox>("Sizecom")->setCurrentText("90");
    h.platform.messageAnswers.push_back(MessageResult::Yes);
    h.action("msyokika")->trigger();
    // Defaults written, the current values not saved over them.
    EXPECT_EQ(SettingsStore::ReadValue("SEC", "FORM", h.settingsPath()), "2");
    EXPECT_EQ(SettingsStore::ReadValue("SIZE", "FORM", h.settingsPath()), "50");
    EXPECT_EQ(h.platform.newInstanceCount, 1);
    EXPECT_EQ(h.platform.endCount, 1);
}

TEST(Form1Startup, EmptyOrUnwritableSettingsNeverStopTheProgram)
{
    Form1Harness empty(Form1Harness::Settings::None);
    writeBytes(empty.settingsPath(), "");
    empty.platform.messageAnswers.push_back(MessageResult::Yes);
    empty.start();
    ASSERT_EQ(empty.platform.messages.size(), 1u);
    EXPECT_EQ(empty.platform.messages[0].text, kRepairText);
    EXPECT_EQ(empty.platform.endCount, 0);

    // A folder where the file should be: nothing can be read or written, and the
    // program goes on with its design values and closes normally.
    Form1Harness blocked(Form1Harness::Settings::None);
    ASSERT_TRUE(QDir(blocked.folder()).mkdir("Settei.ini"));
    blocked.platform.messageAnswers.push_back(MessageResult::Yes);
    Form1& form = blocked.start();
    EXPECT_EQ(comboText(blocked, "Sizecom"), "50");
    // The settings that could not be kept are not lost without a word: the user hears
    // where, may try again (はい), and the program ends after いいえ.
    blocked.platform.messages.clear();
    blocked.platform.messageAnswers.push_back(MessageResult::Yes);
    form.close();
    ASSERT_EQ(blocked.platform.messages.size(), 2u);
    EXPECT_EQ(blocked.platform.messages[1].icon, MessageIcon::Warning);
    EXPECT_TRUE(
        blocked.platform.messages[1].text.contains(QDir::toNativeSeparators(blocked.folder())));
    EXPECT_EQ(blocked.platform.endCount, 1);
    EXPECT_TRUE(QFileInfo(blocked.settingsPath()).isDir());
}

TEST(Form1Startup, AlwaysOnTopIsPutInForce)
{
    Form1Harness h;
    setValue(h, "MAE", "FORM", "True");
    Form1& form = h.start();
    EXPECT_TRUE(h.action("mmae")->isChecked());
    EXPECT_TRUE(h.action("mdmae")->isChecked());
    ASSERT_EQ(h.platform.topmostCalls.size(), 1u);
    EXPECT_EQ(h.platform.topmostCalls[0], std::make_pair(static_cast<QWidget*>(&form), true));
}

TEST(Form1Commands, MenuItemsRunTheirButtons)
{
    Form1Harness h;
    h.start();
    for (const auto& [item, button] :
        {std::pair {"mtest", "TESTbtn"}, std::pair {"mdtest", "TESTbtn"},
            std::pair {"mdpick", "Pickbtn"}, std::pair {"mstart", "Startbtn"},
            std::pair {"mdDB", "DBbtn"}, std::pair {"msakusei", "sakuseibtn"}}) {
        QSignalSpy clicked(h.find<QToolButton>(QString::fromLatin1(button)), &QToolButton::clicked);
        h.action(QString::fromLatin1(item))->trigger();
        EXPECT_EQ(clicked.count(), 1) << item;
    }
}

// The typing box and the GET list start hidden; their stored fonts reach them when they
// are shown, and are saved again even when they never were.
TEST(Form1Startup, FontsOfHiddenControlsAreKeptAndAppliedWhenShown)
{
    Form1Harness h;
    setValue(h, "TFONTSIZE", "FORM", "20");
    setValue(h, "LFONTSIZE", "FORM", "15");
    for (int round = 0; round < 2; ++round) {
        Form1& form = h.start();
        form.show();
        EXPECT_TRUE(h.platform.messages.empty());
        form.close();
        EXPECT_EQ(SettingsStore::ReadValue("TFONTSIZE", "FORM", h.settingsPath()), "20");
        EXPECT_EQ(SettingsStore::ReadValue("LFONTSIZE", "FORM", h.settingsPath()), "15");
    }
    h.form().show();
    h.find<QCheckBox>("typec")->setChecked(true);
    h.form().MoveGetListIn();
    EXPECT_EQ(h.find<QLineEdit>("cuttext")->font().pointSize(), 20);
    EXPECT_EQ(h.find<QTreeView>("Picklist")->font().pointSize(), 15);
}

// The typed boxes start hidden and get their completer only when first shown. A value
// stored while hidden must survive that, and once shown each completes as Qt's own typed
// box does, the second time as the first.
TEST(Form1Startup, TypedBoxesKeepTheirValueAndCompleteOnceShown)
{
    Form1Harness h;
    Form1& form = h.start();
    form.show();
    auto* ketamin = h.find<QComboBox>("ketamin");
    auto* nyseccom = h.find<QComboBox>("nyseccom");
    ASSERT_FALSE(ketamin->isVisible());
    ASSERT_FALSE(nyseccom->isVisible());
    ketamin->setEditText(QStringLiteral("250"));
    nyseccom->show(); // as the typed-speed mode shows it
    h.find<QWidget>("testFrame")->show();
    ASSERT_TRUE(ketamin->isVisible());
    ASSERT_TRUE(nyseccom->isVisible());
    EXPECT_EQ(ketamin->currentText(), QStringLiteral("250"));

    for (int round = 0; round < 2; ++round) {
        for (QComboBox* box :
            {ketamin, h.find<QComboBox>("ketamax"), h.find<QComboBox>("tsec"), nyseccom}) {
            SCOPED_TRACE(box->objectName().toStdString());
            ASSERT_NE(box->completer(), nullptr);
            EXPECT_EQ(box->completer()->model(), box->model());
            EXPECT_EQ(box->completer()->completionMode(), QCompleter::InlineCompletion);
            EXPECT_EQ(box->completer()->caseSensitivity(), Qt::CaseInsensitive);
        }
        // "1" completes to the first item that starts with it, the rest chosen for typing over.
        QApplication::setActiveWindow(&form);
        ketamin->setFocus();
        ketamin->lineEdit()->clear();
        QTest::keyClicks(ketamin->lineEdit(), QStringLiteral("1"));
        EXPECT_EQ(ketamin->currentText(), QStringLiteral("10"));
        EXPECT_EQ(ketamin->lineEdit()->selectedText(), QStringLiteral("0"));
        auto* ketamax = h.find<QComboBox>("ketamax");
        ketamax->setFocus();
        ketamax->lineEdit()->clear();
        QTest::keyClicks(ketamax->lineEdit(), QStringLiteral("10"));
        EXPECT_EQ(ketamax->currentText(), QStringLiteral("10"));
        QTest::keyClicks(ketamax->lineEdit(), QStringLiteral("00"));
        EXPECT_EQ(ketamax->currentText(), QStringLiteral("1000"));
        EXPECT_EQ(ketamax->lineEdit()->selectedText(), QString());
        h.find<QWidget>("testFrame")->hide();
        h.find<QWidget>("testFrame")->show();
    }
}

// A list of settings from another machine may name a font this one lacks: the text still
// shows in a Japanese font, and the name is saved back as it was.
TEST(Form1Startup, AStoredFontThisSystemLacksShowsJapaneseAndKeepsItsName)
{
    Form1Harness h;
    setValue(h, "QFONTNAME", "FORM", QStringLiteral("No Such Font Anywhere"));
    Form1& form = h.start();
    const QFont font = h.find<QLabel>("Label1")->font();
    EXPECT_EQ(font.families().value(0), QStringLiteral("No Such Font Anywhere"));
    EXPECT_TRUE(QFontInfo(font).family().contains(QStringLiteral("CJK")))
        << QFontInfo(font).family().toStdString();
    form.close();
    EXPECT_EQ(SettingsStore::ReadValue("QFONTNAME", "FORM", h.settingsPath()),
        QStringLiteral("No Such Font Anywhere"));
}
