#include "app/studyinput.h"

#include "getlist/getlist.h"
#include "mainscreen/maincontrols.h"
#include "mainscreen/mainmenus.h"
#include "mainscreen/mainstate.h"
#include "quiz/testengine.h"
#include "study/studyengine.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <optional>

namespace keruna {

namespace {

// A box the user edits text in: its editing keys are its own.
bool editableBox(const QWidget* w)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
        // The line edit of an editable combo box, or a box of its own.
        return !edit->isReadOnly();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->isEditable();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w))
        return !spin->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(w))
        return !text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w))
        return !plain->isReadOnly();
    return false;
}

// Whether a key sits in the digit row, told by where it is on the keyboard; nothing when
// the platform's key positions are unknown.
std::optional<bool> inDigitRow(quint32 scanCode, const QString& platform)
{
    if (scanCode == 0)
        return std::nullopt;
    if (platform == QLatin1String("xcb") || platform == QLatin1String("wayland"))
        return scanCode >= 10 && scanCode <= 19; // evdev 1 … 0, plus 8
    if (platform == QLatin1String("windows"))
        return scanCode >= 2 && scanCode <= 11;
    if (platform == QLatin1String("cocoa")) {
        constexpr std::array<quint32, 10> digits {18, 19, 20, 21, 23, 22, 26, 28, 25, 29};
        return std::find(digits.begin(), digits.end(), scanCode) != digits.end();
    }
    return std::nullopt;
}

} // namespace

StudyInput::StudyInput(QMainWindow& window, MainControls& controls, MainMenus& menus,
    MainState& state, StudyEngine& study, TestEngine& test, GetList& getList)
    : QObject(&window)
    , m_window(window)
    , m_c(controls)
    , m_menus(menus)
    , m_state(state)
    , m_study(study)
    , m_test(test)
    , m_getList(getList)
{
    qApp->installEventFilter(this);
    // During a test the type box switches between typed and guessed answers.
    connect(m_c.typec, &QCheckBox::toggled, this, [this](bool on) {
        if (m_state.testmode)
            m_test.inputModeChanged(on);
        else
            typingModeChanged(on);
    });
    connect(m_c.cuttabc, &QToolButton::clicked, this, [this] {
        m_study.userCommand([this] {
            if (m_state.testmode)
                m_test.showAnswerByTab();
            else
                m_study.showAnswerByTab();
        });
    });
    connect(m_c.cuttext, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_study.userCommand([this, text] {
            if (m_state.testmode)
                m_test.typedTextChanged(text);
            else
                m_study.typedTextChanged(text);
        });
    });
    connect(m_c.testTEISIbtn, &QToolButton::clicked, this,
        [this] { m_study.userCommand([this] { m_study.PauseStudy(); }); });
    connect(m_c.testSAIKAIbtn, &QToolButton::clicked, this,
        [this] { m_study.userCommand([this] { m_study.ResumeStudy(); }); });
}

void StudyInput::typingModeChanged(bool on)
{
    m_c.typeRow->setVisible(on);
    m_c.cuttext->setEnabled(on && m_study.itemCurrent() && !m_study.itemTaken());
    m_c.cuttext->clear();
    ApplyStudyGuidance();
    if (on)
        m_c.cuttext->setFocus();
}

void StudyInput::ApplyStudyGuidance()
{
    const bool typing = m_c.typec->isChecked();
    if (typing) {
        m_c.listmaru->setToolTip(tr("リストに追加"));
        m_c.listmodosi->setToolTip(tr("リストから外す(チェックでまとめて削除)"));
        m_c.Fteisibtn->setToolTip(tr("一時停止　※Enter"));
        m_c.Fsaikaibtn->setToolTip(tr("再開　※Enter"));
        m_c.testKEKKAlabel[1]->setText(tr("止Enter  答Tab  次Shift+Enter"));
    } else {
        m_c.listmaru->setToolTip(tr("リストに追加　※Enter"));
        m_c.listmodosi->setToolTip(tr("リストから外す(チェックでまとめて削除)　※BackSpace"));
        m_c.Fteisibtn->setToolTip(tr("一時停止　※Delete"));
        m_c.Fsaikaibtn->setToolTip(tr("再開　※Delete"));
        m_c.testKEKKAlabel[1]->setText(tr("○Enter  削BS  止Del  答Tab  次Shift+Enter"));
    }
}

bool StudyInput::eventFilter(QObject* watched, QEvent* event)
{
    // Each key once, where it first arrives: the focused control of the main screen or of
    // the external GET screen, whose keys are those of the GET panel.
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &m_window;
    QWidget* outside = external ? external() : nullptr;
    const bool onExternal = outside && target->window() == outside;
    if (watched != target || (target->window() != &m_window && !onExternal))
        return false;
    const bool typingBox = watched == m_c.cuttext
        || (onExternal && watched == outside->findChild<QLineEdit*>(QStringLiteral("cuttext")));
    if (event->type() == QEvent::InputMethod && typingBox) {
        // Typing through an input method pauses the presentation too.
        if (!static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty()
            && !m_menus.action(QStringLiteral("mteisi"))->isChecked())
            typingStarted();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!typingBox && editableBox(target) && ownedByBox(key))
        return false;
    if (mainScreenKey(key, onExternal))
        return true;
    if (typingBox)
        return typingBoxKey(key, onExternal ? outside : nullptr);
    return false;
}

bool StudyInput::ownedByBox(const QKeyEvent* key)
{
    // Shift+Enter (skip) and Ctrl (speak) mean nothing to a box and stay the screen's.
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return !key->modifiers().testFlag(Qt::ShiftModifier);
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

bool StudyInput::manualTestRunning() const
{
    return m_state.testmode && m_state.testKind == TestKind::Manual;
}

void StudyInput::toggleSelectedJudgement()
{
    const int at = m_getList.selectedIndex();
    if (at >= 0)
        m_getList.setChecked(at, !m_getList.isChecked(at));
    m_test.getListClicked();
}

bool StudyInput::mainScreenKey(QKeyEvent* key, bool onExternal)
{
    // A finished test's results stay still until Start, Open or the next test.
    if (!m_study.itemCurrent() || (!m_state.testmode && m_state.testResultsHeld))
        return false;
    if (key->key() == Qt::Key_Control) {
        m_c.testvoice->click();
        return true;
    }
    if (m_c.Pickframe->isHidden() && !onExternal)
        return false;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && key->modifiers().testFlag(Qt::ShiftModifier)) {
        m_c.listSkipbtn->click();
        return true;
    }
    if (m_c.typec->isChecked())
        return false;
    if (key->key() == Qt::Key_Tab) {
        m_c.cuttabc->click();
        return true;
    }
    if (manualTestRunning() && m_c.syudouskip->isEnabled()) {
        if (enter) {
            if (m_c.syudouKAKUNIN->isEnabled())
                m_c.syudouKAKUNIN->click();
            else
                m_c.syudouMARU->click();
            return true;
        }
        if (key->key() == Qt::Key_Backspace) {
            if (!m_c.syudouKAKUNIN->isEnabled())
                m_c.syudouBATU->click();
            else if (!m_getList.isEmpty())
                toggleSelectedJudgement();
            return true;
        }
        return false;
    }
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_c.listmaru->click();
        return true;
    case Qt::Key_Delete:
        m_menus.action(QStringLiteral("mteisi"))->trigger();
        return true;
    case Qt::Key_Backspace:
        if (!m_getList.isEmpty()) {
            if (m_state.testmode)
                toggleSelectedJudgement();
            else
                m_c.listmodosi->click();
        }
        return true;
    default:
        return false;
    }
}

bool StudyInput::typingBoxKey(QKeyEvent* key, QWidget* external)
{
    if (key->key() == Qt::Key_Tab) {
        if (m_c.typec->isChecked())
            m_c.cuttabc->click();
        return true; // the Tab character never goes into the box
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // The skip buttons of the screen the box is on.
        auto usable = [external](QWidget* mine) {
            QWidget* w = external ? external->findChild<QWidget*>(mine->objectName()) : mine;
            return w && w->isVisible() && w->isEnabled();
        };
        const bool skipUsable = usable(m_c.listSkipbtn) || usable(m_c.syudouskip);
        if (skipUsable) {
            // The pause buttons' own actions: the buttons are disabled when they do not apply.
            if (manualTestRunning())
                m_c.syudouskip->click();
            else if (m_menus.action(QStringLiteral("mteisi"))->isChecked())
                m_study.userCommand([this] { m_study.ResumeStudy(); });
            else
                m_study.userCommand([this] { m_study.PauseStudy(); });
        }
        return true;
    }
    if (pausesWhileTyping(*key, QGuiApplication::platformName())
        && !m_menus.action(QStringLiteral("mteisi"))->isChecked())
        typingStarted();
    return false;
}

void StudyInput::typingStarted()
{
    // The presentation waits while the user types; a manual test's countdown stops.
    if (manualTestRunning())
        m_test.stopCountdown();
    else
        m_study.userCommand([this] { m_study.PauseStudy(); });
}

bool StudyInput::pausesWhileTyping(const QKeyEvent& key, const QString& platform)
{
    // Keys that start typing: letters, the digit row (shifted too: ! " # … ), space, the
    // keypad, function and editing keys; the punctuation keys do not. A shifted digit's
    // character depends on the layout (' is Shift+7 on a Japanese keyboard and a key of
    // its own on a US one), so the digit row is told by position where the platform says.
    const int k = key.key();
    const bool digitSymbol = (k >= Qt::Key_Exclam && k <= Qt::Key_Asterisk) || k == Qt::Key_At
        || k == Qt::Key_AsciiCircum;
    const std::optional<bool> digitRow = inDigitRow(key.nativeScanCode(), platform);
    const bool shiftedDigit
        = digitRow ? *digitRow : digitSymbol && key.modifiers().testFlag(Qt::ShiftModifier);
    return key.modifiers().testFlag(Qt::KeypadModifier) || shiftedDigit || k == Qt::Key_Space
        || k == Qt::Key_PageUp || k == Qt::Key_PageDown || k == Qt::Key_End || k == Qt::Key_Home
        || k == Qt::Key_Insert || k == Qt::Key_Help || (k >= Qt::Key_0 && k <= Qt::Key_9)
        || (k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_F1 && k <= Qt::Key_F15);
}

} // namespace keruna
