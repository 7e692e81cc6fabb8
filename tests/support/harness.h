#pragma once

#include "app/form1.h"
#include "common/random.h"
#include "speech/speechoutput.h"
#include "support/fakeplatform.h"
#include "support/virtualtime.h"

#include <QAction>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace keruna::test {

// Records utterances; each takes its own duration on the virtual clock.
class FakeSpeech final : public SpeechOutput {
public:
    explicit FakeSpeech(VirtualClock* clock = nullptr)
        : clock(clock)
    {
    }
    std::optional<QStringList> voices() override
    {
        if (starting)
            return std::nullopt;
        return voiceList;
    }
    void speak(const QString& text, int voiceIndex) override
    {
        spoken.append(text);
        voicesUsed.append(voiceIndex);
        if (clock)
            clock->setNowMs(clock->nowMs() + utteranceMs);
        // What the user does while the word is heard (the window keeps processing events).
        if (whileSpeaking) {
            auto once = std::move(whileSpeaking);
            whileSpeaking = nullptr;
            once();
        }
    }

    int firstEnglishVoice() const override { return englishVoice; }
    void stop() override { ++stops; }

    VirtualClock* clock;
    int englishVoice = 0;
    QStringList voiceList {QStringLiteral("Voice A"), QStringLiteral("Voice B")};
    QStringList spoken;
    QList<int> voicesUsed;
    qint64 utteranceMs = 0;
    std::function<void()> whileSpeaking;
    bool starting = false; // the engine has not reported its voices yet
    int stops = 0; // utterances cut short
};

// Writes bytes to a file (made by the test, never by the code under test).
void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);
// Code page 932 bytes of a text, for building Shift-JIS test files.
QByteArray sjis(const QString& text);

// The main screen built offscreen with every fake in place and its own settings folder.
class Form1Harness {
public:
    enum class Settings { Defaults, None };
    explicit Form1Harness(Settings settings = Settings::Defaults);
    ~Form1Harness();

    // Builds the screen (start-up runs now). Queue platform answers before calling it.
    Form1& start();
    Form1& form() { return *m_form; }
    QString folder() const { return m_dir.path(); }
    QString settingsPath() const;
    QString path(const QString& name) const { return m_dir.filePath(name); }

    template <class T> T* find(const QString& name) const { return m_form->findChild<T*>(name); }
    QAction* action(const QString& name) const;

    // Opens a file through the open button, answering the dialog with path.
    void open(const QString& path);

    FakePlatform platform;
    VirtualClock clock;
    VirtualTimerFactory timers {clock};
    StdRandomSource random {12345};
    FakeSpeech speech;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Form1> m_form;
};

} // namespace keruna::test
