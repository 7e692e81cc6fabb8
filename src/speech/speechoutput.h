#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace keruna {

// Text-to-speech as the program uses it: a voice list in the engine's order, and an
// utterance that returns when it has been spoken (the window keeps processing events
// meanwhile). Without an engine or a voice, speaking does nothing and returns at once.
class SpeechOutput {
public:
    virtual ~SpeechOutput() = default;
    // The installed voices; nullopt while the engine is still starting.
    virtual std::optional<QStringList> voices() = 0;
    virtual void speak(const QString& text, int voiceIndex) = 0;
    // Cuts the utterance being spoken short: speak() returns at once.
    virtual void stop() { }
    // The voice for a user who never chose one: the first English voice of the list, or 0.
    virtual int firstEnglishVoice() const { return 0; }
    // Called (on the user-interface thread) once the voice list is known.
    std::function<void(const QStringList&)> onVoicesKnown;
};

class SilentSpeech final : public SpeechOutput {
public:
    std::optional<QStringList> voices() override { return QStringList(); }
    void speak(const QString&, int) override { }
};

} // namespace keruna
