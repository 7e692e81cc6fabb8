#include "mainscreen/mainstate.h"
#include "settings/settingsstore.h"
#include "support/harness.h"
#include "ui/properties.h"
#include "ui/propertiesdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class PropertiesTest : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    kugirigamen& dialog() { return h.form().properties(); }
    template <class T> T* find(const char* name)
    {
        return dialog().findChild<T*>(QString::fromLatin1(name));
    }
    QString stored(const char* key)
    {
        return SettingsStore::ReadValue(key, "PR", h.settingsPath());
    }
    void store(const char* key, const QString& value)
    {
        SettingsStore::WriteValue(value, key, "PR", h.settingsPath());
    }
    // A fresh dialog that reads the file as it is now.
    kugirigamen& reloaded()
    {
        find<QPushButton>("cmdCancel")->click();
        h.form().properties(); // the main screen holds the dialog until it is unloaded
        return dialog();
    }
    const AppliedOptions& options() { return h.form().state().options; }

    Form1Harness h;
};

} // namespace

TEST_F(PropertiesTest, ReadsTheDefaultsIntoItsControls)
{
    EXPECT_EQ(dialog().windowTitle(), QStringLiteral("プロパティ"));
    auto* tabs = find<QTabWidget>("tbsOptions");
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("間隔    "));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("設定    "));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Web    "));
    EXPECT_EQ(find<QComboBox>("kugirimoziCB")->currentText(), ",");
    EXPECT_EQ(find<QComboBox>("itigimoziCB")->currentText(), QStringLiteral("、"));
    EXPECT_EQ(find<QComboBox>("KankakuCB_0")->currentText(), "5");
    EXPECT_EQ(find<QComboBox>("KankakuCB_1")->currentText(), "7");
    EXPECT_EQ(find<QLabel>("Listlabel_0")->text(), "5");
    EXPECT_EQ(find<QLabel>("Listlabel_1")->text(), "3");
    EXPECT_TRUE(find<QCheckBox>("NOch_0")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("NOch_3")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("Naibuop")->isChecked());
    EXPECT_EQ(find<QComboBox>("VoiceCB")->currentText(), "Voice A");
    EXPECT_TRUE(find<QLabel>("GaitounasiL")->isHidden());
    EXPECT_EQ(find<QLineEdit>("Dictext")->text(), kBuiltInDictionaryUrl);
    EXPECT_EQ(find<QPushButton>("cmdCancel")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_EQ(find<QPushButton>("cmdApply")->toolTip(), QStringLiteral("設定変更を適用"));
    // Start-up already applied them.
    EXPECT_EQ(options().guessShare, 5);
    EXPECT_EQ(options().inputShare, 7);
    EXPECT_EQ(options().answerSpacing, 27);
}

TEST_F(PropertiesTest, ApplyAcceptsAnyDelimiterButEmptyOrError)
{
    find<QComboBox>("kugirimoziCB")->setEditText("/");
    find<QPushButton>("cmdApply")->click();
    EXPECT_EQ(options().delimiter, "/");
    EXPECT_EQ(stored("KUGIRIMOZI"), "/");
    find<QComboBox>("kugirimoziCB")->setEditText(" ");
    find<QPushButton>("cmdApply")->click();
    EXPECT_EQ(options().delimiter, " ");

    find<QComboBox>("kugirimoziCB")->setEditText("ERROR");
    find<QPushButton>("cmdOK")->click();
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_EQ(h.platform.messages[0].text, QStringLiteral("文字が不正です。"));
    EXPECT_EQ(h.platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(dialog().rejected());
    EXPECT_EQ(options().delimiter, " ");
    find<QComboBox>("itigimoziCB")->setEditText("");
    find<QComboBox>("kugirimoziCB")->setEditText(",");
    EXPECT_FALSE(dialog().Apply());
    EXPECT_EQ(stored("ITIGIMOZI"), QStringLiteral("、"));
}

TEST_F(PropertiesTest, ShareAndSpacingLists)
{
    find<QComboBox>("KankakuCB_0")->setCurrentIndex(2);
    EXPECT_EQ(find<QLabel>("Listlabel_0")->text(), "7");
    find<QComboBox>("KankakuCB_2")->setCurrentIndex(0);
    EXPECT_EQ(appliedFrom(dialog().values()).options.answerSpacing, 31);
    find<QComboBox>("KankakuCB_2")->setCurrentIndex(8);
    EXPECT_EQ(appliedFrom(dialog().values()).options.answerSpacing, -1);
    find<QCheckBox>("Longch")->setChecked(true);
    EXPECT_FALSE(find<QComboBox>("KankakuCB_2")->isEnabled());
    find<QPushButton>("cmdApply")->click();
    EXPECT_EQ(options().guessShare, 3);
    EXPECT_TRUE(options().longText);
    EXPECT_EQ(stored("KANKAKU0"), "2");
    EXPECT_EQ(stored("LONGS"), "1");
}

TEST_F(PropertiesTest, GetOptionsFollowTheirSwitchAndAreAlwaysWritten)
{
    find<QCheckBox>("PickdasiCh")->setChecked(false);
    EXPECT_FALSE(find<QRadioButton>("Naibuop")->isEnabled());
    EXPECT_FALSE(find<QRadioButton>("Gaibuop")->isEnabled());
    find<QRadioButton>("Gaibuop")->setChecked(true);
    find<QPushButton>("cmdApply")->click();
    EXPECT_EQ(stored("GETDISP"), "0");
    EXPECT_EQ(stored("NAIBU"), "False");
}

TEST_F(PropertiesTest, CtrlTabCyclesThroughTheTabs)
{
    dialog().show();
    QApplication::setActiveWindow(&dialog());
    auto* tabs = find<QTabWidget>("tbsOptions");
    tabs->setCurrentIndex(2);
    QTest::keyClick(find<QLineEdit>("Dictext"), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    QTest::keyClick(find<QComboBox>("KankakuCB_0"), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
}

TEST_F(PropertiesTest, StoredVoiceIndexes)
{
    // Never chosen: the engine's first English voice, stored as the choice; a chosen
    // voice is kept.
    h.speech.englishVoice = 1;
    store("VOICECHARA", "-1");
    EXPECT_EQ(reloaded().findChild<QComboBox*>("VoiceCB")->currentIndex(), 1);
    EXPECT_EQ(stored("VOICECHARA"), "1");
    // Files older than voice names: the index is the choice.
    store("VOICENAME", "");
    store("VOICECHARA", "0");
    EXPECT_EQ(reloaded().findChild<QComboBox*>("VoiceCB")->currentIndex(), 0);
    store("VOICENAME", "");
    store("VOICECHARA", "1");
    EXPECT_EQ(reloaded().findChild<QComboBox*>("VoiceCB")->currentIndex(), 1);
    store("VOICECHARA", "-2");
    kugirigamen& d = reloaded();
    EXPECT_EQ(d.findChild<QComboBox*>("VoiceCB")->currentIndex(), -1);
    EXPECT_FALSE(d.findChild<QLabel*>("GaitounasiL")->isHidden());
    d.findChild<QPushButton*>("cmdApply")->click();
    EXPECT_EQ(stored("VOICECHARA"), "-1");

    // The name is kept beside the index and wins over it: the index alone names another
    // voice once voices are added or the file moves to another system.
    store("VOICECHARA", "0");
    store("VOICENAME", "Voice B");
    EXPECT_EQ(reloaded().findChild<QComboBox*>("VoiceCB")->currentIndex(), 1);
    store("VOICENAME", "A voice this system lacks");
    EXPECT_EQ(reloaded().findChild<QComboBox*>("VoiceCB")->currentIndex(), 1); // the English one
    EXPECT_EQ(stored("VOICENAME"), "Voice B");
    EXPECT_EQ(stored("VOICECHARA"), "1");
    reloaded().findChild<QComboBox*>("VoiceCB")->setCurrentIndex(0);
    dialog().findChild<QPushButton*>("cmdApply")->click();
    EXPECT_EQ(stored("VOICENAME"), "Voice A");
}

TEST_F(PropertiesTest, EmptySeparatorsAreRepairedAndBadValuesRewriteTheSection)
{
    store("KUGIRIMOZI", "");
    store("KANKAKU0", "12");
    store("NUMDISP2", "yes");
    kugirigamen& d = reloaded();
    EXPECT_EQ(d.findChild<QComboBox*>("kugirimoziCB")->currentText(), ",");
    EXPECT_EQ(stored("KUGIRIMOZI"), ",");
    EXPECT_EQ(stored("KANKAKU0"), "4"); // the design value, written back
    EXPECT_EQ(stored("NUMDISP2"), "0");
}

TEST_F(PropertiesTest, DefaultsThenCancelChangesNothing)
{
    find<QComboBox>("KankakuCB_1")->setCurrentIndex(0);
    find<QPushButton>("cmdApply")->click();
    const QByteArray before = readBytes(h.settingsPath());
    kugirigamen& d = reloaded();
    d.findChild<QPushButton*>("Kkiteibtn")->click();
    EXPECT_EQ(d.findChild<QComboBox*>("KankakuCB_1")->currentIndex(), 6);
    d.findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_EQ(readBytes(h.settingsPath()), before);
    EXPECT_EQ(options().inputShare, 1);
}

TEST(PropertiesPlacement, KeptOnTheScreenWithRoomAtTheBottom)
{
    const QSize screen(19200, 14400);
    const QSize dialog(7000, 6000);
    EXPECT_EQ(propertiesPosition({1000, 2000}, dialog, screen), QPoint(1000, 2000));
    EXPECT_EQ(propertiesPosition({-300, -10}, dialog, screen), QPoint(0, 0));
    EXPECT_EQ(propertiesPosition({15000, 12000}, dialog, screen), QPoint(12200, 14400 - 6550));
}

TEST_F(PropertiesTest, TimeSharesStandUnderTheirHeadings)
{
    dialog().show();
    QApplication::processEvents();
    auto* header = find<QLabel>("Label13");
    const auto x = [&](QWidget* w) { return w->mapTo(&dialog(), QPoint(0, 0)).x(); };
    const int answerAt
        = x(header) + header->fontMetrics().horizontalAdvance(QStringLiteral("問題　　　　　　　"));
    for (int i = 0; i < 2; ++i) {
        auto* box = find<QComboBox>(QStringLiteral("KankakuCB_%1").arg(i).toLatin1().constData());
        EXPECT_NEAR(x(box), x(header), 2) << i; // the question's share under 問題
        EXPECT_LE(box->width(), box->sizeHint().width() + 2) << i;
        EXPECT_NEAR(x(find<QLabel>(QStringLiteral("Listlabel_%1").arg(i).toLatin1().constData())),
            answerAt, 4)
            << i;
    }
}

// A line break pasted into an address costs only the line break: every other option of
// the batch is still written. Twice, so the second write replaces the first.
TEST(PropertiesWrite, ALineBreakInATypedTextDoesNotCostTheOtherOptions)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("Settei.ini");
    for (const char* delimiter : {";", ","}) {
        PropertiesValues v;
        v.delimiter = QString::fromLatin1(delimiter);
        v.dictionaryUrl = QStringLiteral("https://example.org/\r\n{word}");
        v.homePageUrl = QStringLiteral("https://example.org/home\n");
        writePrSection(ini, v);
        EXPECT_EQ(
            SettingsStore::ReadValue("KUGIRIMOZI", "PR", ini), QString::fromLatin1(delimiter));
        EXPECT_EQ(SettingsStore::ReadValue("DICTEXT", "PR", ini), "https://example.org/{word}");
        EXPECT_EQ(SettingsStore::ReadValue("HOMETEXT", "PR", ini), "https://example.org/home");
    }
}
