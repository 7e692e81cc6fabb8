#include "app/form1.h"

#include "app/stickcontroller.h"
#include "getlist/pickgamen.h"
#include "mainscreen/mainmenus.h"
#include "speech/texthatuongamen.h"
#include "ui/platform.h"

#include <QAction>
#include <QToolButton>

namespace keruna {

void Form1::wirePalette()
{
    // Made on first opening and kept (hidden) afterwards, so that the drawing and the
    // boxes survive closing and opening it again.
    auto palette = [this] {
        if (auto* p = findChild<texthatuongamen*>(QStringLiteral("texthatuongamen")))
            return p;
        auto* p = new texthatuongamen(
            m_ctx.speech, [this] { return m_state.options.voiceIndex; }, this);
        // On: the palette is one of the tool windows put back on top below. Off: it leaves
        // the top, and the others (the main window too when kept on top) go back above it.
        p->alwaysOnTopClicked = [this, p](bool onTop) {
            if (!onTop) {
                m_ctx.platform.setTopmost(p, false);
                if (m_menus->action(QStringLiteral("mmae"))->isChecked())
                    m_ctx.platform.setTopmost(this, true);
            }
            raiseToolWindows();
        };
        return p;
    };
    auto open = [this, palette] {
        texthatuongamen* p = palette();
        p->show();
        p->raise();
        p->activateWindow();
    };
    connect(m_c.Texthatuonbtn, &QToolButton::clicked, this, open);
    m_menus->onCommand(QStringLiteral("mtexthatuon"), open);
    // The main screen's always-on-top takes a shown palette along; a palette whose own box
    // asks to stay on top stays there. The menu's command has run by now.
    connect(m_menus->action(QStringLiteral("mmae")), &QAction::triggered, this, [this] {
        auto* p = findChild<texthatuongamen*>(QStringLiteral("texthatuongamen"));
        if (!p || !p->isVisible())
            return;
        const bool mainOnTop = m_menus->action(QStringLiteral("mmae"))->isChecked();
        m_ctx.platform.setTopmost(p, mainOnTop || p->alwaysOnTop());
    });
    eraseHandwriting = [this] {
        if (auto* p = findChild<texthatuongamen*>(QStringLiteral("texthatuongamen")))
            p->eraseForNewItem();
    };
}

bool Form1::paletteOnTop() const
{
    const auto* p = findChild<texthatuongamen*>(QStringLiteral("texthatuongamen"));
    return p && p->isVisible() && p->alwaysOnTop();
}

void Form1::raiseToolWindows()
{
    if (auto* p = findChild<texthatuongamen*>(QStringLiteral("texthatuongamen"));
        p && p->isVisible() && p->alwaysOnTop()) {
        m_ctx.platform.setTopmost(p, true);
        p->raise();
    }
    m_stick->raiseStrip();
    if (externalShown()) {
        m_ctx.platform.setTopmost(externalScreen(), true);
        externalScreen()->raise();
    }
}

} // namespace keruna
