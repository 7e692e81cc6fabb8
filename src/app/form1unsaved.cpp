#include "app/form1.h"

#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "getlist/getlist.h"
#include "ui/platform.h"

#include <QCoreApplication>

// Form1: work the user has not saved yet (database moves and marks, a finished test's
// results), asked about before a step would throw it away.
namespace keruna {

namespace {

QString databaseUnsavedText()
{
    return QCoreApplication::translate(
        "Form1", "データベース画面での変更が保存されていません。\r\n保存しますか？");
}

QString resultsUnsavedText()
{
    return QCoreApplication::translate(
        "Form1", "テスト結果が保存されていません。\r\n保存しますか？");
}

} // namespace

bool Form1::databaseEditsUnsaved() const
{
    return !m_state.testResultsHeld && listsEdited();
}

bool Form1::resultsUnsaved() const
{
    if (!m_state.testResultsHeld || m_state.testmode || m_state.testKind == TestKind::Number
        || m_getList->isEmpty())
        return false;
    return !m_state.resultsSaved || listsEdited();
}

MessageResult Form1::askToSave(QWidget* owner, const QString& text)
{
    return m_ctx.platform.showMessage(
        owner ? owner : this, text, MessageIcon::Question, MessageButtons::YesNoCancel);
}

bool Form1::settleUnsavedWork(QWidget* owner, bool keepGetList)
{
    if (!databaseEditsUnsaved())
        return settleUnsavedResults(owner);
    switch (askToSave(owner, databaseUnsavedText())) {
    case MessageResult::Yes: {
        // The save reloads the list; a GET save waiting behind it keeps its entries.
        m_range.keepRange = keepGetList;
        const bool saved = SaveDatabaseLists();
        m_range.keepRange = false;
        return saved;
    }
    case MessageResult::No:
        discardListEdits();
        return true;
    default:
        return false;
    }
}

bool Form1::settleUnsavedResults(QWidget* owner)
{
    if (!resultsUnsaved())
        return true;
    switch (askToSave(owner, resultsUnsavedText())) {
    case MessageResult::Yes:
        return SaveDatabaseLists();
    case MessageResult::No:
        // The step that follows lets them go.
        return true;
    default:
        return false;
    }
}

bool Form1::databaseScreenMayClose()
{
    // Closed by the program itself after the user was asked, or nothing would be lost:
    // the result lists come back from the test list, the database lists from the file.
    if (m_closingDatabaseQuietly || m_state.testmode || !listsEdited())
        return true;
    switch (askToSave(
        databaseScreen(), m_state.testResultsHeld ? resultsUnsavedText() : databaseUnsavedText())) {
    case MessageResult::Yes:
        return SaveDatabaseLists();
    case MessageResult::No:
        discardListEdits();
        return true;
    default:
        return false;
    }
}

void Form1::closeAndEmptyDatabaseLists()
{
    closeDatabaseScreenQuietly();
    databaseList(true).clear();
    databaseList(false).clear();
    markListsSettled();
}

void Form1::closeDatabaseScreenQuietly()
{
    DBgamen* screen = databaseScreen();
    if (!screen)
        return;
    m_closingDatabaseQuietly = true;
    screen->close();
    m_closingDatabaseQuietly = false;
}

} // namespace keruna
