#pragma once

#include <QString>
#include <QStringList>

namespace keruna {

// Text-to-speech as the program uses it: a voice list in the engine's order, and an
// utterance that returns when it has been spoken (the window keeps processing events
// meanwhile). Without an engine or a voice, speaking does nothing and returns at once.
class SpeechOutput {
public:
    virtual ~SpeechOutput() = default;
    virtual QStringList voices() = 0;
    virtual void speak(const QString& text, int voiceIndex) = 0;
};

class SilentSpeech final : public SpeechOutput {
public:
    QStringList voices() override { return {}; }
    void speak(const QString&, int) override { }
};

} // namespace keruna
