#include "app/stickcontroller.h"

#include "app/layoutcontroller.h"
#include "common/numbers.h"
#include "common/twips.h"
#include "mainscreen/maincontrols.h"
#include "mainscreen/mainmenus.h"
#include "mainscreen/mainstate.h"
#include "problemdata/range.h"
#include "settings/settingsreader.h"
#include "settings/settingsschema.h"
#include "study/stickscreen.h"
#include "ui/fonts.h"
#include "ui/platform.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>

namespace keruna {

StickController::StickController(QMainWindow& window, MainControls& controls, MainMenus& menus,
    MainState& state, Platform& platform, LayoutController& layout, QString settingsPath)
    : m_window(window)
    , m_c(controls)
    , m_menus(menus)
    , m_state(state)
    , m_platform(platform)
    , m_layout(layout)
    , m_settingsPath(std::move(settingsPath))
{
}

StickController::~StickController() = default;

bool StickController::shown() const
{
    return m_strip && m_strip->isVisible();
}

void StickController::toggle()
{
    if (m_menus.action(QStringLiteral("mbou"))->isChecked())
        CloseStick();
    else
        ShowStick();
}

bool StickController::readStickSettings()
{
    const SettingsReader r(m_settingsPath);
    const QString& S = Section::Stick;
    const auto bold = r.boolean(S, QStringLiteral("SFONTBOLD"));
    const auto italic = r.boolean(S, QStringLiteral("SFONTITALIC"));
    const auto name = r.presentText(S, QStringLiteral("SFONTNAME"));
    const auto size = r.int16(S, QStringLiteral("SFONTSIZE"));
    const auto back = r.colour(S, QStringLiteral("SFONTBACKCOLOR"));
    const auto text = r.colour(S, QStringLiteral("SFONTCOLOR"));
    StickStyle& s = m_state.stick;
    if (bold)
        s.bold = *bold;
    if (italic)
        s.italic = *italic;
    if (name) {
        substituteIfMissing(*name);
        s.name = *name;
    }
    if (size && *size > 0)
        s.size = *size;
    if (back)
        s.backColour = double(*back);
    if (text)
        s.textColour = double(*text);
    return bold && italic && name && size && *size > 0 && back && text;
}

void StickController::applyStyle()
{
    const StickStyle& s = m_state.stick;
    QFont f = m_strip->bouarea()->font();
    f.setFamilies({s.name});
    f.setBold(s.bold);
    f.setItalic(s.italic);
    f.setPointSize(s.size);
    m_strip->bouarea()->setFont(f);
    QPalette text = m_strip->bouarea()->palette();
    text.setColor(QPalette::WindowText, colorFromBgr(qint64(s.textColour)));
    m_strip->bouarea()->setPalette(text);
    QPalette back = m_strip->palette();
    back.setColor(QPalette::Window, colorFromBgr(qint64(s.backColour)));
    m_strip->setPalette(back);
}

void StickController::ShowStick()
{
    if (shown())
        return;
    if (!m_strip) {
        m_strip = std::make_unique<bougamen>();
        m_strip->onClosed = [this] { stripClosed(); };
        m_strip->onShownOrResized = [this] { stripShownOrResized(); };
        m_strip->onPopup = [this](const QPoint& at) { m_menus.popup()->popup(at); };
    }
    if (m_window.isMaximized())
        m_window.showNormal();
    m_strip->iroPic()->setVisible(m_c.iroch->isChecked());
    if (moveGetListOut && !m_c.Pickframe->isHidden())
        moveGetListOut();
    m_layout.saveWindowRect(LayoutController::View::Stick);
    const QRect main = m_layout.savedRect(LayoutController::View::Stick);
    m_window.hide();
    if (!readStickSettings()) {
        // A broken STICK section gets its defaults, and is read again.
        WriteStickDefaults(m_settingsPath);
        readStickSettings();
    }
    applyStyle();
    m_strip->setGeometry(main.x(), main.y(), std::max(200, main.width()),
        std::max(48, m_strip->bouarea()->fontMetrics().height() * 2));
    setCaption(QString());
    m_strip->bouarea()->setText(currentText ? currentText() : QString());
    m_strip->show();
    if (refreshNumber)
        refreshNumber();
}

void StickController::stripShownOrResized()
{
    m_platform.setTopmost(m_strip.get(), true);
    if (!m_strip->isVisible())
        return;
    for (const char* name : {"mdfocus", "mdmae", "mdssize", "mdttakasa"})
        m_menus.action(QString::fromLatin1(name))->setEnabled(false);
    m_menus.setCheckedWithTwin(QStringLiteral("mbou"), true);
}

void StickController::CloseStick()
{
    if (m_strip && m_strip->isVisible())
        m_strip->close(); // its close runs stripClosed
}

void StickController::stripClosed()
{
    if (m_closing)
        return;
    m_closing = true;
    for (const char* name : {"mdssize", "mdttakasa", "mdfocus"})
        m_menus.action(QString::fromLatin1(name))->setEnabled(true);
    if (!m_state.testmode)
        m_menus.action(QStringLiteral("mdmae"))->setEnabled(true);
    m_menus.setCheckedWithTwin(QStringLiteral("mbou"), false);
    m_layout.restoreWindowRect(LayoutController::View::Stick);
    m_window.show();
    writeStickSettings();
    if (refreshNumber)
        refreshNumber();
    m_closing = false;
}

void StickController::writeStickSettings()
{
    const QFont f = m_strip->bouarea()->font();
    const QString& S = Section::Stick;
    SettingsStore::WriteValues(
        {
            {S, QStringLiteral("SFONTBOLD"), boolText(f.bold())},
            {S, QStringLiteral("SFONTITALIC"), boolText(f.italic())},
            {S, QStringLiteral("SFONTNAME"), f.families().value(0, f.family())},
            {S, QStringLiteral("SFONTSIZE"), QString::number(f.pointSize())},
            {S, QStringLiteral("SFONTCOLOR"),
                QString::number(
                    bgrFromColor(m_strip->bouarea()->palette().color(QPalette::WindowText)))},
            {S, QStringLiteral("SFONTBACKCOLOR"),
                QString::number(bgrFromColor(m_strip->palette().color(QPalette::Window)))},
        },
        m_settingsPath);
}

void StickController::showText(const QString& text)
{
    if (shown())
        m_strip->bouarea()->setText(text);
}

void StickController::setCaption(const QString& caption)
{
    // Without a number the strip is named after the program; an empty title would show
    // the executable's file name instead.
    if (m_strip)
        m_strip->setWindowTitle(caption.isEmpty() ? programName() : caption);
}

void StickController::raiseStrip()
{
    if (!shown())
        return;
    m_platform.setTopmost(m_strip.get(), true);
    m_strip->raise();
}

void StickController::setTimerBarShown(bool shown)
{
    if (m_strip)
        m_strip->iroPic()->setVisible(shown);
}

void StickController::showTimerShare(double share)
{
    if (shown())
        m_strip->showTimerShare(share);
}

} // namespace keruna
