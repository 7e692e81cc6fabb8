#pragma once

#include "problemdata/range.h"
#include "ui/platform.h"

#include <QString>

#include <optional>

namespace keruna {

struct ProblemSet;

// What the learner sees of opening a word list and choosing its range, and what the rest
// of the program does around a load, in the controller's words. The main screen
// implements it; the controller knows no widget.
class ProblemView {
public:
    virtual ~ProblemView() = default;

    // The open dialog; nullopt when cancelled.
    virtual std::optional<QString> chooseListFile(const OpenFileRequest& request) = 0;
    virtual void tell(const QString& text, MessageIcon icon) = 0;
    // Dialogs must come above the always-on-top tool windows: true when the main window
    // was raised for one, to be settled again after it.
    virtual bool raiseAboveToolWindows() = 0;
    virtual void settleAfterRaise() = 0;

    virtual void showTitle(const QString& caption) = 0;
    // The range menu with exactly checked checked, and the range box at boxIndex, without
    // choosing anything.
    virtual void showRange(std::optional<RangeFilter> checked, int boxIndex) = 0;
    virtual void showCheckAllPicture() = 0; // the GET list's check-all, not its uncheck-all
    virtual void hideItemPictures() = 0;
    virtual void lockItemButtons() = 0; // ○, the typing box and skip wait for an item

    // The rest of the program around a load.
    virtual bool testActive() const = 0;
    // Asked before the user's open replaces the list; false: the user stays.
    virtual bool mayReplaceList() = 0;
    // A running test ends and a finished one's results go, before a user's open loads.
    virtual void takeDownTestDisplay() = 0;
    virtual void restartFromFirstItem() = 0;
    virtual void applyProperties() = 0; // the properties dialog's options in force
    virtual void refillDatabaseScreen() = 0; // when it is shown and no test runs
    virtual void stopIdleAnimation() = 0;
    virtual void restoreItemFrameColour() = 0;
    virtual void clearGetList() = 0;
    virtual void resetGetTestDisplay() = 0;
    virtual void rebuildTestHeading() = 0; // while a test is active
    // The loaded list's memorized items due for review today, from the review log; and
    // the wait for a schedule still being made off the user-interface thread.
    virtual void markDue(ProblemSet& set) = 0;
    virtual void awaitDue() = 0;
};

} // namespace keruna
