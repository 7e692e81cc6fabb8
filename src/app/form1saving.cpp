#include "app/form1.h"

#include "database/dbgamen.h"
#include "getlist/getlist.h"
#include "getlist/pickgamen.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemcontroller.h"
#include "problemdata/problemwriter.h"
#include "problemdata/saveprogress.h"
#include "quiz/testengine.h"
#include "study/studyengine.h"
#include "ui/hozongamen.h"
#include "ui/platform.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QToolButton>

#include <algorithm>

// Form1: saving progress into the word list, by the database lists, the GET list or a reset.
namespace keruna {

namespace {

RangeFilter checkedRange(const RangeState& range)
{
    return range.current.value_or(RangeFilter::NotYet);
}

// The save dialog of saves and exports: the text type lists every file, as it did where
// the captions come from.
SaveFileRequest saveDialog(const QString& title, const QString& initialFile)
{
    SaveFileRequest dialog;
    dialog.title = title;
    dialog.types = {
        {QCoreApplication::translate("Form1", "テキストファイル(*.txt)"), {QStringLiteral("*")}},
        {QCoreApplication::translate("Form1", "CSVファイル(*.csv)"), {QStringLiteral("*.csv")}}};
    dialog.initialFile = initialFile;
    dialog.confirmOverwrite = true;
    return dialog;
}

} // namespace

void Form1::wireSaving()
{
    chooseSaveMethod = [this] { return hozongamen::ChooseSaveMethod(saveOwner()); };
    // Held like Open while a word is spoken: a save reloads the list, which must not
    // happen inside the step that is showing an item.
    connect(m_c.listhozon, &QToolButton::clicked, this,
        [this] { m_study->userCommand([this] { SaveGetList(); }); });
    m_menus->onCommand(QStringLiteral("mondaireset"),
        [this] { m_study->userCommand([this] { ResetProblemData(); }); });
}

bool Form1::savingTestResults() const
{
    return m_state.saveRequest.savesTestResults(m_state.testResultsHeld);
}

bool Form1::saveBy(SaveRoute route)
{
    if (route == SaveRoute::InPlace)
        return WriteInPlace();
    if (route == SaveRoute::AskThenChosenFile) {
        const std::optional<bool> overwrite = chooseSaveMethod();
        if (!overwrite)
            return false;
        m_state.overwriteChoice = *overwrite;
    }
    return WriteToChosenFile();
}

QWidget* Form1::saveOwner()
{
    // A save's questions and dialogs come up over the screen it was asked from.
    const SaveRequest& r = m_state.saveRequest;
    DBgamen* screen = databaseScreen();
    if ((r.ListSave || savingTestResults()) && screen && screen->isVisible())
        return screen;
    if ((r.GetSave || r.ResetSave) && externalShown())
        return externalScreen();
    return this;
}

MarkTable Form1::markTable() const
{
    if (m_state.saveRequest.GetSave)
        return MarkTable::fromGetList(getEntries());
    if (m_state.saveRequest.ResetSave)
        return MarkTable();
    if (savingTestResults())
        return MarkTable::fromTestResults(listEntries(true), listEntries(false));
    return MarkTable::fromDbLists(listEntries(true), listEntries(false));
}

QList<ListEntry> Form1::listEntries(bool memorized) const
{
    return databaseEntries ? databaseEntries(memorized) : QList<ListEntry>();
}

QList<ListEntry> Form1::getEntries() const
{
    QList<ListEntry> entries;
    for (const GetEntry& e : m_getList->shadow())
        entries.append({e.key, e.red});
    return entries;
}

bool Form1::SaveDatabaseLists()
{
    // While a test runs the lists are the test's to fill: nothing in them is the user's.
    if (m_state.testmode)
        return false;
    const QList<ListEntry> memorized = listEntries(true);
    const QList<ListEntry> notYet = listEntries(false);
    if (memorized.isEmpty() && notYet.isEmpty())
        return false;
    SaveRequest& request = m_state.saveRequest;
    if (!m_state.testResultsHeld) {
        request.clear();
        request.ListSave = true;
        return WriteInPlace();
    }
    // The lists hold a test's results: whatever an earlier save asked for, this one
    // writes them by the range the test started with.
    request.ListSave = request.GetSave = request.ResetSave = false;
    return saveBy(resultsSaveRoute(request));
}

void Form1::SaveGetList()
{
    // While a test runs or its results are held the list is the test's, not the user's
    // choice of memorized items.
    if (m_getList->isEmpty() || m_state.testmode || m_state.testResultsHeld)
        return;
    // The save reloads the list, and the database screen with it.
    if (!settleUnsavedWork(externalShown() ? static_cast<QWidget*>(externalScreen()) : this, true))
        return;
    m_state.saveRequest.clear();
    m_state.saveRequest.GetSave = true;
    saveBy(getListSaveRoute(checkedRange(m_range)));
}

void Form1::ResetProblemData()
{
    // The running test's items come from the list as it is loaded.
    if (m_state.testmode) {
        m_ctx.platform.showMessage(this,
            tr("テスト中は問題データをリセットできません。テストを終了してから実行してください。"),
            MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    if (m_set.path.isEmpty()) {
        m_ctx.platform.showMessage(this, tr("問題データを開いてから実行してください。"),
            MessageIcon::Information, MessageButtons::Ok);
        m_problems->OpenProblemFile();
    }
    if (m_set.memorizedCount < 1) {
        m_ctx.platform.showMessage(this, tr("全て未暗記データの為、リセットする必要がありません。"),
            MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    const MessageResult answer = m_ctx.platform.showMessage(this,
        tr("問題データの中の暗記済データを未暗記データに戻します。よろしいですか？"),
        MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageResult::Yes)
        return;
    if (!settleUnsavedWork(this))
        return;
    // A test's results belong to the list as it was before the reset: they go first, so
    // that nothing of the reset is left behind for their save.
    if (m_state.testResultsHeld)
        m_test->takeDownTestDisplay();
    m_state.saveRequest.clear();
    m_state.saveRequest.ResetSave = true;
    WriteToChosenFile();
}

bool Form1::writeSavedLines(const QString& path, const QStringList& lines)
{
    // A list with no items while the learner's own lists hold some means the loaded list
    // was emptied behind the program's back; writing it would lose every word.
    const bool noItems
        = std::all_of(lines.begin(), lines.end(), [](const QString& l) { return l.isEmpty(); });
    if (noItems
        && (!m_getList->isEmpty() || !listEntries(true).isEmpty()
            || !listEntries(false).isEmpty())) {
        m_ctx.platform.showMessage(saveOwner(),
            tr("読み込んである問題データに問題が1つもないため、「%1」には保存しませんでした。"
               "\r\n問題データのファイルを確かめて、開き直してください。")
                .arg(QFileInfo(path).fileName()),
            MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    std::optional<AppError> error = writeProblemLines(path, m_set, lines);
    if (!error)
        return true;
    // The file stays as it was; say which file and what failed, and reload nothing.
    error->description = tr("「%1」に保存できませんでした。\r\n%2")
                             .arg(QFileInfo(path).fileName(), error->description);
    m_ctx.platform.showMessage(
        saveOwner(), errorText(*error), MessageIcon::Error, MessageButtons::Ok);
    return false;
}

bool Form1::keepChangesOnDisk()
{
    // Another editor's changes must not vanish without a word; Enter keeps them.
    if (!changedOnDisk(m_set))
        return false;
    const MessageResult answer = m_ctx.platform.showMessage(saveOwner(),
        tr("「%1」は読み込んだ後に変更されています。\r\n"
           "保存すると、その変更は失われます。保存しますか？")
            .arg(QFileInfo(m_set.path).fileName()),
        MessageIcon::Question, MessageButtons::YesNoDefaultNo);
    return answer != MessageResult::Yes;
}

std::optional<QString> Form1::cannotSaveInPlace() const
{
    const QFileInfo file(m_set.path);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    if (!file.absoluteDir().exists())
        return tr("「%1」のあったフォルダ「%2」が見つかりません。"
                  "読み込んだ後に削除または移動されたようです。")
            .arg(file.fileName(), folder);
    if (!file.exists())
        return tr("「%1」が見つかりません。読み込んだ後に削除または移動されたようです。")
            .arg(file.fileName());
    // The new file is written beside the old one before it takes its place.
    if (!QFileInfo(file.absolutePath()).isWritable())
        return tr("フォルダ「%1」に書き込めないため、「%2」を上書き保存できません。"
                  "ファイルは元のままです。")
            .arg(folder, file.fileName());
    return std::nullopt;
}

bool Form1::saveElsewhere(const QString& why, const QStringList& lines)
{
    const MessageResult answer
        = m_ctx.platform.showMessage(saveOwner(), tr("%1\r\n名前を付けて保存しますか？").arg(why),
            MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageResult::Yes)
        return false;
    const std::optional<QString> chosen = m_ctx.platform.chooseSaveFile(
        saveOwner(), saveDialog(tr("名前を付けて保存"), m_set.path));
    if (!chosen || !writeSavedLines(*chosen, lines))
        return false;
    recordSave(*chosen, lines);
    // The copy is the list now, as after any save to a chosen file.
    m_problems->openChosenFile(*chosen);
    return true;
}

bool Form1::WriteInPlace()
{
    if (m_set.path.isEmpty())
        return false;
    const QStringList loaded = m_set.rawLines();
    const QStringList lines = linesForSaveInPlace(loaded, m_state.saveRequest, markTable());
    if (const std::optional<QString> why = cannotSaveInPlace())
        return saveElsewhere(*why, lines);
    if (keepChangesOnDisk())
        return false;
    DBgamen* screen = databaseScreen();
    const bool listSave = m_state.saveRequest.ListSave && screen && screen->isVisible();
    if (listSave)
        screen->setWindowTitle(tr("しばらくお待ちください･･･"));
    if (!writeSavedLines(m_set.path, lines)) {
        if (listSave)
            screen->updateTitle();
        return false;
    }
    if (marksChanged(loaded, lines))
        recordSave(m_set.path, lines);
    if (Result<bool> reloaded = m_problems->ReloadProblemFile(); !reloaded)
        m_ctx.platform.showMessage(
            saveOwner(), errorText(reloaded.error()), MessageIcon::Error, MessageButtons::Ok);
    if (m_state.saveRequest.ListSave)
        markListsSettled();
    return true;
}

bool Form1::WriteToChosenFile()
{
    if (m_set.path.isEmpty())
        return false;
    const SaveRequest& request = m_state.saveRequest;
    const RangeFilter rangeNow = checkedRange(m_range);
    if (const std::optional<QString> title = saveTitle(request, rangeNow, m_state.overwriteChoice))
        m_state.saveTitle = *title;
    // The list's name, in its own folder.
    const std::optional<QString> chosen
        = m_ctx.platform.chooseSaveFile(saveOwner(), saveDialog(m_state.saveTitle, m_set.path));
    if (!chosen)
        return false;
    // Written over the loaded list itself: the same care as a save in place.
    const bool ontoLoaded = QFileInfo(*chosen) == QFileInfo(m_set.path);
    if (ontoLoaded && keepChangesOnDisk())
        return false;
    const QStringList loaded = m_set.rawLines();
    const QStringList lines
        = linesForSaveAs(loaded, request, rangeNow, m_state.overwriteChoice, markTable());
    if (!writeSavedLines(*chosen, lines))
        return false;
    if (!ontoLoaded || marksChanged(loaded, lines))
        recordSave(*chosen, lines);
    // The score and comment follow what the result lists held when they were saved.
    if (savingTestResults()) {
        RebuildTestListFromResults();
        markListsSettled();
        m_state.resultsSaved = true;
    }
    // While a test runs its list stays loaded; otherwise the saved file is the list now.
    if (m_state.testmode)
        return true;
    m_problems->openChosenFile(*chosen);
    if (m_c.Openbtn->isVisible() && m_c.Openbtn->isEnabled())
        m_c.Openbtn->setFocus();
    return true;
}

void Form1::ExportDatabaseLists(QWidget* owner, const QString& leftName, const QString& rightName)
{
    const QList<ListEntry> left = listEntries(true);
    const QList<ListEntry> right = listEntries(false);
    if (left.isEmpty() && right.isEmpty())
        return;
    const ExportCounts counts = exportCounts(leftName, rightName, left, right);
    std::array<hozongamen::ExportOption, hozongamen::kExportOptions> options;
    for (int i = 0; i < hozongamen::kExportOptions; ++i) {
        const auto set = ExportSet(i);
        options[size_t(i)] = {exportOptionCaption(counts, set), exportOptionEnabled(counts, set)};
    }
    const std::optional<int> chosen = hozongamen::ChooseExportSet(owner, options);
    if (!chosen)
        return;
    const auto set = ExportSet(*chosen);
    const std::optional<QString> path = m_ctx.platform.chooseSaveFile(owner,
        saveDialog(exportDialogTitle(counts, set),
            QFileInfo(m_set.path).dir().filePath(exportFileName(counts, set))));
    if (!path)
        return;
    // A new list in the open one's encoding and line ends; nothing is reloaded.
    if (std::optional<AppError> error = writeNewList(*path, m_set, exportLines(left, right, set))) {
        error->description = tr("「%1」に書き出せませんでした。\r\n%2")
                                 .arg(QFileInfo(*path).fileName(), error->description);
        m_ctx.platform.showMessage(
            owner, errorText(*error), MessageIcon::Error, MessageButtons::Ok);
    }
}

} // namespace keruna
