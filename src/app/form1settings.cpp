#include "app/form1.h"

#include "app/layoutcontroller.h"
#include "common/numbers.h"
#include "common/twips.h"
#include "mainscreen/mainmenus.h"
#include "settings/settingsreader.h"
#include "settings/settingsschema.h"
#include "ui/fonts.h"
#include "ui/platform.h"
#include "ui/shownfont.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTreeView>

// Form1: reading the stored settings at start-up, the repair offer, and the exit set.
namespace keruna {

namespace {

// Puts a text into a combo box: any text into an editable one, only a listed item into a
// drop-down list (as a list box refuses anything else).
bool setComboText(QComboBox* combo, const QString& text)
{
    if (combo->isEditable()) {
        combo->setEditText(text);
        return true;
    }
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index < 0)
        return false;
    combo->setCurrentIndex(index);
    return true;
}

// Start-up runs every step even when an earlier one failed, and remembers failures.
class StepLog {
public:
    void step(bool ok)
    {
        if (!ok)
            m_failed = true;
    }
    bool failed() const { return m_failed; }

private:
    bool m_failed = false;
};

} // namespace

bool Form1::readStoredSettings()
{
    const SettingsReader r(settingsPath());
    StepLog log;
    const QString& F = Section::Form;

    // Fonts: bold, italic, name and, for the smaller texts, size.
    auto readFont = [&](const QString& prefix, QFont font, bool withSize) {
        const auto bold = r.boolean(F, prefix + QStringLiteral("FONTBOLD"));
        if (bold)
            font.setBold(*bold);
        log.step(bold.has_value());
        const auto italic = r.boolean(F, prefix + QStringLiteral("FONTITALIC"));
        if (italic)
            font.setItalic(*italic);
        log.step(italic.has_value());
        const auto name = r.presentText(F, prefix + QStringLiteral("FONTNAME"));
        if (name) {
            substituteIfMissing(*name);
            font.setFamilies({*name});
        }
        log.step(name.has_value());
        if (withSize) {
            const auto size = r.number(F, prefix + QStringLiteral("FONTSIZE"));
            const bool ok = size && *size > 0 && *size <= 2048;
            if (ok)
                font.setPointSizeF(*size);
            log.step(ok);
        }
        return font;
    };
    m_c.Label1->setFont(readFont(QStringLiteral("Q"), m_c.Label1->font(), false));
    m_c.Label2->setFont(readFont(QStringLiteral("A"), m_c.Label2->font(), false));
    m_c.NoLabel->setFont(readFont(QStringLiteral("N"), m_c.NoLabel->font(), true));
    setFontWhenShown(m_c.cuttext, readFont(QStringLiteral("T"), fontWhenShown(m_c.cuttext), true));
    setFontWhenShown(
        m_c.Picklist, readFont(QStringLiteral("L"), fontWhenShown(m_c.Picklist), true));
    m_state.databaseFont
        = fontSettingOf(readFont(QStringLiteral("D"), fontOf(m_state.databaseFont), true), true);

    auto colourStep = [&](const QString& section, const QString& key, qint64& target) {
        const auto v = r.colour(section, key);
        if (v)
            target = *v;
        log.step(v.has_value());
    };
    colourStep(F, QStringLiteral("BACK"), m_state.backColour);
    colourStep(Section::Q, QStringLiteral("Q"), m_state.questionColour);
    colourStep(Section::A, QStringLiteral("A"), m_state.answerColour);
    colourStep(Section::L, QStringLiteral("L"), m_state.numberColour);

    auto boolStep = [&](const QString& section, const QString& key, auto apply) {
        const auto v = r.boolean(section, key);
        if (v)
            apply(*v);
        log.step(v.has_value());
    };
    auto checkStep = [&](const QString& section, const QString& key, QAbstractButton* box) {
        const auto v = r.checkBox(section, key);
        if (v)
            box->setChecked(*v == 1);
        log.step(v.has_value());
    };
    auto comboStep = [&](const QString& section, const QString& key, QComboBox* box) {
        log.step(setComboText(box, r.text(section, key)));
    };

    boolStep(F, QStringLiteral("RANDOM"), [this](bool v) { m_c.Rndop[0]->setChecked(v); });
    boolStep(F, QStringLiteral("NORMAL"), [this](bool v) { m_c.Rndop[1]->setChecked(v); });
    const bool random = m_c.Rndop[0]->isChecked();
    m_menus->setCheckedWithTwin(QStringLiteral("mrandom"), random);
    m_menus->setCheckedWithTwin(QStringLiteral("mnormal"), !random);
    checkStep(F, QStringLiteral("REVERSE"), m_c.Revch);
    checkStep(F, QStringLiteral("VOICE"), m_c.Spkch);
    checkStep(F, QStringLiteral("SIM"), m_c.Douzich);

    comboStep(F, QStringLiteral("SEC"), m_c.Seccom);
    comboStep(F, QStringLiteral("NYSEC"), m_c.nyseccom);
    m_c.nyseccom->setEditText(typedSpeedOrDefault(m_c.nyseccom->currentText()));

    comboStep(F, QStringLiteral("SIZE"), m_c.Sizecom);
    comboStep(F, QStringLiteral("HIRITU"), m_c.hiritu);
    comboStep(F, QStringLiteral("TAKASA"), m_c.takasacom);
    {
        const auto v = r.int16(F, QStringLiteral("CF"));
        const bool ok = v && *v >= 0 && *v < m_c.irocom->count();
        if (ok)
            m_c.irocom->setCurrentIndex(*v);
        log.step(ok);
    }

    auto menuStep = [&](const QString& key, const QString& menuName) {
        boolStep(F, key, [&](bool v) { m_menus->setCheckedWithTwin(menuName, v); });
    };
    menuStep(QStringLiteral("TIMELAG"), QStringLiteral("mTimelag"));
    menuStep(QStringLiteral("ITIGI"), QStringLiteral("mitigi"));
    menuStep(QStringLiteral("NIGI"), QStringLiteral("mnigi"));
    menuStep(QStringLiteral("SANGI"), QStringLiteral("msangi"));
    menuStep(QStringLiteral("VP"), QStringLiteral("mOtosaki"));
    menuStep(QStringLiteral("VL"), QStringLiteral("mOtoato"));
    menuStep(QStringLiteral("VA"), QStringLiteral("mOtozidou"));
    boolStep(F, QStringLiteral("MAE"), [this](bool v) {
        m_menus->setCheckedWithTwin(QStringLiteral("mmae"), v);
        if (v)
            m_ctx.platform.setTopmost(this, true);
    });

    {
        const auto v = r.number(F, QStringLiteral("PTOP"));
        if (v)
            m_state.splitterTop = *v;
        log.step(v.has_value());
        // The window is not laid out yet: its design client height stands for it.
        const double clientHeight
            = pixelsToTwips(kForm1DesignSize.height() - menuBar()->sizeHint().height());
        m_state.lowerPaneHeight
            = std::max(clientHeight - m_state.splitterTop, m_state.minLowerPaneHeight);
    }

    const QString& T = Section::Test;
    comboStep(T, QStringLiteral("SOKUDO"), m_c.tsec);
    comboStep(T, QStringLiteral("KAGEN"), m_c.ketamin);
    comboStep(T, QStringLiteral("ZYOUGEN"), m_c.ketamax);
    checkTestSettingBoxes();
    checkStep(T, QStringLiteral("TIMER"), m_c.iroch);
    {
        const auto v = r.checkBoxOrBool(T, QStringLiteral("NYUURYOKU"));
        if (v)
            m_state.nyuuryokumode = *v;
        log.step(v.has_value());
    }
    checkStep(T, QStringLiteral("KIKITORI"), m_c.kikitori);
    checkStep(T, QStringLiteral("REV"), m_c.rev);

    const QString& S = Section::Stick;
    StickStyle& stick = m_state.stick;
    boolStep(S, QStringLiteral("SFONTBOLD"), [&](bool v) { stick.bold = v; });
    boolStep(S, QStringLiteral("SFONTITALIC"), [&](bool v) { stick.italic = v; });
    {
        const auto v = r.presentText(S, QStringLiteral("SFONTNAME"));
        if (v)
            stick.name = *v;
        log.step(v.has_value());
    }
    {
        const auto v = r.int16(S, QStringLiteral("SFONTSIZE"));
        if (v)
            stick.size = *v;
        log.step(v.has_value());
    }
    {
        const auto back = r.colour(S, QStringLiteral("SFONTBACKCOLOR"));
        if (back)
            stick.backColour = double(*back);
        log.step(back.has_value());
        const auto text = r.colour(S, QStringLiteral("SFONTCOLOR"));
        if (text)
            stick.textColour = double(*text);
        log.step(text.has_value());
    }
    return log.failed();
}

void Form1::offerRepair()
{
    const MessageResult answer = m_ctx.platform.showMessage(this,
        tr("Settei.iniが不正か存在しません。") + QStringLiteral("\r\n")
            + tr("Settei.iniを修復しますか？"),
        MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageResult::Yes) {
        m_ctx.platform.endProgram();
        return;
    }
    m_c.nyseccom->setCurrentIndex(1);
    m_c.tsec->setCurrentIndex(kTsecDefaultIndex);
    m_c.ketamin->setCurrentIndex(kKetaminDefaultIndex);
    m_c.ketamax->setCurrentIndex(kKetamaxDefaultIndex);
    WriteStickDefaults(settingsPath());
    // Keys that start-up reads but the exit save never writes: without them every later
    // start would offer the repair again.
    SettingsStore::WriteValues(databaseFontEntries(m_state.databaseFont)
            + QList<SettingEntry> {
                {Section::Test, QStringLiteral("REV"), QString::number(m_c.rev->isChecked() ? 1 : 0)},
            {Section::Test, QStringLiteral("KIKITORI"),
                QString::number(m_c.kikitori->isChecked() ? 1 : 0)},
            {Section::Test, QStringLiteral("NYUURYOKU"), QString::number(m_state.nyuuryokumode)},
        },
        settingsPath());
    // The exit set now rather than only at exit, so that the file is whole at once: a
    // program that ends any other way would otherwise ask again at the next start.
    SaveCurrentSettings();
}

void Form1::checkTestSettingBoxes()
{
    const TestSettingsVerdict v = checkTestSettings(
        {m_c.tsec->currentText(), m_c.ketamin->currentText(), m_c.ketamax->currentText()});
    if (v.resetTsec)
        m_c.tsec->setCurrentIndex(kTsecDefaultIndex);
    if (v.resetKetamin)
        m_c.ketamin->setCurrentIndex(kKetaminDefaultIndex);
    if (v.resetKetamax)
        m_c.ketamax->setCurrentIndex(kKetamaxDefaultIndex);
}

ExitSettings Form1::collectExitSettings()
{
    ExitSettings s;
    s.questionFont = fontSettingOf(m_c.Label1->font(), false);
    s.answerFont = fontSettingOf(m_c.Label2->font(), false);
    s.numberFont = fontSettingOf(m_c.NoLabel->font(), true);
    s.inputFont = fontSettingOf(fontWhenShown(m_c.cuttext), true);
    s.listFont = fontSettingOf(fontWhenShown(m_c.Picklist), true);
    s.splitterTop = m_state.splitterTop;
    s.sec = m_c.Seccom->currentText();
    if (!isValidTypedSpeed(m_c.nyseccom->currentText()))
        m_c.nyseccom->setEditText(QStringLiteral("2"));
    s.nysec = m_c.nyseccom->currentText();
    s.size = m_c.Sizecom->currentText();
    s.hiritu = m_c.hiritu->currentText();
    s.takasa = m_c.takasacom->currentText();
    s.colourTarget = m_c.irocom->currentIndex();
    s.random = m_c.Rndop[0]->isChecked();
    s.normal = m_c.Rndop[1]->isChecked();
    s.reverse = m_c.Revch->isChecked() ? 1 : 0;
    s.voice = m_c.Spkch->isChecked() ? 1 : 0;
    s.simultaneous = m_c.Douzich->isChecked() ? 1 : 0;
    auto checked = [this](const char* name) {
        return m_menus->action(QString::fromLatin1(name))->isChecked();
    };
    s.speakAuto = checked("mOtozidou");
    s.speakFirst = checked("mOtosaki");
    s.speakLast = checked("mOtoato");
    s.oneMeaning = checked("mitigi");
    s.twoMeanings = checked("mnigi");
    s.threeMeanings = checked("msangi");
    s.timeLag = checked("mTimelag");
    s.alwaysOnTop = checked("mmae");
    s.timerBar = m_c.iroch->isChecked() ? 1 : 0;
    checkTestSettingBoxes();
    s.sokudo = m_c.tsec->currentText();
    s.kagen = m_c.ketamin->currentText();
    s.zyougen = m_c.ketamax->currentText();
    s.back = m_state.backColour;
    s.questionColour = m_state.questionColour;
    s.answerColour = m_state.answerColour;
    s.numberColour = m_state.numberColour;
    return s;
}

bool Form1::SaveCurrentSettings()
{
    return SaveSettings(settingsPath(), collectExitSettings());
}

void Form1::saveSettingsBeforeEnd()
{
    while (!SaveCurrentSettings()) {
        const QString folder = QDir::toNativeSeparators(QFileInfo(settingsPath()).absolutePath());
        const MessageResult answer = m_ctx.platform.showMessage(this,
            tr("設定をフォルダ「%1」のSettei.iniに保存できませんでした。"
               "ディスクの空きと書き込みの許可を確かめてください。\r\n"
               "もう一度保存しますか？（いいえ：今回の設定は保存されません）")
                .arg(folder),
            MessageIcon::Warning, MessageButtons::YesNoDefaultNo);
        if (answer != MessageResult::Yes)
            return;
    }
}

} // namespace keruna
