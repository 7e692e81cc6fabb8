#pragma once

#include "common/apperror.h"
#include "problemdata/problemloader.h"
#include "problemdata/problemset.h"
#include "problemdata/range.h"

#include <functional>

class QMainWindow;

namespace keruna {

class MainMenus;
class Platform;
struct MainControls;

// Steps of opening and loading that belong to other parts of the main screen. Each
// is called at its place in the sequence; an unset step does nothing.
struct ProblemHooks {
    std::function<bool()> testActive; // a test is running
    // Asked before the user's open replaces the list; false: the user stays.
    std::function<bool()> mayReplaceList;
    // End a running test, and release a finished one's results, before a user's open loads.
    std::function<void()> takeDownTestDisplay;
    std::function<void()> resetPresentationPosition; // the next ascending item is item 1
    std::function<void()> applyProperties; // put the properties dialog's options in force
    std::function<void()> refillDatabaseScreen; // when it is shown and no test runs
    std::function<void()> stopIdleAnimation;
    std::function<void()> restoreItemFrameColour; // the item frame shows the background again
    std::function<void()> clearGetList; // empty the GET list and refresh its count
    std::function<void()> resetGetTestDisplay; // when a GET test was running
    std::function<void()> rebuildTestHeading; // while a test is active
    std::function<bool()> toolWindowShown; // an always-on-top tool window is shown
    std::function<void()> raiseToolWindows; // put those windows back on top
    std::function<bool()> alwaysOnTop; // the main window is kept on top by the user's choice
    std::function<void(const QString&)> setToolWindowCaption; // the external GET screen
    // The loaded list's memorized items due for review today, from the review log.
    std::function<void(ProblemSet&)> markDue;
    // Waits for a schedule still being made off the user-interface thread.
    std::function<void()> awaitDue;
};

// Opening a word list, loading it, the question range and the window title.
class ProblemController {
public:
    ProblemController(QMainWindow& window, Platform& platform, MainControls& controls,
        MainMenus& menus, ProblemSet& set, RangeState& range, ProblemHooks hooks);

    // The whole open sequence: dialog, check, clear, load. A cancelled or refused open
    // leaves everything loaded as it was.
    void OpenProblemFile();
    // Loads a file the program chose (a list just saved); errors are shown. A test's
    // results stay.
    bool openChosenFile(const QString& path);
    // Opens a file the user named outside the open dialog (the command line, a drop): the
    // open sequence's check and load, and its errors.
    bool openGivenFile(const QString& path);

    void ClearProblemSet();
    // Empties the set, reads the current file again and redoes the range choice. A file
    // that lost all its items loads as an empty list.
    Result<bool> ReloadProblemFile();

    void SelectRange(RangeFilter range);
    // The combo box or a range menu item was chosen.
    void rangeChosen(RangeFilter range);
    // The combo box and the range menu show the range in force again (a choice not taken).
    void showRangeInForce();
    void UpdateTitle();

    const QString& chosenFileName() const { return m_chosenFileName; }
    const QString& editCommandPath() const { return m_editPath; }
    const QString& fileFolder() const { return m_fileFolder; }

private:
    std::optional<AppError> loadChosenFile(const QString& path, bool userOpen);
    void afterLoad();
    void disableItemActions();
    void restoreTopmost(bool raised);
    void call(const std::function<void()>& step) const
    {
        if (step)
            step();
    }

    QMainWindow& m_window;
    Platform& m_platform;
    MainControls& m_controls;
    MainMenus& m_menus;
    ProblemSet& m_set;
    RangeState& m_range;
    ProblemHooks m_hooks;
    QString m_chosenFileName; // what the open dialog holds; the loader reads this file
    QString m_editPath; // the file the editor command opens
    QString m_fileFolder;
};

// The range menu item of a range.
QString rangeMenuName(RangeFilter range);

} // namespace keruna
