#include "app/form1.h"

#include "app/stickcontroller.h"
#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "getlist/getlist.h"
#include "mainscreen/mainmenus.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "study/studyengine.h"
#include "ui/fonts.h"
#include "ui/platform.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>
#include <tuple>

// Form1: the database screen's lists, its opening, refills after a load, and the list
// popup and speech it borrows from the main screen.
namespace keruna {

struct Form1::DatabaseParts {
    DbListModel lists[2]; // memorized, not yet
    // What the lists held when they were last filled or saved: any difference is the
    // user's unsaved work. Checks are not kept in the file and do not count.
    DbListModel::SavedForm settled[2];
    std::unique_ptr<DBgamen> screen; // made on first use; destroyed before the lists
};

void Form1::DatabasePartsDeleter::operator()(DatabaseParts* parts) const
{
    delete parts;
}

DBgamen* Form1::databaseScreen() const
{
    return m_db->screen.get();
}

DbListModel& Form1::databaseList(bool memorized) const
{
    return m_db->lists[memorized ? 0 : 1];
}

void Form1::wireDatabaseScreen()
{
    m_db.reset(new DatabaseParts);
    databaseEntries = [this](bool memorized) { return databaseList(memorized).entries(); };
    connect(m_c.DBbtn, &QToolButton::clicked, this, [this] { openDatabaseScreen(); });
}

DBgamen& Form1::ensureDatabaseScreen()
{
    if (!m_db->screen) {
        DbScreenHooks hooks;
        hooks.testResultsHeld = [this] { return m_state.testResultsHeld; };
        hooks.alwaysOnTop = [this] { return m_menus->action(QStringLiteral("mmae"))->isChecked(); };
        // Held like Open while a word is spoken: the save reloads the list.
        hooks.onSave = [this] { m_study->userCommand([this] { SaveDatabaseLists(); }); };
        hooks.mayClose = [this] { return databaseScreenMayClose(); };
        hooks.onChooseFont = [this] { ChooseListFont(); };
        // Results saved under another name leave that file loaded; the results are still
        // the tested list's.
        hooks.onHistory = [this] {
            showHistory(
                m_state.testResultsHeld && !m_testedList.isEmpty() ? m_testedList : m_set.path);
        };
        hooks.onExport = [this] {
            DBgamen* screen = databaseScreen();
            ExportDatabaseLists(screen, screen->paneName(true), screen->paneName(false));
        };
        hooks.speak = [this](const QString& text) { speakListText(text); };
        hooks.showListPopup = [this](bool left, const QPoint& at) { showDatabasePopup(left, at); };
        // No owner: the screen may go behind the main window like any other window.
        m_db->screen = std::make_unique<DBgamen>(
            m_db->lists[0], m_db->lists[1], m_ctx.platform, m_ctx.timers, std::move(hooks));
        m_db->screen->setListFont(fontOf(m_state.databaseFont));
    }
    return *m_db->screen;
}

void Form1::openDatabaseScreen()
{
    DBgamen& screen = ensureDatabaseScreen();
    if (screen.isVisible())
        return;
    FillDbLists(m_set, m_state.options.delimiter, m_db->lists[0], m_db->lists[1]);
    markListsSettled();
    screen.afterFill();
    screen.showAsDatabase();
    screen.show();
    screen.raise();
    screen.activateWindow();
}

bool Form1::listsEdited() const
{
    return m_db->lists[0].savedForm() != m_db->settled[0]
        || m_db->lists[1].savedForm() != m_db->settled[1];
}

void Form1::markListsSettled()
{
    for (int i : {0, 1})
        m_db->settled[i] = m_db->lists[i].savedForm();
}

void Form1::discardListEdits()
{
    if (m_state.testResultsHeld)
        fillResultListsFromTest();
    else
        FillDbLists(m_set, m_state.options.delimiter, m_db->lists[0], m_db->lists[1]);
    if (DBgamen* screen = databaseScreen()) {
        screen->UpdateListCounts();
        if (!m_state.testResultsHeld)
            screen->updateTitle();
    }
    markListsSettled();
}

void Form1::ChooseListFont()
{
    DBgamen* screen = databaseScreen();
    if (!screen)
        return;
    // Above the windows that stay on top, so that the dialog is not hidden behind them.
    if (m_stick->shown() || externalShown() || paletteOnTop())
        m_ctx.platform.setTopmost(screen, true);
    const std::optional<QFont> chosen
        = m_ctx.platform.chooseFont(screen, fontOf(m_state.databaseFont));
    if (!chosen)
        return;
    m_state.databaseFont = fontSettingOf(*chosen, true);
    screen->setListFont(fontOf(m_state.databaseFont));
    SettingsStore::WriteValues(databaseFontEntries(m_state.databaseFont), settingsPath());
}

void Form1::showReviewDaysInDatabase(const QHash<QString, qint64>& days)
{
    // The tool tips only: refilling the lists would lose moves not yet saved.
    if (!m_db)
        return;
    for (DbListModel& model : m_db->lists)
        model.setReviewDays(days);
}

void Form1::refillDatabaseScreen()
{
    DBgamen* screen = databaseScreen();
    if (!screen || !screen->isVisible() || m_state.testResultsHeld)
        return;
    FillDbLists(m_set, m_state.options.delimiter, m_db->lists[0], m_db->lists[1]);
    markListsSettled();
    screen->afterFill();
}

void Form1::speakListText(const QString& text)
{
    // The repeat button's step with the entry's text, held like the button while a word
    // is being spoken.
    m_study->userCommand([this, text] {
        m_speakOverride = true;
        m_speakText = text;
        repeatSpeech();
        m_speakOverride = false;
    });
}

void Form1::showDatabasePopup(bool left, const QPoint& at)
{
    DBgamen* screen = databaseScreen();
    if (!screen)
        return;
    DbListModel& list = databaseList(left);
    QAction* red = m_menus->action(QStringLiteral("mlistred"));
    QAction* speak = m_menus->action(QStringLiteral("mlisthatuon"));
    QAction* rate = m_menus->action(QStringLiteral("mlistritu"));
    for (QAction* a : {red, speak, rate})
        a->setEnabled(!list.isEmpty());
    rate->setText(left ? tr("チェック数と忘却率(&C)") : tr("チェック数と正解率(&C)"));
    // The menu's own commands act on the GET list; while it serves a database list they
    // are held back and the chosen item runs on that list instead.
    QAction* chosen = nullptr;
    {
        const QSignalBlocker b1(red);
        const QSignalBlocker b2(speak);
        const QSignalBlocker b3(rate);
        chosen = m_menus->listPopup()->exec(at);
    }
    const int row = screen->selectedRow(left);
    if (chosen == red) {
        screen->ToggleRedSelected(left);
    } else if (chosen == speak) {
        if (!list.isEmpty() && row >= 0)
            speakListText(list.entry(row).question);
    } else if (chosen == rate && !list.isEmpty()) {
        m_ctx.platform.showMessage(screen,
            getStatisticsText(left ? StatisticsRate::Forgetting : StatisticsRate::Correct,
                list.checkedCount(), list.count()),
            MessageIcon::Information, MessageButtons::Ok);
    }
}

} // namespace keruna
