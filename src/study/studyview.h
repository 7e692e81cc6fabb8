#pragma once

#include "study/itemtext.h"
#include "ui/platform.h"

#include <QString>

namespace keruna {

// What the learner sees of study and chooses for it, in the study engine's words. The main
// screen implements it; the engine knows no widget. A test engine's unit test implements
// it with a recording of what was shown.
class StudyView {
public:
    virtual ~StudyView() = default;

    // The learner's choices as they stand on the screen.
    virtual bool paused() const = 0;
    virtual bool timeLag() const = 0; // the answer alone, after the question has gone
    virtual bool showTogether() const = 0; // question and answer from the start
    virtual bool typingOn() const = 0;
    virtual bool reversed() const = 0;
    virtual bool randomOrder() const = 0;
    virtual MeaningLimit meaningLimit() const = 0;
    virtual bool timerBarOn() const = 0;
    // Speech: on at all, and when: with the question, with the answer, or with whichever
    // column is the word (the question unless reversed).
    virtual bool speechOn() const = 0;
    virtual bool speaksWithQuestion() const = 0;
    virtual bool speaksWithAnswer() const = 0;
    virtual bool speaksTheWord() const = 0;
    virtual QString typedSpeed() const = 0; // the typed speed box as typed
    virtual QString speedChoice(int index) const = 0; // the speed box's item
    // Where the item is shown besides the card.
    virtual bool getPanelShown() const = 0;
    virtual bool stickShown() const = 0;
    virtual bool focusScreen() const = 0;
    virtual bool minimized() const = 0;

    // The card, and what was typed shown in place of its answer (or after the question).
    virtual void showCard(const QString& question, const QString& answer) = 0;
    virtual void showQuestion(const QString& text) = 0;
    virtual void showAnswer(const QString& text) = 0;
    virtual void echoTyped(bool inQuestion, const QString& text) = 0;
    virtual void showStickText(const QString& text) = 0;
    virtual void showStickCaption(const QString& caption) = 0;
    virtual void showMinimizedCaption(const QString& text) = 0;
    // The item's number on the card's corner, or on the GET panel.
    virtual void showNumber(const QString& text) = 0;
    virtual void showGetPanelNumber(const QString& text) = 0;
    virtual void refreshFocusLayout() = 0;
    virtual void applyFontLayout() = 0;
    // The GET panel: its hint under the list, or the GET test's marker with its first item.
    virtual void showGetHint(bool shown) = 0;
    virtual void showGetTestMarker(bool firstItem) = 0;
    virtual void getPanelChanged() = 0;

    // The controls of study.
    virtual void enableStudyChoices() = 0; // the range and the database once study starts
    virtual void showPaused(bool paused) = 0;
    virtual void showSpeedInMenu(int index) = 0; // -1: none (a typed speed)
    virtual void showSpeedInBox(int index) = 0;
    virtual void showTypedSpeed(const QString& seconds) = 0;
    virtual void resetTypingBox() = 0; // empty, enabled, focused when shown
    virtual void clearTypingBox() = 0;
    virtual void showTypingTaken() = 0; // the item was taken: its mark in the box
    virtual void enableItemButtons() = 0;
    // ○, the typing box and skip locked; skip stays when it is what moves on.
    virtual void lockItemButtons(bool skipStays) = 0;
    virtual void lockSkip() = 0;
    virtual void tell(const QString& text, MessageIcon icon) = 0;

    // The timer bar of the running phase.
    virtual void startTimerBar() = 0;
    virtual void stopTimerBar() = 0;
    virtual void holdTimerBar() = 0;
    virtual void resumeTimerBar() = 0;

    // The rest of the program around study.
    virtual void openList() = 0;
    // Asked before Start lets a finished test's results go; false: the user stays.
    virtual bool mayReleaseResults() = 0;
    virtual bool inGetList(const QString& item) const = 0;
    virtual int getListCount() const = 0;
    virtual void appendToGetList() = 0; // the item on show
    virtual void endGetTest() = 0; // the GET test has shown its last item
    virtual void showGetListOnFirstStart() = 0;
    virtual void restoreStudyState() = 0; // after a test: the reset of opening a file
    virtual void applyStudyGuidance() = 0;
    virtual void clearHandwriting() = 0;
    virtual void speakItem() = 0; // returns when the utterance has finished
    // The learner's running time: Start and resume (true), pause (false); and each item
    // put on show.
    virtual void runningChanged(bool running) = 0;
    virtual void itemShown() = 0;
};

} // namespace keruna
