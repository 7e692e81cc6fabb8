#pragma once

#include "common/apperror.h"
#include "problemdata/range.h"
#include "quiz/testitem.h"
#include "quiz/testtypes.h"
#include "quiz/testview.h"
#include "study/studyengine.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace keruna {

// A test's own state. The item number, the phase (answerPending) and the current item are
// the presentation engine's, which the test shares; where the item stands is the engine's
// TestItemState.
struct TestSession {
    bool listening = false; // 聞取モード: the question is heard, not shown
    bool randomOrder = true;
    int correctCount = 0;
    int wrongCount = 0;
    bool stopRequested = false; // syuuryoucheck
    RangeFilter range = RangeFilter::All; // the range the test runs over
    int itemTotal = 0; // records in that range when the test started
    QString resultTitle;
    QStringList order; // the records in test order
    QList<int> orderLines; // the file line of each, so that a result save marks that line
    int lowest = 0; // number test bounds
    int highest = 1000;
    std::optional<int> number; // the number drawn last
    // The main screen's study options, put back when the test ends.
    bool savedRandom = true;
    bool savedReverse = false;
    bool savedSpeech = false;
};

// The test engine: automatic and manual tests over the question range, and the number
// listening test. Driven by its timers and the main screen's buttons on the UI thread.
class TestEngine {
    Q_DECLARE_TR_FUNCTIONS(TestEngine)

public:
    // Acts on the presentation engine's state and seams, and shares its session and its
    // view (the card); shows the rest of a test through view.
    TestEngine(StudyEngine& study, TestView& view, QString settingsPath);
    ~TestEngine();

    TestSession& session() { return m_t; }
    const TestSession& session() const { return m_t; }
    const TestItemState& item() const { return m_item; }
    bool running() const;
    TestKind kind() const;
    EngineTimer& stepTimer() { return *m_timer6; }
    EngineTimer& numberTimer() { return *m_numberTimer; }

    // The set-up dialog's choices, written into the main screen's controls.
    void applyChoice(const TestChoice& choice);
    // Starts the test the main screen's controls describe (after the dialog, the GET list
    // emptied and the database screen closed).
    void begin();
    // Ends the test now (終了), or after its last item.
    void stop();
    void EndTest();
    // Takes down what a finished (or running) test left on the screen and releases its
    // results: opening a file, Start and the next test do this.
    void takeDownTestDisplay();

    // Buttons and keys of a running test.
    void revealAnswer(); // syudouKAKUNIN, or the manual timer bar running out
    void judge(bool correct); // syudouMARU / syudouBATU
    void claim(); // ○: zidouMARU, listmaru
    void SkipItem(); // syudouskip, listSkipbtn
    void showAnswerByTab(); // cuttabc
    void typedTextChanged(const QString& text);
    void applySecondsBox(); // tsecbtn
    void applyNumberBounds(); // ketabotan
    // A click in the GET list: the score follows the checks.
    void getListClicked();
    // The typing mode switched during a test.
    void inputModeChanged(bool typed);
    // The user began to type in a manual test: the timer bar stops counting down.
    void stopCountdown();
    void ComposeScoreText();
    void SetResultTitle();
    // The score recounted from the test list (after the test), for the result view.
    void RecountFromChecks(bool afterTest);

    void layoutInputMode();
    void unlockAfterTest();

private:
    void runHeld(const std::function<void()>& tick);
    // Per-second mode: true when this tick goes on to its step.
    bool countLongTick(EngineTimer& timer, StudyPhase step);
    // A new item starts from a fresh state; the one before must have been finished.
    void startItem();
    // The step timer has run out on the item: false when that ended the test.
    bool finishItem();
    // The one way an event reaches the current item.
    TestItemStep move(TestItemEvent event);
    TestItemFacts facts() const;
    bool taken() const;
    // The item was taken: its controls locked, the judgement recorded, the wait begun.
    void takeItem(TestItemEvent event);
    void startWait();
    void nextManualItem();
    // The next manual item on show (and heard), its time and bar started.
    void askManualItem();
    // An event of a manual item: its judgement recorded where it takes one, then the next.
    void moveManualItem(TestItemEvent event);
    void beginQuestionPhase(EngineTimer& timer, bool speak);
    void automaticTick();
    void numberTick();
    void answerClearTick();
    void showNextAutomaticItem();
    void showAutomaticAnswer();
    void RecordJudgement(bool correct);
    bool AdvanceItem();
    void showQuestion();
    void showTestAnswer(bool accepted);
    void DisableItemButtons();
    void lockForTest();
    void drawNumber();
    void restartActiveTimer(int ms);
    // The timer bar of the running phase, when it is on and the test not paused.
    void startTimerBar();
    void fail(const AppError& error);
    double secondsPerItem() const;

    StudyEngine::Context m_ctx;
    StudyEngine& m_study;
    StudyView& m_card; // the study engine's view: the card, the bar, speech
    TestView& m_view;
    QString m_settingsPath;
    // A test cut short by opening a list or Start: its list is not reloaded nor its
    // results shown, since what comes next replaces them.
    bool m_quietEnd = false;
    TestSession m_t;
    TestItemState m_item;
    std::unique_ptr<EngineTimer> m_timer6; // automatic test steps
    std::unique_ptr<EngineTimer> m_numberTimer; // suuzitimer
    std::unique_ptr<EngineTimer> m_answerClear; // kotaekesitimer
    EngineTimer* m_active = nullptr;
    bool m_inTick = false;
};

} // namespace keruna
