#pragma once

#include "exchange/exportdialog.h"
#include "exchange/importdialog.h"
#include "getlist/getlist.h"
#include "getlist/gettestview.h"
#include "mainscreen/maincontrols.h"
#include "mainscreen/mainstate.h"
#include "problemdata/problemset.h"
#include "problemdata/problemview.h"
#include "problemdata/range.h"
#include "quiz/testtypes.h"
#include "quiz/testview.h"
#include "review/fsrs.h"
#include "review/reviewcache.h"
#include "study/studyview.h"
#include "ui/platform.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QHash>
#include <QMainWindow>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>

namespace keruna {

class Clock;
class MainMenus;
class Platform;
class ProblemController;
class GetList;
class GetTest;
class LayoutController;
class StickController;
class StudyInput;
class TimerBar;
class StudyEngine;
class TestEngine;
class RandomSource;
class SpeechOutput;
class kugirigamen;
struct PropertiesApplied;
struct PropertiesValues;
class TimerFactory;
struct HistoryEvent;
class HistoryFile;
class HistoryRecorder;
class ReviewLog;
class HistoryWindow;

// Where the external GET screen opens: to the right and down of the main window, kept
// on the screen.
QPoint pickgamenPosition(const QRect& main, const QSize& size, const QRect& screen);

// The main window's size as designed, in logical pixels.
inline constexpr QSize kForm1DesignSize(760, 540);

// The seams the main screen is built on; tests pass fakes.
struct AppContext {
    Platform& platform;
    Clock& clock;
    TimerFactory& timers;
    RandomSource& random;
    SpeechOutput& speech;
};

// The main screen. It owns the loaded word list and every option control, and its
// closing ends the program.
class Form1 : public QMainWindow,
              private ProblemView,
              private GetTestView,
              private StudyView,
              private TestView {
    Q_DECLARE_TR_FUNCTIONS(Form1)

public:
    // Builds the screen and runs start-up: placement, choice lists, stored settings and,
    // when they could not all be read, the offer to repair Settei.ini.
    explicit Form1(AppContext context, QWidget* parent = nullptr);
    ~Form1() override;

    const MainControls& controls() const { return m_c; }
    MainMenus& menus() { return *m_menus; }
    ProblemController& problems() { return *m_problems; }
    StudyEngine& study() { return *m_study; }
    TestEngine& test() { return *m_test; }
    GetList& getList() { return *m_getList; }
    GetTest& getTest() { return *m_getTest; }
    LayoutController& layout() { return *m_layout; }
    TimerBar& timerBar() { return *m_timerBar; }
    StickController& stick() { return *m_stick; }
    // The properties dialog, made from the loaded options (read first when they are not).
    kugirigamen& properties();
    bool propertiesLoaded() const { return m_propertiesLoaded != nullptr; }
    const ProblemSet& problemSet() const { return m_set; }
    const RangeState& rangeState() const { return m_range; }
    const MainState& state() const { return m_state; }
    QString settingsPath() const;
    // True when start-up found settings it could not read (the repair was offered).
    bool startupHadFailures() const { return m_startupFailed; }

    // Opens a word list named on the command line or dropped on a window: a path, or a
    // file:// URL. A folder is refused with a message.
    bool openFromOutside(const QString& pathOrUrl);
    // Drops of word lists onto this window (the main screen, the stick strip).
    void acceptDropsOn(QWidget* window);

    // Commands
    void Restart();
    void InitializeSettings();
    bool SaveCurrentSettings();
    // The exit save; when it fails the user hears where and may try again before the
    // program ends.
    void saveSettingsBeforeEnd();
    void ShowProperties();

    // The exit set as the controls hold it now; invalid speed texts are repaired in
    // their controls first.
    ExitSettings collectExitSettings();
    // The test speed and number bounds go back to their defaults when they are not valid.
    void checkTestSettingBoxes();

    // Erases the handwriting palette when it asks to be erased at each new item; set by
    // the palette's wiring.
    std::function<void()> eraseHandwriting;

    // Saving progress into the word list
    // Each true when the file was written.
    bool SaveDatabaseLists(); // DBhozonc
    void SaveGetList(); // listhozon
    void ResetProblemData(); // mondaireset
    bool WriteInPlace();
    bool WriteToChosenFile(); // testHOZON
    void ChooseListFont(); // Fontbtn of the database screen
    // chexp: asks which subset of the database lists to write to a new file, and writes it.
    void ExportDatabaseLists(QWidget* owner, const QString& leftName, const QString& rightName);
    // The entries of the memorized (or correct) and not-yet (or wrong) lists; set by the
    // database screen.
    std::function<QList<ListEntry>(bool memorized)> databaseEntries;
    // Asks overwrite (true) or replace (false); nullopt when cancelled.
    std::function<std::optional<bool>()> chooseSaveMethod;

    // Tests (form1test.cpp)
    // TESTbtn: the set-up dialog, then the test it describes.
    void StartTest();
    // TestListbtn: the test's correct and wrong lists in the database screen.
    void ShowTestResults();
    // After a test's results were saved: the test list and score follow the edited lists.
    void RebuildTestListFromResults();
    // The result view's comment on the test's score.
    void chooseResultComment(class DBgamen& screen);
    // The GET list in its own window (form1external.cpp), and back inside.
    void MoveGetListOut();
    void MoveGetListIn();
    class Pickgamen* externalScreen() const;
    bool externalShown() const;

    // The set-up dialog shown modally over the main screen; nullopt when cancelled.
    std::function<std::optional<TestChoice>(const TestSetupInput&)> chooseTestSetup;

    // 他の形式から読み込む (form1import.cpp): a file of another tool becomes a new word
    // list, saved where the user says and opened. The source file is never written.
    void ImportFromOtherTool();
    // The columns and encoding dialog over the main screen; nullopt when cancelled.
    std::function<std::optional<ImportChoice>(const ImportTable&, const QString& sourceName)>
        chooseImportColumns;
    // 他の形式で書き出す: the open list, or its range, for Anki or Parley.
    void ExportForOtherTool();
    // The format dialog: the list's size, the range's caption and size, the database
    // screen's export subsets (none while it is not shown); nullopt: cancelled.
    std::function<std::optional<ExportChoice>(
        int total, const QString& range, int inRange, const QList<ExportSubsetOption>& subsets)>
        chooseExportFormat;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The dialogs behind chooseImportColumns and chooseExportFormat.
    std::optional<ImportChoice> runImportDialog(const ImportTable& table, const QString& name);
    std::optional<ExportChoice> runExportDialog(
        int total, const QString& range, int inRange, const QList<ExportSubsetOption>& subsets);

    void wireCommands();
    void mirrorCheckBox(class QCheckBox* box, const QString& menuName);
    void placeWindow();
    void runStartup();
    bool readStoredSettings();
    void offerRepair();
    void applyColours();
    void wireLayout();
    void applyPropertiesQuietly();
    PropertiesValues& loadedProperties();
    void putInForce(const PropertiesApplied& applied);
    void wireGetList();
    void appendCurrentItemToGetList();
    void showGetListPopup(const QPoint& at);
    StatisticsRate m_popupRate = StatisticsRate::Forgetting; // as the popup last offered
    void focusGetList() override;
    void SpeakItem();
    void repeatSpeech();
    void chooseSpeakTiming(const QString& menuName);
    void wireSaving();
    void wirePalette(); // the handwriting palette (form1palette.cpp)
    // The palette is shown and asked to stay on top.
    bool paletteOnTop() const;
    // The always-on-top tool windows (stick strip, palette) back above every other window.
    void raiseToolWindows();
    void wireAppearance(); // fonts and colours of 書式 (form1appearance.cpp)
    void wireTools(); // web dictionary, home page, editor, folder, version (form1tools.cpp)
    void wireTests(); // form1test.cpp
    void wireExternalGet(); // form1external.cpp
    // The external screen follows the main screen's controls it copies.
    bool mirrorEvent(QObject* watched, QEvent* event);
    void syncExternal(bool evenHidden = false);
    void resetExternalCheckAll();
    // A drag or drop on a window that takes word lists; true when it was one.
    bool dropEvent(QObject* watched, QEvent* event);
    std::optional<TestChoice> runTestDialog(const TestSetupInput& input);
    // The judged items in the GET list, or the test list behind it once the test ended.
    std::pair<int, int> judgedCounts(bool afterTest) const override;
    // Writes lines to path; false (the user told why) when nothing could be written.
    bool writeSavedLines(const QString& path, const QStringList& lines);
    QList<ListEntry> getEntries() const;
    // The database lists' entries, none before the database screen is set up.
    QList<ListEntry> listEntries(bool memorized) const;
    // The marks of the lists the running save reads.
    MarkTable markTable() const;
    // The running save writes a test's results (from the result view).
    bool savingTestResults() const;
    bool saveBy(SaveRoute route); // false when cancelled or not written
    // The window a save's dialogs belong to.
    QWidget* saveOwner();
    // True (the user was asked) when the loaded file changed on disk and is to be kept.
    bool keepChangesOnDisk();
    // Why the loaded file cannot be saved where it is (gone, or its folder read-only).
    std::optional<QString> cannotSaveInPlace() const;
    // Offers to write lines under another name instead; true when they were written.
    bool saveElsewhere(const QString& why, const QStringList& lines);

    // Unsaved work (form1unsaved.cpp)
public:
    // Before a step that would throw away unsaved database changes or a finished test's
    // results, asks once whether to save them: Yes saves as 保存 does, No lets them go.
    // False when the user chose to stay where they were, or the save did not happen.
    // keepGetList: the GET list outlives a database save made here.
    bool settleUnsavedWork(QWidget* owner, bool keepGetList = false);
    bool settleUnsavedResults(QWidget* owner);
    bool databaseEditsUnsaved() const;
    bool resultsUnsaved() const;

private:
    MessageResult askToSave(QWidget* owner, const QString& text);
    bool databaseScreenMayClose();
    void closeDatabaseScreenQuietly();
    // The screen closed without a question and both lists emptied: a test takes them.
    void closeAndEmptyDatabaseLists();
    bool m_engineTicking = false; // the test engine ticks a right answer's entry
    // The lists differ from what they held when last filled or saved.
    bool listsEdited() const;
    void markListsSettled();
    // Back to what the lists held when filled: the file's records or the test's results.
    void discardListEdits();
    void fillResultListsFromTest();
    bool m_closingDatabaseQuietly = false;

    AppContext m_ctx;
    MainControls m_c;
    std::unique_ptr<MainMenus> m_menus;
    std::unique_ptr<ProblemController> m_problems;
    std::unique_ptr<StudyEngine> m_study;
    std::unique_ptr<TestEngine> m_test;
    std::unique_ptr<GetList> m_getList;
    std::unique_ptr<GetTest> m_getTest;
    std::unique_ptr<LayoutController> m_layout;
    std::unique_ptr<TimerBar> m_timerBar;
    StudyInput* m_input = nullptr; // owned as a child
    std::unique_ptr<StickController> m_stick;
    // The properties as loaded from the PR section; unloaded when the dialog closes, so
    // that the next opening reads the file again.
    std::unique_ptr<PropertiesValues> m_propertiesLoaded;
    std::unique_ptr<kugirigamen> m_properties;
    ProblemSet m_set;
    RangeState m_range;
    MainState m_state;
    bool m_startupFailed = false;
    class Pickgamen* m_external = nullptr; // made on first use, owned as a child window
    bool m_syncing = false;
    bool m_tearingDown = false;
    QSet<QObject*> m_mirrored; // the controls the external screen copies
    bool m_speakOverride = false; // speak m_speakText instead of the current item
    QString m_speakText;

    // Learning history (form1history.cpp)
public:
    HistoryFile& history();
    // Every judged item of every test but the number test, for scheduling reviews.
    ReviewLog& reviews();
    // mrireki (the open list) and the result view's button (the tested list): the history
    // window for that list.
    void showHistory(const QString& list);
    HistoryWindow* historyWindow() const;

private:
    void wireHistory();
    // A save wrote these lines (its marks changed, or it went to another file).
    void recordSave(const QString& path, const QStringList& written);
    void recordGetTest(int got, int total, int shown);
    // The test that just ended, with the options it was started with.
    void recordTest();
    TestChoice m_lastTest;
    QString m_testedList; // the list the last test was taken from
    bool testOrGetTestActive() const;
    void studyRunning(bool running);
    void studyItemShown();
    // The study session that ran since Start or resume ends now (pause, a new list, a
    // test, the end of the program).
    void endStudyRun();
    std::unique_ptr<HistoryFile> m_history;
    std::unique_ptr<ReviewLog> m_reviews;
    std::unique_ptr<HistoryRecorder> m_recorder;
    int m_reviewDamaged = 0; // lines of the review log skipped at the last load
    // The history window's due counts and forecast, for the list it shows.
    void updateReviewForecast(const QString& list);

    // Reviews (form1reviews.cpp). The schedule of the list last loaded is kept, and each
    // load reads only what was appended to the log since; the first load of a list reads
    // the whole log off the user-interface thread, and 【復】 waits for it.
    void scheduleReviewsOf(ProblemSet& set);
    void applyReviewCache(ProblemSet& set);
    void showReviewDaysInDatabase(const QHash<QString, qint64>& days);
    void takeReviewSchedule(); // the background schedule is in
    // The combo box's and the range menu's choice. 【復】 chosen before the schedule is in
    // waits for it, not the user interface: a large log takes a while to read.
    void chooseRange(RangeFilter range);
    ReviewCache m_reviewCache;
    QFutureWatcher<ReviewCache>* m_reviewWatcher = nullptr;
    bool m_reviewChosenEarly = false;

public:
    // Until the schedule being made in the background is in (tests, and 【復】 chosen).
    void awaitReviewSchedule();

private:
    HistoryWindow* m_historyWindow = nullptr; // owned: deleted with the main screen

    // Database screen
public:
    // DBbtn: fills the lists and shows the screen; nothing when it is already shown.
    void openDatabaseScreen();
    // Made on first use; null before.
    class DBgamen* databaseScreen() const;
    class DBgamen& ensureDatabaseScreen();
    // The memorized (or correct) and not-yet (or wrong) lists, kept while the screen is closed.
    class DbListModel& databaseList(bool memorized) const;

private:
    struct DatabaseParts;
    struct DatabasePartsDeleter {
        void operator()(DatabaseParts* parts) const;
    };
    void wireDatabaseScreen();
    void refillDatabaseScreen();
    void showDatabasePopup(bool left, const QPoint& at);
    void speakListText(const QString& text);
    std::unique_ptr<DatabaseParts, DatabasePartsDeleter> m_db;

    // ProblemView (form1problemview.cpp): opening a list and its range on this screen.
    std::optional<QString> chooseListFile(const OpenFileRequest& request) override;
    void tell(const QString& text, MessageIcon icon) override;
    bool raiseAboveToolWindows() override;
    void settleAfterRaise() override;
    void showTitle(const QString& caption) override;
    void showRange(std::optional<RangeFilter> checked, int boxIndex) override;
    void showCheckAllPicture() override;
    void hideItemPictures() override;
    void lockItemButtons() override;
    bool testActive() const override;
    bool mayReplaceList() override;
    void takeDownTestDisplay() override;
    void restartFromFirstItem() override;
    void applyProperties() override;
    void stopIdleAnimation() override;
    void restoreItemFrameColour() override;
    void clearGetList() override;
    void resetGetTestDisplay() override;
    void rebuildTestHeading() override;
    void markDue(ProblemSet& set) override;
    void awaitDue() override;

    // StudyView (form1studyview.cpp): study on this screen. showCard and randomOrder serve
    // the GET test's view too, tell the problem view's.
    bool paused() const override;
    bool timeLag() const override;
    bool showTogether() const override;
    bool typingOn() const override;
    bool reversed() const override;
    MeaningLimit meaningLimit() const override;
    bool timerBarOn() const override;
    bool speechOn() const override;
    bool speaksWithQuestion() const override;
    bool speaksWithAnswer() const override;
    bool speaksTheWord() const override;
    QString typedSpeed() const override;
    QString speedChoice(int index) const override;
    bool getPanelShown() const override;
    bool stickShown() const override;
    bool focusScreen() const override;
    bool minimized() const override;
    void showQuestion(const QString& text) override;
    void showAnswer(const QString& text) override;
    void echoTyped(bool inQuestion, const QString& text) override;
    void showStickText(const QString& text) override;
    void showStickCaption(const QString& caption) override;
    void showMinimizedCaption(const QString& text) override;
    void showNumber(const QString& text) override;
    void showGetPanelNumber(const QString& text) override;
    void refreshFocusLayout() override;
    void applyFontLayout() override;
    void showGetHint(bool shown) override;
    void showGetTestMarker(bool firstItem) override;
    void getPanelChanged() override;
    void enableStudyChoices() override;
    void showPaused(bool isPaused) override;
    void showSpeedInMenu(int index) override;
    void showSpeedInBox(int index) override;
    void showTypedSpeed(const QString& seconds) override;
    void resetTypingBox() override;
    void clearTypingBox() override;
    void showTypingTaken() override;
    void enableItemButtons() override;
    void lockItemButtons(bool skipStays) override;
    void lockSkip() override;
    void startTimerBar() override;
    void stopTimerBar() override;
    void holdTimerBar() override;
    void resumeTimerBar() override;
    void openList() override;
    bool mayReleaseResults() override;
    bool inGetList(const QString& item) const override;
    int getListCount() const override;
    void appendToGetList() override;
    void endGetTest() override;
    void showGetListOnFirstStart() override;
    void restoreStudyState() override;
    void applyStudyGuidance() override;
    void clearHandwriting() override;
    void speakItem() override;
    void runningChanged(bool running) override;
    void itemShown() override;

    // TestView (form1testview.cpp): a test's panel on this screen. judgedCounts and
    // focusGetList are the screen's own.
    bool listeningChosen() const override;
    bool testReversed() const override;
    QString testSeconds() const override;
    QString lowestBound() const override;
    QString highestBound() const override;
    int studySpeedIndex() const override;
    bool typingBoxShown() const override;
    bool typingBoxOpen() const override;
    void showTestChoice(const TestChoice& choice) override;
    void restoreStudyChoices(bool random, bool reverse, bool speech) override;
    void showNumberBounds(const QString& lowest, const QString& highest) override;
    void showTestSeconds(const QString& seconds) override;
    void clearCardAndNumbers() override;
    void alignCardForNumbers(bool numbers) override;
    void layoutTestInputs(TestKind kind, bool typed, bool typingOpen) override;
    void lockStudyControls(bool manual) override;
    void unlockStudyControls() override;
    void showGetListCommands(bool shown) override;
    void enableManualButtons(bool reveal, bool judge) override;
    void enableManualSkip(bool enabled) override;
    void markTypingTaken() override;
    void focusTypingBox() override;
    void showScore(const QString& score, const QString& progress) override;
    void showResultScore(const QString& range, int correct, int wrong, int rate) override;
    void takeDownTestPanel() override;
    void showTestEnded() override;
    void showResultsButton() override;
    void hideTestResults() override;
    void relayout() override;
    bool getListOutside() const override;
    bool appendJudged(const QString& key, bool red, int line) override;
    void checkSelectedGetEntry() override;
    bool testListEmpty() const override;
    void reloadProblemData() override;
    void testEnded() override;
    void clearTestList() override;
    void closeDatabaseScreen() override;
    void showResults() override;
    void showTestGuidance(TestKind kind, bool typed);

    // GetTestView (form1getlist.cpp): the GET test on this screen.
    void showCard(const QString& question, const QString& answer) override;
    bool randomOrder() const override;
    void setOrder(bool random) override;
    void showGetTestRunning(bool running) override;
    void lockOrderAndRange(bool locked) override;
    void showGetTestResult(const std::optional<QString>& text) override;
    void clearGetTestResult() override;
    void hideGetTestPicture() override;
    void mirrorOnExternalScreen() override;
    void reloadKeepingList() override;
    void getTestEnded(int got, int total, int shown) override;
};

} // namespace keruna
