#include "app/problemcontroller.h"

#include "mainscreen/maincontrols.h"
#include "mainscreen/mainmenus.h"
#include "ui/platform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace keruna {

QString rangeMenuName(RangeFilter range)
{
    switch (range) {
    case RangeFilter::NotYet:
        return QStringLiteral("mbatudake");
    case RangeFilter::Memorized:
        return QStringLiteral("mmarudake");
    case RangeFilter::Red:
        return QStringLiteral("makadake");
    case RangeFilter::Review:
        return QStringLiteral("mfukudake");
    case RangeFilter::All:
        break;
    }
    return QStringLiteral("mzenbu");
}

ProblemController::ProblemController(QMainWindow& window, Platform& platform,
    MainControls& controls, MainMenus& menus, ProblemSet& set, RangeState& range,
    ProblemHooks hooks)
    : m_window(window)
    , m_platform(platform)
    , m_controls(controls)
    , m_menus(menus)
    , m_set(set)
    , m_range(range)
    , m_hooks(std::move(hooks))
{
}

void ProblemController::OpenProblemFile()
{
    if (m_hooks.mayReplaceList && !m_hooks.mayReplaceList())
        return;
    // Dialogs of the main window must come above the always-on-top tool windows.
    const bool raised = m_hooks.toolWindowShown && m_hooks.toolWindowShown();
    if (raised)
        m_platform.setTopmost(&m_window, true);
    OpenFileRequest request;
    request.title = QStringLiteral("問題データを開いてください");
    request.filter = QStringLiteral("すべてのファイル(*.*)");
    request.initialFile = m_chosenFileName;
    request.mustExist = true;
    const std::optional<QString> chosen = m_platform.chooseOpenFile(&m_window, request);
    const std::optional<AppError> error = chosen ? loadChosenFile(*chosen, true) : std::nullopt;
    restoreTopmost(raised);
    if (error)
        m_platform.showMessage(
            &m_window, openErrorText(*error), MessageIcon::Error, MessageButtons::Ok);
}

bool ProblemController::openGivenFile(const QString& path)
{
    if (m_hooks.mayReplaceList && !m_hooks.mayReplaceList())
        return false;
    const std::optional<AppError> error = loadChosenFile(path, true);
    if (error)
        m_platform.showMessage(
            &m_window, openErrorText(*error), MessageIcon::Error, MessageButtons::Ok);
    return !error;
}

bool ProblemController::openChosenFile(const QString& path)
{
    const std::optional<AppError> error = loadChosenFile(path, false);
    if (error)
        m_platform.showMessage(
            &m_window, openErrorText(*error), MessageIcon::Error, MessageButtons::Ok);
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
        call(m_hooks.takeDownTestDisplay);
    m_set = std::move(checked).value();
    afterLoad();
    return std::nullopt;
}

void ProblemController::ClearProblemSet()
{
    m_set.clearRecords();
    m_range.rangeCount = 0;
    call(m_hooks.resetPresentationPosition);
}

Result<bool> ProblemController::ReloadProblemFile()
{
    // The list on screen stays until the file has been read: a file another program
    // renamed or damaged must not leave a path with no records, which a later save would
    // write out as an empty list.
    ProblemSet fresh;
    if (Result<bool> loaded = LoadProblemFile(fresh, m_set.path); !loaded) {
        AppError error = loaded.error();
        error.description += QStringLiteral("\r\n読み込んであった問題データはそのままです。");
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
    if (m_hooks.markDue)
        m_hooks.markDue(m_set);
    // A GET test's end keeps 【復】: its items must be known at once.
    if (m_range.keepRange && m_range.current == RangeFilter::Review)
        call(m_hooks.awaitDue);
    m_editPath = m_set.path;
    m_fileFolder = folderOf(m_set.path);
    UpdateTitle();
    call(m_hooks.applyProperties);
    if (!(m_hooks.testActive && m_hooks.testActive()))
        call(m_hooks.refillDatabaseScreen);
    call(m_hooks.stopIdleAnimation);
    for (int i = 0; i < 3 && i < m_controls.Image1.size(); ++i)
        m_controls.Image1[i]->hide();
    call(m_hooks.restoreItemFrameColour);
    if (!m_range.keepRange) {
        call(m_hooks.clearGetList);
        SelectRange(initialRange(m_set));
    }
    m_range.keepRange = false;
    call(m_hooks.resetGetTestDisplay);
    if (m_range.current)
        m_range.rangeCount = rangeCountOf(m_set, *m_range.current);
    if (m_hooks.testActive && m_hooks.testActive())
        call(m_hooks.rebuildTestHeading);
    disableItemActions();
}

void ProblemController::disableItemActions()
{
    for (QWidget* w : std::initializer_list<QWidget*> {m_controls.listmaru, m_controls.cuttext,
             m_controls.zidouMARU, m_controls.syudouskip, m_controls.listSkipbtn})
        w->setEnabled(false);
}

void ProblemController::rangeChosen(RangeFilter range)
{
    if (m_set.path.isEmpty())
        return;
    if (range == RangeFilter::Review)
        call(m_hooks.awaitDue);
    SelectRange(range);
}

void ProblemController::showRangeInForce()
{
    for (int i = 0; i < kRangeCount; ++i) {
        const RangeFilter range = rangeFromIndex(i);
        m_menus.setCheckedWithTwin(rangeMenuName(range), m_range.current == range);
    }
    m_range.restoring = true;
    m_controls.dakecom->setCurrentIndex(m_range.previousIndex);
    m_range.restoring = false;
}

void ProblemController::SelectRange(RangeFilter range)
{
    switch (m_range.decide(m_set, range)) {
    case RangeDecision::Ignore:
        return;
    case RangeDecision::Refuse: {
        m_platform.showMessage(
            &m_window, rangeEmptyMessage(range), MessageIcon::Information, MessageButtons::Ok);
        showRangeInForce();
        return;
    }
    case RangeDecision::Select:
        break;
    }
    for (int i = 0; i < kRangeCount; ++i)
        m_menus.setCheckedWithTwin(rangeMenuName(rangeFromIndex(i)), false);
    m_controls.nPickzencheck->show();
    m_controls.nPickzencheckhazusi->hide();
    m_menus.setCheckedWithTwin(rangeMenuName(range), true);
    m_range.current = range;
    UpdateTitle();
    m_range.rangeCount = rangeCountOf(m_set, range);
    call(m_hooks.resetPresentationPosition);
    disableItemActions();
    if (!m_range.keepRange)
        call(m_hooks.clearGetList);
    {
        // The combo box follows the choice without choosing again.
        const QSignalBlocker blocker(m_controls.dakecom);
        m_controls.dakecom->setCurrentIndex(int(range));
    }
    m_range.previousIndex = int(range);
}

void ProblemController::UpdateTitle()
{
    const std::optional<QString> caption = updateTitleTexts(m_range, m_set);
    if (!caption)
        return;
    m_window.setWindowTitle(*caption);
    if (m_hooks.setToolWindowCaption)
        m_hooks.setToolWindowCaption(m_range.rangeStatusText);
}

void ProblemController::restoreTopmost(bool raised)
{
    if (!raised)
        return;
    if (!(m_hooks.alwaysOnTop && m_hooks.alwaysOnTop()))
        m_platform.setTopmost(&m_window, false);
    call(m_hooks.raiseToolWindows);
}

} // namespace keruna
