#pragma once

#include "common/result.h"
#include "study/itemtext.h"
#include "study/studyitem.h"
#include "study/studyview.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>

namespace keruna {

struct TypedSpeed;

class Clock;
class EngineTimer;
class RandomSource;
class TimerFactory;
struct MainState;
struct ProblemSet;
struct RangeState;

enum class StudyPhase { AwaitItem, AwaitAnswer };

// The presentation engine's state.
struct StudySession {
    StudyPhase phase = StudyPhase::AwaitItem;
    int n = 0; // current position in the range list, 1-based; 0 before the first item
    int N = 0; // entries of the range list
    QString currentLine;
    QString previousLine;
    ItemText item;
    QString stickText;
    QString joiner;
    double timePerItem = 2000; // ms
    bool perSecondMode = false; // typed speeds above 65 s: phases counted in 1 s ticks
    double tickLimit = 0;
    int tickCount = 0;
    double intervalMs = 0;
    double phaseStart = 0; // seconds since midnight
    double pausedElapsed = 0; // seconds
    double remainingMs = 0;
    bool started = false;
    bool getTestRunning = false;
    QStringList getTestOrder; // the GET test's records, shuffled
    bool getHintShown = false;
    bool answerOnDemand = false; // the GET ○ button revealed the answer
    bool itemReversed = false; // the orientation the current item was prepared in
    StudyItemState itemState; // the item on show: taken, skipped, its answer fetched
};

// Timed flash cards: question first, the answer after its share of the period, in
// random or ascending order; items in the GET list are skipped.
class StudyEngine {
    Q_DECLARE_TR_FUNCTIONS(StudyEngine)

public:
    struct Context {
        const ProblemSet& set;
        const RangeState& range;
        MainState& state;
        Clock& clock;
        TimerFactory& timers;
        RandomSource& random;
    };

    StudyEngine(Context context, StudyView& view);
    ~StudyEngine();

    StudySession& session() { return m_s; }
    const StudySession& session() const { return m_s; }
    // What the engine acts on; the GET test acts on the same, and a test shows its card
    // through the same view.
    const Context& context() const { return m_ctx; }
    StudyView& view() const { return m_view; }
    EngineTimer& timer() { return *m_timer; }
    // The timer that pause, resume and the repeat button act on: Timer3 in study, a test's
    // own timer while it runs.
    EngineTimer& currentTimer() { return *m_current; }
    void setCurrentTimer(EngineTimer& timer) { m_current = &timer; }

    void StartStudy();
    void StudyTick();
    // A command of the user. While a tick waits for speech it is held until the tick
    // ends, so that the tick cannot overwrite the phase and timer the command sets.
    void userCommand(std::function<void()> command);
    // The length of the running phase for the timer bar; 0 while the item is being
    // spoken, since the phase is timed from the end of speech.
    double phaseIntervalMs() const;
    // Empties, enables and focuses the typing box for a new item.
    void ResetTypingBox();
    void PauseStudy();
    void ResumeStudy();
    void togglePause();
    bool paused() const;
    // A speed menu item (index into the seconds list) or the speed box.
    void SelectSpeed(int index);
    // While a test runs the speed menu sets the test's seconds box instead.
    std::function<void(const QString& seconds)> testSpeedChosen;
    void speedBoxChosen(int index);
    // The next ascending item is item 1.
    void restartFromFirst() { m_s.n = 0; }
    // Reveals the answer of the current item (the answer phase, or on demand).
    void ShowAnswer();
    // The GET ○ button: take the item (and show its answer and move on with MARUNEXT).
    void addCurrentItem();
    // Skip to the next item.
    void SkipItem();
    // An event of the item on show; false when it means nothing to the item now.
    bool itemEvent(StudyItemEvent event);
    // Takes the current item as the step says: locks its buttons, adds it to the GET list,
    // moves on.
    void AcceptItem(StudyItemEvent event, const StudyItemStep& step);
    bool itemCurrent() const { return m_s.n > 0 && !m_s.currentLine.isEmpty(); }
    // The record of the item on show, marks and all, as the range (or the GET test's
    // shuffled copy of it) lists it; empty before the first item.
    QString currentRecord() const;
    // The item on show was taken (○) or skipped.
    bool itemTaken() const
    {
        return m_s.itemState.stage == StudyItemStage::Kept
            || m_s.itemState.stage == StudyItemStage::MovingOn;
    }
    // The typing row's answer button: the answer shows for a second, and a typed answer
    // no longer counts.
    void showAnswerByTab();
    // Every change of the typing box: the echo, and an exact answer accepts the item.
    void typedTextChanged(const QString& text);
    // Shows typed text beside the question (SCREENTEXT), on the main screen and the strip.
    void echoTypedText(const QString& text);
    // The item's buttons and typing box ready for a new item, or disabled once it was taken.
    void EnableItemButtons();
    void DisableItemButtons();
    // The item's buttons and typing box locked; skip too unless it is what moves on.
    void lockItemButtons(bool skipStays);
    // Writes the item number where the current view shows it.
    void ItemNumberText();

    // Interval helpers, shared with the test engines (which pass their own timer).
    void SetQuestionInterval(EngineTimer& timer);
    void SetAnswerInterval(EngineTimer& timer);
    void ApplyInterval(EngineTimer& timer);
    // Per-second mode: true when the tick goes on to show.
    bool CountLongTick();
    // A typed speed in force: one tick a second above 65 s, else the period itself.
    void applyTypedSpeed(const TypedSpeed& speed);

    // The repeat button: the running phase stops while speak() says the item, then goes
    // on for the time it had left; what the user does meanwhile follows it.
    void repeatSpeech(const std::function<void()>& speak);

    // Runs work (which speaks, processing events) holding the user's commands until it
    // has finished. Test ticks speak too, and hold commands the same way.
    void holdCommandsDuring(const std::function<void()>& work);
    // The pause and resume buttons (and the pause menu's tick) for a paused or running
    // presentation.
    void setPausedControls(bool paused);
    // Shows a text on the stick strip when it is shown, and as the caption of a minimised
    // main window.
    void showStick(const QString& text);
    // The menu-chosen limit on meanings, for preparing an item's text.
    MeaningLimit meaningLimit() const;

private:
    bool hasFile() const;
    void runTick();
    void suspendForSpeech();
    void resumeAfterSpeech();
    // Whether the item is spoken when the given phase's tick shows it.
    bool speaksIn(StudyPhase phase) const;
    int questionShare() const;
    QString rangeEntryText(int n) const;
    bool TakeUpNextItem();
    bool takeUpGetTestItem();
    // Prepares currentLine as the item shown now; false (the error reported) when it fails.
    bool prepareCurrentItem();
    void reportStepError(const AppError& error);
    // Stops the timer, keeping what is left of the phase; and starts it for that time.
    void holdPhase();
    void continuePhase();
    void showLabels(const QString& first, const QString& second);
    // Says the item and times the next phase of timer from the end of the utterance.
    void speakThenCount(EngineTimer& timer);

    Context m_ctx;
    StudyView& m_view;
    StudySession m_s;
    std::unique_ptr<EngineTimer> m_timer; // Timer3
    EngineTimer* m_current = nullptr;
    std::unique_ptr<EngineTimer> m_answerClear; // kotaekesitimer
    bool m_inTick = false;
    bool m_holding = false; // a tick or the repeat button is speaking
    std::deque<std::function<void()>> m_heldCommands;
    EngineTimer* m_suspended = nullptr; // the timer the repeat button stopped
};

} // namespace keruna
