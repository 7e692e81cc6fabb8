#include "app/layoutcontroller.h"

#include "common/clock.h"
#include "common/twips.h"
#include "mainscreen/maincontrols.h"
#include "mainscreen/mainmenus.h"
#include "mainscreen/mainstate.h"
#include "study/layoutmath.h"
#include "ui/platform.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include <algorithm>

namespace keruna {

namespace {

// A line's height from the font's size, generous enough for Japanese fonts: measuring
// would load the font on the way to the first window, while the labels are still empty.
int lineHeightOf(const QFont& font)
{
    const double pixels = font.pointSizeF() > 0 ? font.pointSizeF() * 96.0 / 72.0
                                                : double(std::max(font.pixelSize(), 1));
    return int(pixels * 1.6);
}

} // namespace

LayoutController::LayoutController(QMainWindow& window, MainControls& controls, MainMenus& menus,
    MainState& state, Platform& platform, TimerFactory& timers, Hooks hooks)
    : m_window(window)
    , m_c(controls)
    , m_menus(menus)
    , m_state(state)
    , m_platform(platform)
    , m_hooks(std::move(hooks))
    , m_idle(timers.createTimer())
{
    m_idle->setInterval(150);
    m_idle->setOnTimeout([this] { idleTick(); });
    m_firstSize = std::max(1, m_c.Sizecom->currentText().toInt());
    m_secondSize = secondSizeOf(m_firstSize, m_c.hiritu->currentText().toInt());
    m_labelTop = labelTopTwips(m_c.takasacom->currentText().toInt());
}

LayoutController::~LayoutController() = default;

void LayoutController::sizeChosen(int index)
{
    setFirstSize(m_c.Sizecom->itemText(index).toInt());
    if (!m_c.hiritu->currentText().isEmpty()) {
        ApplyFontLayout();
        m_menus.checkOnlyInArray(QStringLiteral("msize"), index);
    }
}

void LayoutController::setFirstSize(int size)
{
    m_firstSize = size;
    m_secondSize = secondSizeOf(std::max(1, size), m_c.hiritu->currentText().toInt());
}

void LayoutController::ratioChosen(int index)
{
    m_secondSize = secondSizeOf(std::max(1, m_firstSize), m_c.hiritu->itemText(index).toInt());
    ApplyFontLayout();
    m_menus.checkOnlyInArray(QStringLiteral("mhiritu"), index);
}

void LayoutController::heightChosen(int index)
{
    m_labelTop = labelTopTwips(m_c.takasacom->itemText(index).toInt());
    ApplyFontLayout();
    m_menus.checkOnlyInArray(QStringLiteral("mtakasa"), index);
}

void LayoutController::tickMenus()
{
    m_menus.checkOnlyInArray(QStringLiteral("msize"), m_c.Sizecom->currentIndex());
    m_menus.checkOnlyInArray(QStringLiteral("mhiritu"), m_c.hiritu->currentIndex());
    m_menus.checkOnlyInArray(QStringLiteral("mtakasa"), m_c.takasacom->currentIndex());
}

void LayoutController::applyLabelFonts()
{
    m_firstSize = std::max(1, m_firstSize);
    m_secondSize = std::max(1, m_secondSize);
    auto setSize = [](QLabel* label, int points) {
        QFont f = label->font();
        if (f.pointSize() != points) {
            f.setPointSize(points);
            label->setFont(f);
        }
    };
    const bool numberTest = m_hooks.numberTest && m_hooks.numberTest();
    if (numberTest || m_state.options.longText) {
        setSize(m_c.Label1, m_firstSize);
        return;
    }
    // The first size belongs to the file's first column, whichever side shows it.
    const bool reversed = m_hooks.reversed && m_hooks.reversed();
    setSize(m_c.Label1, reversed ? m_secondSize : m_firstSize);
    setSize(m_c.Label2, reversed ? m_firstSize : m_secondSize);
}

void LayoutController::ApplyFontLayout()
{
    applyLabelFonts();
    relayout();
    fitGetPanel();
}

void LayoutController::PlaceItemFrame()
{
    relayout();
}

LayoutController::ItemLines LayoutController::designedLines() const
{
    const bool reversed = m_hooks.reversed && m_hooks.reversed();
    const ItemFramePlace place = itemFramePlace(m_focus, reversed);
    const bool numberTest = m_hooks.numberTest && m_hooks.numberTest();
    ItemLines lines;
    lines.question = twipsToPixels(place.frameTop + m_labelTop + (numberTest ? 500 : 0));
    lines.answer = twipsToPixels(place.frameTop
        + answerTopTwips(
            m_labelTop, m_c.Label1->font().pointSize(), m_state.options.answerSpacing));
    // Long text and the number test write on the first line only.
    lines.bottom = numberTest || m_state.options.longText
        ? lines.question + lineHeightOf(m_c.Label1->font())
        : lines.answer + lineHeightOf(m_c.Label2->font());
    return lines;
}

void LayoutController::relayout()
{
    const bool reversed = m_hooks.reversed && m_hooks.reversed();
    const ItemFramePlace place = itemFramePlace(m_focus, reversed);
    // The frame reaches 1200 twips below the window's inner edge; what shows of it is
    // the item area.
    const int width = m_c.Mframe->width();
    const int height = m_c.Mframe->height();
    const int frameHeight = int(pixelsToTwips(height)) + 1200;
    const int margin = twipsToPixels(240);
    const int labelWidth = width > twipsToPixels(480) ? width - twipsToPixels(480) : width;
    // An area too short for the lines where the height choice puts them lifts both, so
    // that the answer never hides under the typing row; the area is never shorter than
    // the lifted lines (short of half the screen, for the largest fonts).
    const ItemLines lines = designedLines();
    const int screenHalf = m_platform.screenGeometry(&m_window).height() / 2;
    const int least = std::max(120, std::min(lines.bottom - lines.question, screenHalf));
    if (m_c.Mframe->minimumHeight() != least)
        m_c.Mframe->setMinimumHeight(least);
    const int lift = std::clamp(lines.bottom - height, 0, std::max(0, lines.question));
    const int top1 = lines.question - lift;
    const int top2 = lines.answer - lift;
    // In long-text mode the first label carries question and answer and takes the room.
    const int label1Height
        = m_state.options.longText ? height - top1 : std::max(top2 - top1, twipsToPixels(400));
    m_c.Label1->setGeometry(margin, top1, labelWidth, std::max(0, label1Height));
    m_c.Label2->setGeometry(margin, top2, labelWidth, std::max(0, height - top2));
    const int numberHeight = lineHeightOf(m_c.NoLabel->font());
    const int numberTop = twipsToPixels(place.frameTop + frameHeight - place.numberFromFrameBottom);
    m_c.NoLabel->setGeometry(
        margin, std::min(numberTop, height - numberHeight), labelWidth, numberHeight);

    QLabel* idle = m_c.Image1[0];
    idle->move((width - idle->width()) / 2, (height - idle->height()) / 2);
    m_c.Image1[1]->move(idle->x() - m_c.Image1[1]->width() - 8, idle->y());
    m_c.Image1[2]->move(idle->x() + idle->width() + 8, idle->y());
    m_c.iroPic->setGeometry(margin, twipsToPixels(120), labelWidth, 8);
    m_c.Image1_10->move(width - m_c.Image1_10->width() - margin, margin);
    if (m_focus)
        m_c.FocusBackbtn->move(
            width - m_c.FocusBackbtn->width() - 8, height - m_c.FocusBackbtn->height() - 8);
}

void LayoutController::saveWindowRect(View view)
{
    if (m_window.isMaximized())
        m_window.showNormal();
    m_saved[int(view)] = m_window.geometry();
}

void LayoutController::restoreWindowRect(View view)
{
    if (m_saved[int(view)].isValid())
        m_window.setGeometry(m_saved[int(view)]);
}

void LayoutController::enterFocusScreen()
{
    if (m_focus)
        return;
    saveWindowRect(View::Focus);
    const QRect& saved = m_saved[int(View::Focus)];
    const QSize box = focusCentringBoxTwips(m_firstSize);
    const QSize size = focusWindowTwips(m_firstSize);
    m_window.hide();
    m_c.mnuFrame->hide();
    for (const char* name : {"mfile", "mhensyuu", "msyosiki", "mhyouzi", "mhelp"})
        m_menus.action(QString::fromLatin1(name))->setVisible(false);
    m_window.menuBar()->hide();
    // The window may only shrink once its layout knows the bar is gone.
    m_window.centralWidget()->layout()->activate();
    m_window.layout()->activate();
    const int left = saved.x() + (saved.width() - twipsToPixels(box.width())) / 2;
    const int top = saved.y() + (saved.height() - twipsToPixels(box.height())) / 2;
    m_window.setGeometry(left, top, twipsToPixels(size.width()), twipsToPixels(size.height()));
    m_focus = true;
    m_c.FocusBackbtn->show();
    m_c.FocusBackbtn->raise();
    m_menus.setCheckedWithTwin(QStringLiteral("mfocus"), true);
    if (m_hooks.moveGetListOut && !m_c.Pickframe->isHidden())
        m_hooks.moveGetListOut();
    relayout();
    if (m_hooks.refreshNumber)
        m_hooks.refreshNumber();
    if (m_hooks.refreshCaption)
        m_hooks.refreshCaption();
    m_window.show();
}

void LayoutController::leaveFocusScreen()
{
    if (!m_focus)
        return;
    if (m_window.isMaximized())
        m_window.showNormal();
    m_window.hide();
    m_c.mnuFrame->show();
    for (const char* name : {"mfile", "mhensyuu", "msyosiki", "mhyouzi", "mhelp"})
        m_menus.action(QString::fromLatin1(name))->setVisible(true);
    m_window.menuBar()->show();
    m_c.FocusBackbtn->hide();
    m_focus = false;
    if (m_hooks.refreshCaption)
        m_hooks.refreshCaption();
    m_menus.setCheckedWithTwin(QStringLiteral("mfocus"), false);
    restoreWindowRect(View::Focus);
    relayout();
    if (m_hooks.refreshNumber)
        m_hooks.refreshNumber();
    m_window.show();
}

void LayoutController::toggleAlwaysOnTop()
{
    const bool onTop = !m_menus.action(QStringLiteral("mmae"))->isChecked();
    m_platform.setTopmost(&m_window, onTop);
    if (m_hooks.setCompanionsTopmost)
        m_hooks.setCompanionsTopmost(onTop);
    m_menus.setCheckedWithTwin(QStringLiteral("mmae"), onTop);
    if (m_hooks.raiseToolWindows)
        m_hooks.raiseToolWindows();
}

void LayoutController::fitGetPanel()
{
    if (m_c.Pickframe->isHidden())
        return; // fitted when it is shown
    const int remembered
        = twipsToPixels(m_window.isMaximized() ? m_panelHeightMaximized : m_panelHeight);
    int others = m_c.Imgspl->height();
    for (QWidget* w : {m_c.typeRow, m_c.testFrame, m_c.mnuFrame}) {
        if (!w->isHidden())
            others += w->sizeHint().height();
    }
    // Above the panel stays at least the button bar's height, and the item's lines where
    // the height choice puts them: the panel gives way before the answer does.
    const int keep = std::max(m_c.mnuFrame->sizeHint().height(), designedLines().bottom);
    const int room = m_window.centralWidget()->height() - others - keep;
    m_c.Pickframe->setFixedHeight(std::max(0, std::min(remembered, room)));
}

void LayoutController::windowResized()
{
    relayout();
    fitGetPanel();
    if (m_menus.action(QStringLiteral("mmae"))->isChecked())
        m_platform.setTopmost(&m_window, true);
    if (m_window.isMaximized() || m_window.isMinimized() || !m_window.isVisible())
        return;
    // A window in normal state is kept on the screen.
    const QRect screen = m_platform.screenGeometry(&m_window);
    QRect g = m_window.geometry();
    const int margin = twipsToPixels(1000);
    g.setWidth(std::min(g.width(), screen.width()));
    g.setHeight(std::min(g.height(), screen.height()));
    int left = g.x() < screen.left() ? screen.left() : std::min(g.x(), screen.right() - margin);
    int top = g.y() < screen.top() ? screen.top() : std::min(g.y(), screen.bottom() - margin);
    g.moveTo(left, top);
    if (g != m_window.geometry())
        m_window.setGeometry(g);
}

void LayoutController::splitterPressed(int y)
{
    m_dragOffset = y;
    m_c.Picspl->setGeometry(0, m_c.Pickframe->y(), m_window.centralWidget()->width(), 4);
    m_c.Picspl->show();
    m_c.Picspl->raise();
}

void LayoutController::splitterMoved(int y)
{
    if (m_dragOffset < 0)
        return;
    const int inner = int(pixelsToTwips(m_window.centralWidget()->height()));
    const int m = int(pixelsToTwips(m_c.mnuFrame->sizeHint().height()));
    const int proposed = int(pixelsToTwips(m_c.Pickframe->y() + y - m_dragOffset));
    m_c.Picspl->move(0, twipsToPixels(clampSplitterTop(proposed, inner, m)));
}

void LayoutController::splitterReleased()
{
    if (m_dragOffset < 0)
        return;
    m_dragOffset = -1;
    // The panel spans from the indicator down to the button bar.
    const int inner = int(pixelsToTwips(m_window.centralWidget()->height()));
    const int barTop
        = inner - int(pixelsToTwips(m_c.mnuFrame->isVisible() ? m_c.mnuFrame->height() : 0));
    const int height = std::max(0, barTop - int(pixelsToTwips(m_c.Picspl->y())));
    (m_window.isMaximized() ? m_panelHeightMaximized : m_panelHeight) = height;
    fitGetPanel();
    m_c.Picspl->hide();
}

void LayoutController::startIdleAnimation()
{
    m_idleTicks = 0;
    m_idle->setEnabled(true);
}

void LayoutController::stopIdleAnimation()
{
    m_idle->setEnabled(false);
    m_c.Image1[1]->hide();
    m_c.Image1[2]->hide();
}

void LayoutController::idleTick()
{
    // Three ticks a cycle: the first sparkle, the second, neither; 31 ticks in all.
    ++m_idleTicks;
    const int phase = (m_idleTicks - 1) % 3;
    m_c.Image1[1]->setVisible(phase == 0);
    m_c.Image1[2]->setVisible(phase == 1);
    if (m_idleTicks >= 31)
        stopIdleAnimation();
}

} // namespace keruna
