#include "getlist/getlist.h"
#include "mainscreen/mainmenus.h"
#include "settings/settingsstore.h"
#include "speech/qtspeech.h"
#include "study/studyengine.h"
#include "support/harness.h"
#include "ui/propertiesdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class SpeechInStudy : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        const QString path = h.path("w.txt");
        writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\n")));
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
        h.find<QComboBox>("Seccom")->setCurrentText("3");
    }
    void start() { h.find<QToolButton>("Startbtn")->click(); }
    QString label2() { return h.find<QLabel>("Label2")->text(); }

    Form1Harness h;
};

} // namespace

TEST_F(SpeechInStudy, SpeechOffSaysNothing)
{
    start();
    h.timers.advance(6001);
    EXPECT_TRUE(h.speech.spoken.isEmpty());
}

TEST_F(SpeechInStudy, AutoSpeaksTheFirstColumnWhenItAppears)
{
    h.find<QCheckBox>("Spkch")->setChecked(true);
    EXPECT_TRUE(h.action("monnsei")->isChecked());
    start();
    h.timers.advance(1);
    EXPECT_EQ(h.speech.spoken, QStringList {"apple"});
    h.timers.advance(1500);
    EXPECT_EQ(h.speech.spoken, QStringList {"apple"});

    // Reversed, the English column appears with the answer, and is spoken then.
    h.find<QCheckBox>("Revch")->setChecked(true);
    h.timers.advance(1500); // next item: the meaning first, silently
    EXPECT_EQ(h.speech.spoken.size(), 1);
    h.timers.advance(1500);
    EXPECT_EQ(h.speech.spoken, (QStringList {"apple", "book"}));
}

TEST_F(SpeechInStudy, FirstAndLastTimingMenus)
{
    h.find<QCheckBox>("Spkch")->setChecked(true);
    h.action("mOtoato")->trigger();
    EXPECT_TRUE(h.action("mOtoato")->isChecked());
    EXPECT_FALSE(h.action("mOtozidou")->isChecked());
    start();
    h.timers.advance(1);
    EXPECT_TRUE(h.speech.spoken.isEmpty());
    h.timers.advance(1500);
    EXPECT_EQ(h.speech.spoken, QStringList {"apple"});

    h.action("mOtosaki")->trigger();
    h.find<QCheckBox>("Revch")->setChecked(true);
    h.timers.advance(1500); // question shown reversed, the first column heard before it is shown
    EXPECT_EQ(h.speech.spoken, (QStringList {"apple", "book"}));
    EXPECT_EQ(h.speech.voicesUsed.value(0), h.form().state().options.voiceIndex);
}

TEST_F(SpeechInStudy, APhaseIsTimedFromTheEndOfSpeech)
{
    h.find<QCheckBox>("Spkch")->setChecked(true);
    h.speech.utteranceMs = 800;
    const qint64 startedAt = h.clock.nowMs();
    start();
    h.timers.advance(1); // the item shows and is spoken until 801 ms
    EXPECT_EQ(h.clock.nowMs() - startedAt, 801);
    h.timers.advance(1499);
    EXPECT_EQ(label2(), "");
    h.timers.advance(1);
    EXPECT_EQ(label2(), QStringLiteral("りんご"));
}

TEST_F(SpeechInStudy, RepeatSuspendsTheRunningPhaseOrLeavesAPauseAlone)
{
    auto* repeat = h.find<QToolButton>("testvoice");
    repeat->click(); // nothing loaded on screen yet: nothing to say
    EXPECT_TRUE(h.speech.spoken.isEmpty());

    h.speech.utteranceMs = 1000;
    start();
    h.timers.advance(1);
    h.timers.advance(500);
    repeat->click(); // 1000 ms of speech, then the remaining 1000 ms of the phase
    EXPECT_EQ(h.speech.spoken, QStringList {"apple"});
    EXPECT_TRUE(h.form().study().timer().isEnabled());
    h.timers.advance(999);
    EXPECT_EQ(label2(), "");
    h.timers.advance(1);
    EXPECT_EQ(label2(), QStringLiteral("りんご"));

    h.find<QToolButton>("Fteisibtn")->click();
    repeat->click();
    EXPECT_EQ(h.speech.spoken.size(), 2);
    EXPECT_TRUE(h.action("mteisi")->isChecked());
    EXPECT_FALSE(h.form().study().timer().isEnabled());
}

TEST_F(SpeechInStudy, GetListPronounceSpeaksTheSelectedEntry)
{
    start();
    h.timers.advance(1);
    h.find<QToolButton>("listmaru")->click();
    h.action("mlisthatuon")->trigger();
    EXPECT_EQ(h.speech.spoken, QStringList {"apple"});
}

// A user who never chose a voice hears English: American, then British, then any; by
// locale, or by name where the engine gives none (speech-dispatcher's espeak-ng voices).
TEST(SpeechVoices, TheVoiceNeverChosenIsEnglish)
{
    const QLocale c = QLocale::c();
    struct Case {
        QStringList names;
        QList<QLocale> locales;
        int expected;
    };
    const Case cases[] = {
        {{"Bishnupriya Manipuri", "Chinese (Mandarin, latin as English)", "English (Caribbean)",
             "English (Great Britain)", "English (America)", "English (America)+Adam"},
            {c, c, c, c, c, c}, 4},
        {{"Bishnupriya Manipuri", "English (Caribbean)", "English (Great Britain)"}, {c, c, c}, 2},
        {{"Bishnupriya Manipuri", "English (Caribbean)"}, {c, c}, 1},
        // speech-dispatcher files every English voice under en-US.
        {{"English (Caribbean)", "English (Scotland)", "English (America)"},
            {QLocale("en_US"), QLocale("en_US"), QLocale("en_US")}, 2},
        {{"Anna", "Kate", "Alex"}, {QLocale("de_DE"), QLocale("en_GB"), QLocale("en_US")}, 2},
        {{"Anna", "Kate"}, {QLocale("de_DE"), QLocale("en_AU")}, 1},
        {{"Anna", "Kyoko"}, {QLocale("de_DE"), QLocale("ja_JP")}, 0},
        {{}, {}, 0},
    };
    for (const Case& k : cases)
        EXPECT_EQ(englishVoice(k.names, k.locales), k.expected) << k.names.join(u'|').toStdString();
    // The list says a voice's language where the engine gives one.
    EXPECT_EQ(voiceLabel("Alex", QLocale("en_US")), "Alex (en-US)");
    EXPECT_EQ(voiceLabel("English (America)", c), "English (America)");
    EXPECT_EQ(voiceLabel("English (Caribbean)", QLocale("en_US")), "English (Caribbean)");
}

TEST(SpeechVoices, AVoiceListThatArrivesLateSelectsTheStoredChoice)
{
    Form1Harness h;
    SettingsStore::WriteValue("1", "VOICECHARA", "PR", h.settingsPath());
    h.speech.starting = true;
    h.start();
    // Start-up applied the stored index although the list was not known yet.
    EXPECT_EQ(h.form().state().options.voiceIndex, 1);
    EXPECT_EQ(SettingsStore::ReadValue("VOICECHARA", "PR", h.settingsPath()), "1");
    h.speech.starting = false;
    h.speech.onVoicesKnown(h.speech.voiceList);
    EXPECT_EQ(h.form().state().options.voiceIndex, 1);
    auto* voices = h.form().properties().findChild<QComboBox*>("VoiceCB");
    EXPECT_EQ(voices->count(), 2);
    EXPECT_EQ(voices->currentText(), "Voice B");
}
