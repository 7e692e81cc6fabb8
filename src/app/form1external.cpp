#include "app/form1.h"

#include "app/layoutcontroller.h"
#include "app/stickcontroller.h"
#include "common/twips.h"
#include "getlist/getlist.h"
#include "getlist/gettest.h"
#include "getlist/pickgamen.h"
#include "mainscreen/mainmenus.h"
#include "quiz/testengine.h"
#include "study/studyengine.h"
#include "ui/fonts.h"
#include "ui/platform.h"
#include "ui/shownfont.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

#include <initializer_list>

// Form1: the GET list in a window of its own (外部GET) and back inside (内部GET).
namespace keruna {

namespace {

// The main-screen controls the external screen copies: when one of them is shown,
// hidden, enabled or given a new tooltip, the external twin follows.
const char* const kMirrored[] = {"listmaru", "listmodosi", "listSkipbtn", "listhozon", "Picktest",
    "pickend", "testTEISIbtn", "testSAIKAIbtn", "testvoice", "syuuryoubtn", "syudouKAKUNIN",
    "syudouMARU", "syudouBATU", "syudouskip", "zidouMARU", "TestListbtn", "ketabotan", "tsecbtn",
    "Fteisibtn", "Fsaikaibtn", "iroch", "typec", "tsec", "ketamin", "ketamax", "cuttext",
    "Picktestlabel", "testFrame", "typeRow"};

} // namespace

QPoint pickgamenPosition(const QRect& main, const QSize& size, const QRect& screen)
{
    int left = main.left() + main.width() * 3 / 4;
    int top = main.top() + main.height() / 4;
    if (left < screen.left())
        left = screen.left();
    else if (left + size.width() > screen.right() + 1)
        left = screen.right() + 1 - size.width();
    if (top < screen.top())
        top = screen.top();
    else if (top + size.height() > screen.bottom() + 1)
        top = screen.bottom() + 1 - (size.height() + twipsToPixels(550));
    return {left, top};
}

Pickgamen* Form1::externalScreen() const
{
    return m_external;
}

bool Form1::externalShown() const
{
    return m_external && m_external->isVisible();
}

void Form1::wireExternalGet()
{
    connect(m_c.gaibubtn, &QToolButton::clicked, this, [this] { MoveGetListOut(); });
    // The GET button moves the list out, or back in when it is out.
    connect(m_c.Pickbtn, &QToolButton::clicked, this, [this] {
        if (externalShown())
            MoveGetListIn();
        else
            MoveGetListOut();
    });
    // Changes that no control's own event announces.
    for (QCheckBox* box : {m_c.iroch, m_c.typec})
        connect(box, &QCheckBox::toggled, this, [this] { syncExternal(); });
    for (const char* name : {"mteisi", "mbou", "mfocus"}) {
        connect(m_menus->action(QString::fromLatin1(name)), &QAction::changed, this,
            [this] { syncExternal(); });
    }
    for (const char* name : kMirrored) {
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) {
            m_mirrored.insert(w);
            w->installEventFilter(this);
        }
    }
}

bool Form1::mirrorEvent(QObject*, QEvent* event)
{
    if (!externalShown())
        return false;
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::ToolTipChange:
        syncExternal();
        return true;
    default:
        return false;
    }
}

void Form1::syncExternal(bool evenHidden)
{
    // A hidden screen is brought up to date when it is moved out again, not at every item;
    // moving out lays its controls out before it is sized and placed.
    if (!m_external || m_syncing || (!evenHidden && !m_external->isVisible()))
        return;
    m_syncing = true;
    Pickgamen& out = *m_external;
    out.mirrorControls();
    auto mine = [&out](const char* name) { return out.findChild<QWidget*>(QLatin1String(name)); };
    const bool test = m_state.testmode;
    const bool results = test || m_state.testResultsHeld;
    // Its result line carries the score while a test runs or its results are held.
    out.setPicktestText(results ? m_c.testKEKKAlabel[0]->text() : m_c.Picktestlabel->text());
    if (results)
        mine("Picktestlabel")->show();
    // 「テスト結果を見る」 where the main screen offers it.
    mine("Frame1_15")
        ->setVisible(m_state.testResultsHeld && !test && m_c.TestListbtn->isVisibleTo(this));
    // The GET commands are the user's list's, not a test's.
    mine("Pickbtnpic")->setVisible(!results);
    if (test) {
        mine("gPickzencheck")->hide();
        mine("gPickzencheckhazusi")->hide();
    } else if (mine("gPickzencheck")->isHidden() && mine("gPickzencheckhazusi")->isHidden()) {
        mine("gPickzencheck")->show();
    }
    // Pause or resume, one at a time.
    const bool paused = m_menus->action(QStringLiteral("mteisi"))->isChecked();
    mine("listteisi")->setVisible(!paused);
    mine("listsaikai")->setVisible(paused);
    // The value boxes show the main screen's values (the dialog's speed, the number test's
    // bounds), so that they never write an old one back.
    for (const char* name : {"tsec", "ketamin", "ketamax"}) {
        auto* box = out.findChild<QComboBox*>(QLatin1String(name));
        auto* twin = findChild<QComboBox*>(QLatin1String(name));
        if (box && twin && box->currentText() != twin->currentText()) {
            const QSignalBlocker blocker(box);
            box->setEditText(twin->currentText());
        }
    }
    // The typing box is emptied and shows ○ with the main one's.
    if (auto* box = out.findChild<QLineEdit*>(QStringLiteral("cuttext")); box
        && box->text() != m_c.cuttext->text()
        && (m_c.cuttext->text().isEmpty() || m_c.cuttext->text() == QStringLiteral("○"))) {
        const QSignalBlocker blocker(box);
        box->setText(m_c.cuttext->text());
    }
    mine("naibubtn")->setEnabled(!isMinimized() && !m_layout->focusScreen() && !m_stick->shown());
    m_syncing = false;
}

void Form1::resetExternalCheckAll()
{
    if (!m_external)
        return;
    m_external->findChild<QWidget*>(QStringLiteral("gPickzencheck"))->show();
    m_external->findChild<QWidget*>(QStringLiteral("gPickzencheckhazusi"))->hide();
}

void Form1::MoveGetListOut()
{
    if (externalShown())
        return;
    if (!m_external) {
        m_external = new Pickgamen(*this, this);
        m_external->setModel(&m_getList->model());
        m_getList->setMirrorView(m_external->list());
        m_external->moveIn = [this] { MoveGetListIn(); };
        m_external->listClicked = [this] {
            if (m_state.testmode)
                m_test->getListClicked();
        };
        m_external->listPopup = [this](const QPoint& at) { showGetListPopup(at); };
        m_external->installEventFilter(this);
    }
    const int selected = m_getList->selectedIndex();
    m_external->applyFonts(fontWhenShown(m_c.Picklist), fontWhenShown(m_c.cuttext));
    m_external->setWindowTitle(tr("表示中の単語を暗記済にできます"));
    // Placed with the size it will show at: its controls as they will be, the size the user
    // gave it (never below what they need), and its frame. Before its first showing the
    // window manager has not framed it yet: the main window's frame stands in for its own.
    syncExternal(true);
    m_external->resize(m_external->size().expandedTo(m_external->minimumSizeHint()));
    QSize frame = m_external->frameGeometry().size() - m_external->size();
    if (frame.isNull())
        frame = frameGeometry().size() - size();
    m_external->move(pickgamenPosition(
        frameGeometry(), m_external->size() + frame, m_ctx.platform.screenGeometry(this)));

    // The internal panel closes as with its own close button.
    m_c.Pickframe->hide();
    {
        const QSignalBlocker blocker(m_c.cuttext);
        m_c.cuttext->clear();
    }
    m_c.nPickzencheck->show();
    m_c.nPickzencheckhazusi->hide();

    m_external->show();
    m_ctx.platform.setTopmost(m_external, true);
    m_external->raise();
    syncExternal();
    if (selected >= 0)
        m_external->list()->setCurrentIndex(m_getList->model().index(selected, 0));
    m_study->ItemNumberText();
}

void Form1::MoveGetListIn()
{
    if (m_layout->focusScreen() || m_stick->shown())
        return;
    const int selected = externalShown() && m_external->list()->currentIndex().isValid()
        ? m_external->list()->currentIndex().row()
        : -1;
    m_c.Pickframe->show();
    if (m_external)
        m_external->hide();
    if (selected >= 0)
        m_getList->select(selected);
    if (m_state.testmode)
        m_c.nPickzencheck->hide();
    m_getList->refreshCount();
    m_study->ItemNumberText();
    focusGetList();
}

} // namespace keruna
