#include "app/form1.h"

#include "getlist/getlist.h"
#include "getlist/gettest.h"
#include "getlist/pickgamen.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemcontroller.h"
#include "problemdata/problemrecord.h"
#include "quiz/testengine.h"
#include "study/studyengine.h"
#include "ui/cardtext.h"
#include "ui/platform.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeView>

// Form1: the GET list panel's buttons, popup menu and appends.
namespace keruna {

void Form1::showCard(const QString& question, const QString& answer)
{
    showCardText(m_c.Label1, question);
    showCardText(m_c.Label2, answer);
}

bool Form1::randomOrder() const
{
    return m_c.Rndop[0]->isChecked();
}

void Form1::setOrder(bool random)
{
    m_c.Rndop[random ? 0 : 1]->setChecked(true);
}

void Form1::showGetTestRunning(bool running)
{
    m_c.pickend->setVisible(running);
    m_c.Picktest->setVisible(!running);
}

void Form1::lockOrderAndRange(bool locked)
{
    for (QWidget* w : std::initializer_list<QWidget*> {m_c.Rndop[0], m_c.Rndop[1], m_c.dakecom})
        w->setEnabled(!locked);
    for (const char* name :
        {"mmondaihyouzi", "mdmondaihyouzi", "mnormal", "mrandom", "mdnormal", "mdrandom"}) {
        const QString n = QString::fromLatin1(name);
        if (QAction* a = m_menus->action(n))
            a->setEnabled(!locked);
        else if (QMenu* m = m_menus->menu(n))
            m->menuAction()->setEnabled(!locked);
    }
}

void Form1::showGetTestResult(const std::optional<QString>& text)
{
    m_c.testkekkakesi->hide();
    if (text)
        m_c.Picktestlabel->setText(*text);
    m_c.Picktestlabel->setVisible(text.has_value());
}

void Form1::clearGetTestResult()
{
    m_c.testkekkakesi->hide();
    m_c.Picktestlabel->hide();
    m_c.Picktestlabel->clear();
}

void Form1::hideGetTestPicture()
{
    m_c.Image1_10->hide();
}

void Form1::mirrorOnExternalScreen()
{
    syncExternal();
}

void Form1::reloadKeepingList()
{
    m_range.keepRange = true;
    if (Result<bool> reloaded = m_problems->ReloadProblemFile(); !reloaded) {
        // Only this reload keeps the range and the list; a later one must not.
        m_range.keepRange = false;
        m_ctx.platform.showMessage(
            this, errorText(reloaded.error()), MessageIcon::Error, MessageButtons::Ok);
    }
}

void Form1::getTestEnded(int got, int total, int shown)
{
    recordGetTest(got, total, shown);
}

void Form1::wireGetList()
{
    m_getTest = std::make_unique<GetTest>(*m_study, *m_getList, static_cast<GetTestView&>(*this));
    connect(m_c.Picktest, &QToolButton::clicked, this,
        [this] { m_study->userCommand([this] { m_getTest->start(); }); });
    connect(m_c.pickend, &QToolButton::clicked, this,
        [this] { m_study->userCommand([this] { m_getTest->end(); }); });

    connect(m_c.listmaru, &QToolButton::clicked, this, [this] {
        m_study->userCommand([this] {
            if (m_state.testmode)
                m_test->claim();
            else
                m_study->addCurrentItem();
            focusGetList();
        });
    });
    connect(m_c.listSkipbtn, &QToolButton::clicked, this, [this] {
        m_study->userCommand([this] {
            if (m_state.testmode)
                m_test->SkipItem();
            else
                m_study->SkipItem();
        });
    });
    connect(m_c.listmodosi, &QToolButton::clicked, this, [this] {
        m_getList->removeSelectedOrChecked();
        focusGetList();
        m_c.nPickzencheck->show();
        m_c.nPickzencheckhazusi->hide();
    });
    // The check-all and uncheck-all buttons stand in one place, one at a time.
    auto checkAll = [this](bool checked) {
        if (!m_getList->isEmpty()) {
            m_c.nPickzencheck->setVisible(!checked);
            m_c.nPickzencheckhazusi->setVisible(checked);
            m_getList->setAllChecked(checked);
        }
        focusGetList();
    };
    connect(m_c.nPickzencheck, &QToolButton::clicked, this, [checkAll] { checkAll(true); });
    connect(m_c.nPickzencheckhazusi, &QToolButton::clicked, this, [checkAll] { checkAll(false); });
    connect(m_c.listclose, &QToolButton::clicked, this, [this] {
        m_c.Pickframe->hide();
        m_c.cuttext->clear();
        m_c.nPickzencheck->show();
        m_c.nPickzencheckhazusi->hide();
        // The number moves from the panel back to the item area.
        m_study->ItemNumberText();
    });
    m_c.Picklist->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_c.Picklist, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { showGetListPopup(m_c.Picklist->viewport()->mapToGlobal(at)); });
    m_menus->onCommand(QStringLiteral("mlistritu"), [this] {
        if (m_getList->isEmpty())
            return;
        // The rate the popup offered when it was last shown.
        m_ctx.platform.showMessage(this,
            getStatisticsText(m_popupRate, m_getList->checkedCount(), m_getList->count()),
            MessageIcon::Information, MessageButtons::Ok);
    });
    m_menus->onCommand(
        QStringLiteral("mlistred"), [this] { m_getList->toggleRed(m_getList->selectedIndex()); });
}

void Form1::showGetListPopup(const QPoint& at)
{
    const bool any = !m_getList->isEmpty();
    for (const char* name : {"mlistred", "mlisthatuon", "mlistritu"})
        m_menus->action(QString::fromLatin1(name))->setEnabled(any);
    // A running test's list holds its judgements: checked is right. Otherwise checked means
    // forgotten again.
    m_popupRate = m_state.testmode ? StatisticsRate::Correct : StatisticsRate::Forgetting;
    m_menus->action(QStringLiteral("mlistritu"))
        ->setText(m_popupRate == StatisticsRate::Correct ? tr("チェック数と正解率(&C)")
                                                         : tr("チェック数と忘却率(&C)"));
    m_menus->listPopup()->popup(at);
}

void Form1::focusGetList()
{
    if (m_c.Picklist->isEnabled() && m_c.Picklist->isVisible())
        m_c.Picklist->setFocus();
    if (externalShown() && externalScreen()->list()->isEnabled())
        externalScreen()->list()->setFocus();
}

void Form1::appendCurrentItemToGetList()
{
    // Red follows the item's own record.
    const QString record = m_study->currentRecord();
    if (record.isEmpty())
        return;
    m_getList->append(
        m_study->session().currentLine, m_state.options.delimiter, isRedRecord(record));
}

} // namespace keruna
