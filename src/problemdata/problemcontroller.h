#pragma once

#include "common/apperror.h"
#include "problemdata/problemloader.h"
#include "problemdata/problemset.h"
#include "problemdata/problemview.h"
#include "problemdata/range.h"

#include <QCoreApplication>

namespace keruna {

// Opening a word list, loading it, the question range and the window title.
class ProblemController {
    Q_DECLARE_TR_FUNCTIONS(ProblemController)

public:
    ProblemController(ProblemView& view, ProblemSet& set, RangeState& range);

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
    // The range box and the range menu show the range in force again (a choice not taken).
    void showRangeInForce();
    void UpdateTitle();

    const QString& chosenFileName() const { return m_chosenFileName; }
    const QString& editCommandPath() const { return m_editPath; }
    const QString& fileFolder() const { return m_fileFolder; }

private:
    std::optional<AppError> loadChosenFile(const QString& path, bool userOpen);
    void afterLoad();

    ProblemView& m_view;
    ProblemSet& m_set;
    RangeState& m_range;
    QString m_chosenFileName; // what the open dialog holds; the loader reads this file
    QString m_editPath; // the file the editor command opens
    QString m_fileFolder;
};

} // namespace keruna
