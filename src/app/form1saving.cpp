#include "app/form1.h"

#include "app/problemcontroller.h"
#include "database/dbgamen.h"
#include "getlist/getlist.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemwriter.h"
#include "problemdata/saveprogress.h"
#include "ui/hozongamen.h"
#include "ui/platform.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QToolButton>

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
    dialog.types = {{QStringLiteral("テキストファイル(*.txt)"), {QStringLiteral("*")}},
        {QStringLiteral("CSVファイル(*.csv)"), {QStringLiteral("*.csv")}}};
    dialog.initialFile = initialFile;
    dialog.confirmOverwrite = true;
    return dialog;
}

} // namespace

void Form1::wireSaving()
{
    chooseSaveMethod = [this] { return hozongamen::ChooseSaveMethod(saveOwner()); };
    connect(m_c.listhozon, &QToolButton::clicked, this, [this] { SaveGetList(); });
    m_menus->onCommand(QStringLiteral("mondaireset"), [this] { ResetProblemData(); });
}

bool Form1::savingTestResults() const
{
    const SaveRequest& r = m_state.saveRequest;
    return m_state.testResultsHeld && !r.ListSave && !r.GetSave && !r.ResetSave;
}

QWidget* Form1::saveOwner()
{
    // A test's results are saved from the result view: its dialogs come up over it.
    DBgamen* screen = databaseScreen();
    if (savingTestResults() && screen && screen->isVisible())
        return screen;
    return this;
}

MarkTable Form1::markTable() const
{
    if (m_state.saveRequest.GetSave)
        return MarkTable::fromGetList(getEntries());
    if (m_state.saveRequest.ResetSave)
        return MarkTable();
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

void Form1::SaveDatabaseLists()
{
    const QList<ListEntry> memorized = listEntries(true);
    const QList<ListEntry> notYet = listEntries(false);
    if (memorized.isEmpty() && notYet.isEmpty())
        return;
    if (!m_state.testResultsHeld) {
        m_state.saveRequest.clear();
        m_state.saveRequest.ListSave = true;
        WriteInPlace();
    } else if (m_state.saveRequest.testStartedWith(RangeFilter::All)) {
        if (const std::optional<bool> overwrite = chooseSaveMethod()) {
            m_state.overwriteChoice = *overwrite;
            WriteToChosenFile();
        }
    } else {
        WriteToChosenFile();
    }
}

void Form1::SaveGetList()
{
    // While a test runs or its results are held the list is the test's, not the user's
    // choice of memorized items.
    if (m_getList->isEmpty() || m_state.testmode || m_state.testResultsHeld)
        return;
    m_state.saveRequest.clear();
    m_state.saveRequest.GetSave = true;
    switch (checkedRange(m_range)) {
    case RangeFilter::NotYet:
        WriteInPlace();
        break;
    case RangeFilter::Memorized:
    case RangeFilter::Red:
        WriteToChosenFile();
        break;
    case RangeFilter::All:
        if (const std::optional<bool> overwrite = chooseSaveMethod()) {
            m_state.overwriteChoice = *overwrite;
            WriteToChosenFile();
        }
        break;
    }
}

void Form1::ResetProblemData()
{
    if (m_set.path.isEmpty()) {
        m_ctx.platform.showMessage(this, QStringLiteral("問題データを開いてから実行してください。"),
            MessageIcon::Information, MessageButtons::Ok);
        m_problems->OpenProblemFile();
    }
    if (m_set.memorizedCount < 1) {
        m_ctx.platform.showMessage(this,
            QStringLiteral("全て未暗記データの為、リセットする必要がありません。"),
            MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    const MessageResult answer = m_ctx.platform.showMessage(this,
        QStringLiteral("問題データの中の暗記済データを未暗記データに戻します。よろしいですか？"),
        MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageResult::Yes)
        return;
    m_state.saveRequest.clear();
    m_state.saveRequest.ResetSave = true;
    WriteToChosenFile();
}

bool Form1::writeSavedLines(const QString& path, const QStringList& lines)
{
    std::optional<AppError> error = writeProblemLines(path, m_set, lines);
    if (!error)
        return true;
    // The file stays as it was; say which file and what failed, and reload nothing.
    error->description = QStringLiteral("「%1」に保存できませんでした。\r\n%2")
                             .arg(QFileInfo(path).fileName(), error->description);
    m_ctx.platform.showMessage(this, errorText(*error), MessageIcon::Error, MessageButtons::Ok);
    return false;
}

void Form1::WriteInPlace()
{
    if (m_set.path.isEmpty())
        return;
    // Another editor's changes must not vanish without a word.
    if (changedOnDisk(m_set)) {
        const MessageResult answer = m_ctx.platform.showMessage(this,
            QStringLiteral("「%1」は読み込んだ後に変更されています。\r\n"
                           "保存すると、その変更は失われます。保存しますか？")
                .arg(QFileInfo(m_set.path).fileName()),
            MessageIcon::Question, MessageButtons::YesNo);
        if (answer != MessageResult::Yes)
            return;
    }
    const QStringList lines
        = linesForSaveInPlace(m_set.rawLines(), m_state.saveRequest, markTable());
    if (!writeSavedLines(m_set.path, lines))
        return;
    if (Result<bool> reloaded = m_problems->ReloadProblemFile(); !reloaded)
        m_ctx.platform.showMessage(
            this, errorText(reloaded.error()), MessageIcon::Error, MessageButtons::Ok);
}

void Form1::WriteToChosenFile()
{
    if (m_set.path.isEmpty())
        return;
    const SaveRequest& request = m_state.saveRequest;
    const RangeFilter rangeNow = checkedRange(m_range);
    if (const std::optional<QString> title = saveTitle(request, rangeNow, m_state.overwriteChoice))
        m_state.saveTitle = *title;
    // The list's name, in its own folder.
    const std::optional<QString> chosen
        = m_ctx.platform.chooseSaveFile(saveOwner(), saveDialog(m_state.saveTitle, m_set.path));
    if (!chosen)
        return;
    const QStringList lines
        = linesForSaveAs(m_set.rawLines(), request, rangeNow, m_state.overwriteChoice, markTable());
    if (!writeSavedLines(*chosen, lines))
        return;
    // The score and comment follow what the result lists held when they were saved.
    if (savingTestResults())
        RebuildTestListFromResults();
    // While a test runs its list stays loaded; otherwise the saved file is the list now.
    if (m_state.testmode)
        return;
    m_problems->openChosenFile(*chosen);
    if (m_c.Openbtn->isVisible() && m_c.Openbtn->isEnabled())
        m_c.Openbtn->setFocus();
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
        error->description = QStringLiteral("「%1」に書き出せませんでした。\r\n%2")
                                 .arg(QFileInfo(*path).fileName(), error->description);
        m_ctx.platform.showMessage(
            owner, errorText(*error), MessageIcon::Error, MessageButtons::Ok);
    }
}

} // namespace keruna
