#include "problemdata/problemcontroller.h"

namespace keruna {

ProblemController::ProblemController(ProblemView& view, ProblemSet& set, RangeState& range)
    : m_view(view)
    , m_set(set)
    , m_range(range)
{
}

void ProblemController::OpenProblemFile()
{
    if (!m_view.mayReplaceList())
        return;
    const bool raised = m_view.raiseAboveToolWindows();
    OpenFileRequest request;
    request.title = tr("問題データを開いてください");
    request.filter = tr("すべてのファイル(*.*)");
    request.initialFile = m_chosenFileName;
    request.mustExist = true;
    const std::optional<QString> chosen = m_view.chooseListFile(request);
    const std::optional<AppError> error = chosen ? loadChosenFile(*chosen, true) : std::nullopt;
    if (raised)
        m_view.settleAfterRaise();
    if (error)
        m_view.tell(openErrorText(*error), MessageIcon::Error);
}

bool ProblemController::openGivenFile(const QString& path)
{
    if (!m_view.mayReplaceList())
        return false;
    const std::optional<AppError> error = loadChosenFile(path, true);
    if (error)
        m_view.tell(openErrorText(*error), MessageIcon::Error);
    return !error;
}

bool ProblemController::openChosenFile(const QString& path)
{
    const std::optional<AppError> error = loadChosenFile(path, false);
    if (error)
        m_view.tell(openErrorText(*error), MessageIcon::Error);
    return !error;
}

std::optional<AppError> ProblemController::loadChosenFile(const QString& path, bool userOpen)
{
    m_chosenFileName = path;
    Result<ProblemSet> checked = CheckProblemFile(path);
    if (!checked) {
        m_chosenFileName = m_set.path;
        return checked.error();
    }
    ClearProblemSet();
    // A list the user opens replaces a test and its results; a test's own saved file
    // keeps them on screen.
    if (userOpen)
        m_view.takeDownTestDisplay();
    m_set = std::move(checked).value();
    afterLoad();
    return std::nullopt;
}

void ProblemController::ClearProblemSet()
{
    m_set.clearRecords();
    m_range.rangeCount = 0;
    m_view.restartFromFirstItem();
}

Result<bool> ProblemController::ReloadProblemFile()
{
    // The list on screen stays until the file has been read: a file another program
    // renamed or damaged must not leave a path with no records, which a later save would
    // write out as an empty list.
    ProblemSet fresh;
    if (Result<bool> loaded = LoadProblemFile(fresh, m_set.path); !loaded) {
        AppError error = loaded.error();
        error.description += tr("\r\n読み込んであった問題データはそのままです。");
        return error;
    }
    ClearProblemSet();
    m_set = std::move(fresh);
    afterLoad();
    return true;
}

void ProblemController::afterLoad()
{
    // Due items first: the range chosen below may be 【復】.
    m_view.markDue(m_set);
    // A GET test's end keeps 【復】: its items must be known at once.
    if (m_range.keepRange && m_range.current == RangeFilter::Review)
        m_view.awaitDue();
    m_editPath = m_set.path;
    m_fileFolder = folderOf(m_set.path);
    UpdateTitle();
    m_view.applyProperties();
    if (!m_view.testActive())
        m_view.refillDatabaseScreen();
    m_view.stopIdleAnimation();
    m_view.hideItemPictures();
    m_view.restoreItemFrameColour();
    if (!m_range.keepRange) {
        m_view.clearGetList();
        SelectRange(initialRange(m_set));
    }
    m_range.keepRange = false;
    m_view.resetGetTestDisplay();
    if (m_range.current)
        m_range.rangeCount = rangeCountOf(m_set, *m_range.current);
    if (m_view.testActive())
        m_view.rebuildTestHeading();
    m_view.lockItemButtons();
}

void ProblemController::rangeChosen(RangeFilter range)
{
    if (m_set.path.isEmpty())
        return;
    if (range == RangeFilter::Review)
        m_view.awaitDue();
    SelectRange(range);
}

void ProblemController::showRangeInForce()
{
    m_range.restoring = true;
    m_view.showRange(m_range.current, m_range.previousIndex);
    m_range.restoring = false;
}

void ProblemController::SelectRange(RangeFilter range)
{
    switch (m_range.decide(m_set, range)) {
    case RangeDecision::Ignore:
        return;
    case RangeDecision::Refuse: {
        m_view.tell(rangeEmptyMessage(range), MessageIcon::Information);
        showRangeInForce();
        return;
    }
    case RangeDecision::Select:
        break;
    }
    m_view.showCheckAllPicture();
    // The range box follows the choice without choosing again.
    m_view.showRange(range, int(range));
    m_range.current = range;
    UpdateTitle();
    m_range.rangeCount = rangeCountOf(m_set, range);
    m_view.restartFromFirstItem();
    m_view.lockItemButtons();
    if (!m_range.keepRange)
        m_view.clearGetList();
    m_range.previousIndex = int(range);
}

void ProblemController::UpdateTitle()
{
    const std::optional<QString> caption = updateTitleTexts(m_range, m_set);
    if (!caption)
        return;
    m_view.showTitle(*caption);
}

} // namespace keruna
