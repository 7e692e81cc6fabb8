#pragma once

#include "speech/speechoutput.h"

#include <QList>
#include <QLocale>
#include <QObject>
#include <QThread>

#include <memory>

class QEventLoop;

namespace keruna {

// A voice as the properties list shows it: its name, and its language where the engine
// gives one.
QString voiceLabel(const QString& name, const QLocale& locale);
// The voice for a user who never chose one: the first American English voice, else the
// first British, else any English one (by locale, or by name where the engine gives no
// locale), else the first.
int englishVoice(const QStringList& names, const QList<QLocale>& locales);

class SpeechWorker;

// Qt TextToSpeech behind the speech seam. One long-lived engine (some backends crash when
// engines come and go) lives in a thread of its own, because starting it can take two
// seconds (speech-dispatcher) and must never hold up the first window.
class QtSpeech final : public QObject, public SpeechOutput {
public:
    explicit QtSpeech(QObject* parent = nullptr);

    // Starts the engine in its thread. The program does this once its window is painted;
    // speaking before then starts it too.
    void startEngine();
    ~QtSpeech() override;

    std::optional<QStringList> voices() override;
    // Speaks and returns when the utterance has finished, processing events meanwhile.
    // An utterance that has not finished after 3 s plus 200 ms a character is stopped,
    // so a failing audio device cannot freeze the program.
    void speak(const QString& text, int voiceIndex) override;
    void stop() override;
    int firstEnglishVoice() const override { return m_firstEnglish; }

    // How the last utterance ended: true when the engine reported it finished.
    bool lastUtteranceFinished() const { return m_lastFinished; }
    // Waits (processing events) until the engine has started; false after the timeout.
    bool waitUntilReady(int timeoutMs);

private:
    QThread* m_thread = nullptr; // left running (and leaked) if the engine hangs at exit
    SpeechWorker* m_worker = nullptr; // lives in m_thread
    bool m_started = false;
    bool m_ready = false;
    QStringList m_voices;
    int m_firstEnglish = 0;
    bool m_lastFinished = false;
    QEventLoop* m_speaking = nullptr; // the wait of the utterance being spoken
};

} // namespace keruna
