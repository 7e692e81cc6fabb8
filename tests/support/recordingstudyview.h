#pragma once

// A study view that writes down what the learner would see, in order, for engine tests
// without widgets. The choices it reports are plain fields a test sets.
#include "common/random.h"
#include "study/studyview.h"

#include <QStringList>

namespace keruna::test {

// Draws the first of everything: a random order an engine test can foresee.
class FirstRandom final : public RandomSource {
public:
    double nextUnit() override { return 0; }
};

class RecordingStudyView final : public StudyView {
public:
    QStringList seen; // what the learner saw, in order
    bool isPaused = false;
    bool timerBar = false;
    QStringList getList;

    bool paused() const override { return isPaused; }
    bool timeLag() const override { return false; }
    bool showTogether() const override { return false; }
    bool typingOn() const override { return false; }
    bool reversed() const override { return false; }
    bool randomOrder() const override { return false; }
    MeaningLimit meaningLimit() const override { return MeaningLimit::Whole; }
    bool timerBarOn() const override { return timerBar; }
    bool speechOn() const override { return false; }
    bool speaksWithQuestion() const override { return false; }
    bool speaksWithAnswer() const override { return false; }
    bool speaksTheWord() const override { return false; }
    QString typedSpeed() const override { return {}; }
    QString speedChoice(int) const override { return {}; }
    bool getPanelShown() const override { return false; }
    bool stickShown() const override { return false; }
    bool focusScreen() const override { return false; }
    bool minimized() const override { return false; }

    void showCard(const QString& q, const QString& a) override { seen << "card " + q + '|' + a; }
    void showQuestion(const QString& text) override { seen << "question " + text; }
    void showAnswer(const QString& text) override { seen << "answer " + text; }
    void echoTyped(bool, const QString&) override { }
    void showStickText(const QString&) override { }
    void showStickCaption(const QString&) override { }
    void showMinimizedCaption(const QString&) override { }
    void showNumber(const QString& text) override { seen << "number " + text; }
    void showGetPanelNumber(const QString&) override { }
    void refreshFocusLayout() override { }
    void applyFontLayout() override { }
    void showGetHint(bool) override { }
    void showGetTestMarker(bool) override { }
    void getPanelChanged() override { }
    void enableStudyChoices() override { }
    void showPaused(bool p) override
    {
        isPaused = p;
        seen << (p ? "paused" : "running");
    }
    void showSpeedInMenu(int) override { }
    void showSpeedInBox(int) override { }
    void showTypedSpeed(const QString&) override { }
    void resetTypingBox() override { }
    void clearTypingBox() override { }
    void showTypingTaken() override { }
    void enableItemButtons() override { }
    void lockItemButtons(bool) override { }
    void lockSkip() override { }
    void tell(const QString& text, MessageIcon) override { seen << "tell " + text; }
    void startTimerBar() override { seen << "bar"; }
    void stopTimerBar() override { }
    void holdTimerBar() override { }
    void resumeTimerBar() override { }
    void openList() override { seen << "open"; }
    bool mayReleaseResults() override { return true; }
    bool inGetList(const QString& item) const override { return getList.contains(item); }
    int getListCount() const override { return int(getList.size()); }
    void appendToGetList() override { }
    void endGetTest() override { }
    void showGetListOnFirstStart() override { }
    void restoreStudyState() override { }
    void applyStudyGuidance() override { }
    void clearHandwriting() override { }
    void speakItem() override { }
    void runningChanged(bool) override { }
    void itemShown() override { }
};

} // namespace keruna::test
