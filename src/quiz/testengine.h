#pragma once

#include "common/apperror.h"
#include "problemdata/range.h"
#include "quiz/testitem.h"
#include "quiz/testtypes.h"
#include "study/studyengine.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMainWindow;

namespace keruna {

class MainMenus;
class Platform;
struct MainControls;

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

// Steps that belong to other parts of the main screen; unset ones do nothing.
struct TestHooks {
    std::function<void()> speakItem; // returns when the utterance has finished
    std::function<void()> startTimerBar;
    std::function<void()> stopTimerBar;
    std::function<void()> eraseHandwriting;
    std::function<void()> applyFontLayout;
    std::function<void()> relayout; // the panels after controls were shown or hidden
    std::function<bool()> stickShown;
    std::function<bool()> getListOutside; // on the external GET screen
    // Appends a judged item to the GET list and selects it; false when it was there already.
    std::function<bool(const QString& key, bool red, bool allowDuplicate, int line)>
        appendToGetList;
    std::function<void()> checkSelectedGetEntry;
    std::function<void()> focusGetList;
    // Checked and unchecked entries of the GET list shown now, or of the test list after
    // the test.
    std::function<std::pair<int, int>(bool afterTest)> judgedCounts;
    std::function<bool()> testListEmpty;
    std::function<void()> reloadProblemData; // the test's list is kept
    std::function<void()> ended; // the test is over, its score final (also one cut short)
    std::function<void()> clearTestList; // the GET list and the test's list behind it
    std::function<void()> closeDatabaseScreen;
    std::function<void()> showResults; // TestListbtn
    std::function<void(const QString&)> scoreShown; // the external screen's result line
    // The score as the database screen's result panel shows it.
    std::function<void(const QString& range, int correct, int wrong, int rate)> showResultScore;
};

// The test engine: automatic and manual tests over the question range, and the number
// listening test. Driven by its timers and the main screen's buttons on the UI thread.
class TestEngine {
    Q_DECLARE_TR_FUNCTIONS(TestEngine)

public:
    // What the test engine acts on: the main screen as it stands, and the seams it shares
    // with the presentation engine, whose session it shares too.
    struct Context {
        QMainWindow& window;
        MainControls& controls;
        MainMenus& menus;
        const ProblemSet& set;
        const RangeState& range;
        MainState& state;
        Platform& platform;
        Clock& clock;
        TimerFactory& timers;
        RandomSource& random;
    };

    TestEngine(StudyEngine& study, Context context, QString settingsPath, TestHooks hooks);
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

    void ApplyTestGuidance();
    void layoutInputMode();
    void enableMainControls();

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
    void setGetButtonsShown(bool shown);
    void DisableItemButtons();
    void disableMainControls();
    void drawNumber();
    void restartActiveTimer(int ms);
    void fail(const AppError& error);
    double secondsPerItem() const;
    QAction* menuEntry(const QString& name) const;

    Context m_ctx;
    StudyEngine& m_study;
    QString m_settingsPath;
    TestHooks m_hooks;
    TestSession m_t;
    TestItemState m_item;
    std::unique_ptr<EngineTimer> m_timer6; // automatic test steps
    std::unique_ptr<EngineTimer> m_numberTimer; // suuzitimer
    std::unique_ptr<EngineTimer> m_answerClear; // kotaekesitimer
    EngineTimer* m_active = nullptr;
    bool m_inTick = false;
};

} // namespace keruna
