#include "app/form1.h"

#include "app/layoutcontroller.h"
#include "app/stickcontroller.h"
#include "common/numbers.h"
#include "common/twips.h"
#include "mainscreen/mainmenus.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "study/stickscreen.h"
#include "ui/platform.h"
#include "ui/shownfont.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>

#include <cmath>

// Form1: the fonts and colours of the 書式 menu, through the platform's dialogs.
namespace keruna {

namespace {

enum class FontTarget { Question, Answer, Number, Stick, Input, List };

// The dialog only offers fonts the system has; a name it could not have offered (not a
// family here, nor one the font system maps to a family) is refused like a cancel.
bool fontExists(const QString& family)
{
    if (family.isEmpty())
        return false;
    if (!QFont::substitutes(family).isEmpty())
        return true;
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

int wholePoints(const QFont& font)
{
    return std::max(1, int(std::lround(font.pointSizeF())));
}

} // namespace

void Form1::wireAppearance()
{
    // A dialog of the main window must not open behind the always-on-top tool windows:
    // the main window is on top while it is open, and the tool windows go back above it.
    auto aboveToolWindows = [this](auto showDialog) {
        QList<QWidget*> tools;
        if (m_stick->shown())
            tools.append(m_stick->strip());
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != this && !tools.contains(w) && w->isVisible()
                && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
                tools.append(w);
        }
        if (!tools.isEmpty())
            m_ctx.platform.setTopmost(this, true);
        auto result = showDialog();
        if (!tools.isEmpty()) {
            if (!m_menus->action(QStringLiteral("mmae"))->isChecked())
                m_ctx.platform.setTopmost(this, false);
            for (QWidget* w : tools) {
                m_ctx.platform.setTopmost(w, true);
                w->raise();
            }
        }
        return result;
    };

    auto writeStick = [this](const QList<SettingEntry>& entries) {
        SettingsStore::WriteValues(entries, settingsPath());
    };

    auto chooseFont = [this, aboveToolWindows, writeStick](FontTarget target) {
        QFont preset;
        switch (target) {
        case FontTarget::Question:
            preset = m_c.Label1->font();
            preset.setPointSize(std::max(1, m_layout->firstSize()));
            break;
        case FontTarget::Answer:
            preset = m_c.Label2->font();
            preset.setPointSize(std::max(1, m_layout->secondSize()));
            break;
        case FontTarget::Number:
            preset = m_c.NoLabel->font();
            break;
        case FontTarget::Stick: {
            const StickStyle& s = m_state.stick;
            preset = m_stick->strip() ? m_stick->strip()->bouarea()->font() : QFont();
            preset.setFamilies({s.name});
            preset.setBold(s.bold);
            preset.setItalic(s.italic);
            preset.setPointSize(std::max(1, s.size));
            break;
        }
        case FontTarget::Input:
            preset = fontWhenShown(m_c.cuttext);
            break;
        case FontTarget::List:
            preset = fontWhenShown(m_c.Picklist);
            break;
        }
        const std::optional<QFont> chosen
            = aboveToolWindows([&] { return m_ctx.platform.chooseFont(this, preset); });
        if (!chosen)
            return;
        const QString name = chosen->families().value(0, chosen->family());
        if (!fontExists(name))
            return;
        // Name, bold and italic on a font that keeps the control's other properties.
        auto restyled = [&](QFont f) {
            f.setFamilies({name});
            f.setBold(chosen->bold());
            f.setItalic(chosen->italic());
            return f;
        };
        auto sized = [&](QFont f) {
            f.setPointSizeF(
                chosen->pointSizeF() > 0 ? chosen->pointSizeF() : double(wholePoints(*chosen)));
            return f;
        };
        switch (target) {
        case FontTarget::Question: {
            // The labels' sizes come from the layout: the new one shows at the next item.
            m_c.Label1->setFont(restyled(m_c.Label1->font()));
            const int second = m_layout->secondSize();
            m_layout->setFirstSize(wholePoints(*chosen));
            m_layout->setSecondSize(second);
            break;
        }
        case FontTarget::Answer:
            m_c.Label2->setFont(restyled(m_c.Label2->font()));
            m_layout->setSecondSize(wholePoints(*chosen));
            break;
        case FontTarget::Number:
            m_c.NoLabel->setFont(sized(restyled(m_c.NoLabel->font())));
            break;
        case FontTarget::Stick: {
            StickStyle& s = m_state.stick;
            s.name = name;
            s.bold = chosen->bold();
            s.italic = chosen->italic();
            s.size = std::min(wholePoints(*chosen), 32767);
            if (bougamen* strip = m_stick->strip()) {
                QFont f = restyled(strip->bouarea()->font());
                f.setPointSize(s.size);
                strip->bouarea()->setFont(f);
            }
            const QString& S = Section::Stick;
            writeStick({
                {S, QStringLiteral("SFONTBOLD"), boolText(s.bold)},
                {S, QStringLiteral("SFONTITALIC"), boolText(s.italic)},
                {S, QStringLiteral("SFONTNAME"), s.name},
                {S, QStringLiteral("SFONTSIZE"), QString::number(s.size)},
            });
            break;
        }
        case FontTarget::Input:
            setFontWhenShown(m_c.cuttext, sized(restyled(fontWhenShown(m_c.cuttext))));
            break;
        case FontTarget::List:
            setFontWhenShown(m_c.Picklist, sized(restyled(fontWhenShown(m_c.Picklist))));
            m_c.Picklist->viewport()->update();
            break;
        }
    };

    const std::pair<const char*, FontTarget> fontItems[] = {
        {"mfmondai", FontTarget::Question},
        {"mfkotae", FontTarget::Answer},
        {"mflabel", FontTarget::Number},
        {"mfsmozi", FontTarget::Stick},
        {"mftext", FontTarget::Input},
        {"mflist", FontTarget::List},
    };
    // Copied by an init-capture: clang 14 cannot capture a structured binding.
    for (const auto& [name, target] : fontItems)
        m_menus->onCommand(
            QString::fromLatin1(name), [chooseFont, item = target] { chooseFont(item); });

    // irobtn: the colour of the target that irocom names.
    auto chooseColour = [this, aboveToolWindows, writeStick] {
        const int target = m_c.irocom->currentIndex();
        StickStyle& stick = m_state.stick;
        qint64 current = 0;
        switch (target) {
        case 0:
            current = m_state.backColour;
            break;
        case 1:
            current = m_state.questionColour;
            break;
        case 2:
            current = m_state.answerColour;
            break;
        case 3:
            current = m_state.numberColour;
            break;
        case 4:
            current = qint64(stick.textColour);
            break;
        case 5:
            current = qint64(stick.backColour);
            break;
        default:
            return;
        }
        const std::optional<QColor> chosen = aboveToolWindows(
            [&] { return m_ctx.platform.chooseColor(this, colorFromBgr(current)); });
        if (!chosen || !chosen->isValid())
            return;
        const qint64 bgr = bgrFromColor(*chosen);
        bougamen* strip = m_stick->strip();
        switch (target) {
        case 0:
            m_state.backColour = bgr;
            break;
        case 1:
            m_state.questionColour = bgr;
            break;
        case 2:
            m_state.answerColour = bgr;
            break;
        case 3:
            m_state.numberColour = bgr;
            break;
        case 4: {
            stick.textColour = double(bgr);
            if (strip) {
                QPalette p = strip->bouarea()->palette();
                p.setColor(QPalette::WindowText, colorFromBgr(bgr));
                strip->bouarea()->setPalette(p);
            }
            writeStick({{Section::Stick, QStringLiteral("SFONTCOLOR"), QString::number(bgr)}});
            return;
        }
        case 5: {
            stick.backColour = double(bgr);
            if (strip) {
                QPalette p = strip->palette();
                p.setColor(QPalette::Window, colorFromBgr(bgr));
                strip->setPalette(p);
            }
            writeStick({{Section::Stick, QStringLiteral("SFONTBACKCOLOR"), QString::number(bgr)}});
            return;
        }
        }
        applyColours();
    };
    QObject::connect(m_c.irobtn, &QToolButton::clicked, this, chooseColour);

    const char* colourItems[]
        = {"mhaikeiiro", "mmondaiiro", "mkotaeiro", "mlabeliro", "msmoziiro", "mshaikeiiro"};
    for (int i = 0; i < 6; ++i) {
        m_menus->onCommand(QString::fromLatin1(colourItems[i]), [this, i, chooseColour] {
            m_c.irocom->setCurrentIndex(i);
            chooseColour();
        });
    }
}

} // namespace keruna
