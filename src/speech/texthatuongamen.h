#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLineEdit;

namespace keruna {

class HandwritingSurface;
class SpeechOutput;

// The handwriting palette: a tool window to write on with the mouse while studying, and
// to hear a typed English text. It does not block the main screen. Other screens find it
// by its type (findChild), hence a meta-object of its own.
class texthatuongamen : public QWidget {
    Q_OBJECT
public:
    // voiceIndex gives the configured voice at the moment of speaking.
    texthatuongamen(SpeechOutput& speech, std::function<int()> voiceIndex, QWidget* parent);

    // Erasebtn
    void Erase();
    // The engine took up a new item: erase when shown and asked to (Check2).
    void eraseForNewItem();
    // Spkbtn: speaks Text1 with the configured voice, outside the study timing.
    void Speak();

    HandwritingSurface* surface() const { return m_surface; }
    bool alwaysOnTop() const;
    // Check1 was clicked; the owner puts the windows' stacking in order.
    std::function<void(bool)> alwaysOnTopClicked;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SpeechOutput& m_speech;
    std::function<int()> m_voiceIndex;
    HandwritingSurface* m_surface = nullptr;
    QCheckBox* m_autoErase = nullptr;
    QCheckBox* m_onTop = nullptr;
    QLineEdit* m_text = nullptr;
    bool m_speaking = false;
};

} // namespace keruna
