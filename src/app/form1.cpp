#include "app/form1.h"

#include "app/layoutcontroller.h"
#include "app/mainmenus.h"
#include "app/problemcontroller.h"
#include "app/stickcontroller.h"
#include "app/studyinput.h"
#include "common/clock.h"
#include "common/numbers.h"
#include "common/twips.h"
#include "getlist/getlist.h"
#include "problemdata/problemrecord.h"
#include "settings/settingsreader.h"
#include "settings/settingsschema.h"
#include "speech/speechoutput.h"
#include "study/layoutmath.h"
#include "study/studyengine.h"
#include "study/timerbar.h"
#include "ui/fonts.h"
#include "ui/platform.h"
#include "ui/properties.h"
#include "ui/propertiesdialog.h"
#include "ui/resources.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

namespace keruna {

namespace {

constexpr QSize kDesignSize(760, 540);

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

FontSetting fontSettingOf(const QFont& font, bool withSize)
{
    FontSetting f;
    f.bold = font.bold();
    f.italic = font.italic();
    // The name as stored, not the family the font system substituted for it.
    f.name = font.families().value(0, font.family());
    f.size = withSize ? font.pointSizeF() : 0;
    return f;
}

QFont fontOf(const FontSetting& setting)
{
    QFont f;
    f.setFamilies({setting.name});
    f.setBold(setting.bold);
    f.setItalic(setting.italic);
    if (setting.size > 0)
        f.setPointSizeF(setting.size);
    return f;
}

} // namespace

Form1::Form1(AppContext context, QWidget* parent)
    : QMainWindow(parent)
    , m_ctx(context)
{
    initResources();
    installFontSubstitutes();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kProgramName);
    setWindowIcon(QIcon(QStringLiteral(":/icons/idle.svg")));
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);
    m_c = buildMainControls(central);
    m_menus = std::make_unique<MainMenus>(menuBar(), this);

    LayoutController::Hooks layoutHooks;
    layoutHooks.reversed
        = [this] { return m_state.testmode ? m_c.rev->isChecked() : m_c.Revch->isChecked(); };
    layoutHooks.numberTest = [this] { return m_state.testmode && m_state.suuzitest; };
    layoutHooks.refreshNumber = [this] { m_study->ItemNumberText(); };
    layoutHooks.refreshCaption = [this] { m_problems->UpdateTitle(); };
    layoutHooks.moveGetListOut = [this] { m_c.Pickframe->hide(); };
    m_layout = std::make_unique<LayoutController>(
        *this, m_c, *m_menus, m_state, m_ctx.platform, m_ctx.timers, std::move(layoutHooks));

    m_stick = std::make_unique<StickController>(
        *this, m_c, *m_menus, m_state, m_ctx.platform, *m_layout, settingsPath());
    m_stick->moveGetListOut = [this] { m_c.Pickframe->hide(); };
    m_stick->refreshNumber = [this] { m_study->ItemNumberText(); };
    m_stick->currentText = [this] { return m_study->session().stickText; };

    ProblemHooks hooks;
    hooks.testActive = [this] { return m_state.testmode; };
    hooks.alwaysOnTop = [this] { return m_menus->action(QStringLiteral("mmae"))->isChecked(); };
    hooks.restoreItemFrameColour = [this] { applyColours(); };
    hooks.stopIdleAnimation = [this] { m_layout->stopIdleAnimation(); };
    hooks.resetPresentationPosition = [this] { m_study->restartFromFirst(); };
    hooks.applyProperties = [this] { applyPropertiesQuietly(); };
    hooks.clearGetList = [this] {
        m_getList->clear(m_state.testResultsHeld);
        focusGetList();
    };
    m_problems = std::make_unique<ProblemController>(
        *this, m_ctx.platform, m_c, *m_menus, m_set, m_range, std::move(hooks));

    m_getList = std::make_unique<GetList>(*m_c.Picklist, *m_c.listkazu);
    StudyHooks study;
    study.openFile = [this] { m_problems->OpenProblemFile(); };
    study.inGetList = [this](const QString& key) { return m_getList->contains(key); };
    study.getListCount = [this] { return m_getList->count(); };
    study.appendToGetList = [this] { appendCurrentItemToGetList(); };
    study.speakItem = [this] { SpeakItem(); };
    study.applyFontLayout = [this] { m_layout->ApplyFontLayout(); };
    study.stickShown = [this] { return m_menus->action(QStringLiteral("mbou"))->isChecked(); };
    study.showStickText = [this](const QString& text) { m_stick->showText(text); };
    study.setStickCaption = [this](const QString& caption) { m_stick->setCaption(caption); };
    study.startTimerBar = [this] {
        if (m_c.iroch->isChecked() && !m_menus->action(QStringLiteral("mteisi"))->isChecked())
            m_timerBar->start();
    };
    study.stopTimerBar = [this] { m_timerBar->stop(); };
    study.holdTimerBar = [this] { m_timerBar->hold(); };
    study.resumeTimerBar = [this] { m_timerBar->resume(); };
    study.focusScreen = [this] { return m_layout->focusScreen(); };
    study.refreshFocusLayout = [this] { m_layout->relayout(); };
    study.applyStudyGuidance = [this] { m_input->ApplyStudyGuidance(); };
    study.showGetListOnFirstStart = [this] {
        if (m_state.options.showGetOnStart && m_state.options.getInside && !isMinimized())
            m_c.Pickframe->show();
    };
    m_timerBar = std::make_unique<TimerBar>(*m_c.iroPic, *m_c.iro, m_ctx.clock, m_ctx.timers);
    m_timerBar->mirror = [this](double share) { m_stick->showTimerShare(share); };
    m_timerBar->phaseStart = [this] { return m_study->session().phaseStart; };
    m_timerBar->phaseSeconds = [this] {
        const StudySession& s = m_study->session();
        return m_study->timer().interval() / 1000.0 * (s.perSecondMode ? s.tickLimit : 1.0);
    };
    m_study = std::make_unique<StudyEngine>(
        StudyEngine::Context {*this, m_c, *m_menus, m_set, m_range, m_state, m_ctx.platform,
            m_ctx.clock, m_ctx.timers, m_ctx.random},
        std::move(study));
    m_input = new StudyInput(*this, m_c, *m_menus, m_state, *m_study, *m_getList);
    wireCommands();
    wireGetList();
    wireLayout();
    for (QWidget* w : std::initializer_list<QWidget*> {
             m_c.Mframe, m_c.Label1, m_c.Label2, m_c.testMainpic, m_c.NoLabel, m_c.Image1[0]})
        w->installEventFilter(this);
    runStartup();
}

Form1::~Form1() = default;

QString Form1::settingsPath() const
{
    return SettingsStore::settingsPath(m_ctx.platform.programFolder());
}

void Form1::wireCommands()
{
    MainMenus& m = *m_menus;
    connect(m_c.Openbtn, &QToolButton::clicked, this, [this] { m_problems->OpenProblemFile(); });
    connect(m_c.Startbtn, &QToolButton::clicked, this, [this] { m_study->StartStudy(); });
    connect(m_c.Fteisibtn, &QToolButton::clicked, this, [this] { m_study->PauseStudy(); });
    connect(m_c.Fsaikaibtn, &QToolButton::clicked, this, [this] { m_study->ResumeStudy(); });
    m.onCommand(QStringLiteral("mteisi"), [this] { m_study->togglePause(); });
    connect(m_c.testvoice, &QToolButton::clicked, this, [this] { repeatSpeech(); });
    for (const char* name : {"mOtozidou", "mOtosaki", "mOtoato"}) {
        const QString menuName = QString::fromLatin1(name);
        m.onCommand(menuName, [this, menuName] { chooseSpeakTiming(menuName); });
    }
    m.onCommand(QStringLiteral("mlisthatuon"), [this] {
        const int at = m_getList->selectedIndex();
        if (m_getList->isEmpty() || at < 0)
            return;
        m_speakOverride = true;
        m_speakText = m_c.Picklist->topLevelItem(at)->text(0);
        m_c.testvoice->click();
        m_speakOverride = false;
    });
    m_ctx.speech.onVoicesKnown = [this](const QStringList& voices) {
        if (m_propertiesLoaded && !m_propertiesLoaded->voicesKnown) {
            resolveVoice(*m_propertiesLoaded, voices);
            m_state.options.voiceIndex = m_propertiesLoaded->voice;
        }
        if (m_properties)
            m_properties->setVoices(voices);
    };
    m.onCommand(QStringLiteral("mone"), [this] { m_study->restartFromFirst(); });
    m.onArrayCommand(QStringLiteral("msec"), [this](int i) { m_study->SelectSpeed(i); });
    connect(m_c.Seccom, &QComboBox::currentIndexChanged, this,
        [this](int i) { m_study->speedBoxChosen(i); });
    m.onCommand(QStringLiteral("mopen"), [this] { m_c.Openbtn->click(); });
    m.onCommand(QStringLiteral("mstart"), [this] { m_c.Startbtn->click(); });
    m.onCommand(QStringLiteral("mtest"), [this] { m_c.TESTbtn->click(); });
    m.onCommand(QStringLiteral("mDB"), [this] { m_c.DBbtn->click(); });
    m.onCommand(QStringLiteral("mpick"), [this] { m_c.Pickbtn->click(); });
    m.onCommand(QStringLiteral("msakusei"), [this] { m_c.sakuseibtn->click(); });
    m.onCommand(QStringLiteral("mkugiri"), [this] { ShowProperties(); });
    connect(m_c.Pptbtn, &QToolButton::clicked, this,
        [this] { m_menus->action(QStringLiteral("mkugiri"))->trigger(); });
    m.onCommand(QStringLiteral("msyuuryou"), [this] { close(); });
    m.onCommand(QStringLiteral("msaikidou"), [this] { Restart(); });
    m.onCommand(QStringLiteral("msyokika"), [this] { InitializeSettings(); });

    for (int i = 0; i < kRangeCount; ++i) {
        const RangeFilter range = rangeFromIndex(i);
        m.onCommand(rangeMenuName(range), [this, range] { m_problems->rangeChosen(range); });
    }
    connect(m_c.dakecom, &QComboBox::currentIndexChanged, this,
        [this](int index) { m_problems->rangeChosen(rangeFromIndex(index)); });

    mirrorCheckBox(m_c.Revch, QStringLiteral("mrev"));
    mirrorCheckBox(m_c.Spkch, QStringLiteral("monnsei"));
    mirrorCheckBox(m_c.Douzich, QStringLiteral("mDouzi"));
    mirrorCheckBox(m_c.iroch, QStringLiteral("miroch"));
    connect(m_c.iroch, &QCheckBox::toggled, this, [this](bool on) {
        m_c.iroPic->setVisible(on);
        if (!on)
            m_timerBar->stop();
        m_layout->relayout();
    });
    connect(m_c.Rndop[0], &QRadioButton::toggled, this, [this](bool random) {
        m_menus->setCheckedWithTwin(QStringLiteral("mrandom"), random);
        m_menus->setCheckedWithTwin(QStringLiteral("mnormal"), !random);
    });
    m.onCommand(QStringLiteral("mrandom"), [this] { m_c.Rndop[0]->setChecked(true); });
    m.onCommand(QStringLiteral("mnormal"), [this] { m_c.Rndop[1]->setChecked(true); });
}

void Form1::mirrorCheckBox(QCheckBox* box, const QString& menuName)
{
    connect(box, &QCheckBox::toggled, this,
        [this, menuName](bool on) { m_menus->setCheckedWithTwin(menuName, on); });
    m_menus->onCommand(menuName, [box] { box->setChecked(!box->isChecked()); });
}

void Form1::placeWindow()
{
    resize(kDesignSize);
    const QRect screen = m_ctx.platform.screenGeometry(this);
    const QSize outer = frameGeometry().size().expandedTo(size());
    const int left = screen.left() + (screen.width() - outer.width()) / 2;
    const int top = screen.top() + (screen.height() - outer.height()) / 2 + twipsToPixels(180);
    move(left, top);
}

void Form1::runStartup()
{
    placeWindow();
    m_state.minLowerPaneHeight = pixelsToTwips(m_c.mnuFrame->sizeHint().height());
    m_state.lowerSecondsLimit = 0.01;
    m_state.upperSecondsLimit = 600;
    m_state.perSecondThreshold = 65;

    const bool failed = readStoredSettings();
    m_state.options.dictionaryUrl = kBuiltInDictionaryUrl;
    m_state.options.homePageUrl = kBuiltInHomePageUrl;
    applyPropertiesQuietly();
    if (m_state.typedSpeedMode) {
        if (const std::optional<double> t = toNumber(m_c.nyseccom->currentText()))
            m_study->session().timePerItem = *t * 1000;
    }
    applyColours();
    m_layout->ApplyFontLayout();
    m_layout->startIdleAnimation();
    m_startupFailed = failed;
    if (failed)
        offerRepair();
}

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
        if (name)
            font.setFamilies({*name});
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
    m_c.cuttext->setFont(readFont(QStringLiteral("T"), m_c.cuttext->font(), true));
    m_c.Picklist->setFont(readFont(QStringLiteral("L"), m_c.Picklist->font(), true));
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
            = pixelsToTwips(kDesignSize.height() - menuBar()->sizeHint().height());
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
        QStringLiteral("Settei.iniが不正か存在しません。") + QStringLiteral("\r\n")
            + QStringLiteral("Settei.iniを修復しますか？"),
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
    const FontSetting& db = m_state.databaseFont;
    SettingsStore::WriteValues(
        {
            {Section::Form, QStringLiteral("DFONTBOLD"), boolText(db.bold)},
            {Section::Form, QStringLiteral("DFONTITALIC"), boolText(db.italic)},
            {Section::Form, QStringLiteral("DFONTNAME"), db.name},
            {Section::Form, QStringLiteral("DFONTSIZE"), numberText(db.size)},
            {Section::Test, QStringLiteral("REV"), QString::number(m_c.rev->isChecked() ? 1 : 0)},
            {Section::Test, QStringLiteral("KIKITORI"),
                QString::number(m_c.kikitori->isChecked() ? 1 : 0)},
            {Section::Test, QStringLiteral("NYUURYOKU"), QString::number(m_state.nyuuryokumode)},
        },
        settingsPath());
}

void Form1::applyColours()
{
    // The stored background is the main window's; the item frame shows it, while the
    // menu, the button bar and the panels keep the desktop's colours.
    QPalette p = m_c.Mframe->palette();
    p.setColor(QPalette::Window, colorFromBgr(m_state.backColour));
    m_c.Mframe->setPalette(p);
    auto textColour = [](QWidget* w, qint64 bgr) {
        QPalette lp = w->palette();
        lp.setColor(QPalette::WindowText, colorFromBgr(bgr));
        w->setPalette(lp);
    };
    textColour(m_c.Label1, m_state.questionColour);
    textColour(m_c.Label2, m_state.answerColour);
    textColour(m_c.NoLabel, m_state.numberColour);
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_layout->windowResized();
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
    s.inputFont = fontSettingOf(m_c.cuttext->font(), true);
    s.listFont = fontSettingOf(m_c.Picklist->font(), true);
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

void Form1::SaveCurrentSettings()
{
    SaveSettings(settingsPath(), collectExitSettings());
}

void Form1::closeEvent(QCloseEvent* event)
{
    SaveCurrentSettings();
    event->accept();
    m_ctx.platform.endProgram();
}

void Form1::Restart()
{
    SaveCurrentSettings();
    if (m_ctx.platform.startNewInstance())
        m_ctx.platform.endProgram();
}

void Form1::InitializeSettings()
{
    const MessageResult answer
        = m_ctx.platform.showMessage(this, QStringLiteral("ソフトウェアの設定を初期化しますか？"),
            MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageResult::Yes)
        return;
    InitSettings(settingsPath());
    if (m_ctx.platform.startNewInstance())
        m_ctx.platform.endProgram();
}

void Form1::wireLayout()
{
    MainMenus& m = *m_menus;
    connect(m_c.Sizecom, &QComboBox::currentIndexChanged, this,
        [this](int i) { m_layout->sizeChosen(i); });
    connect(m_c.hiritu, &QComboBox::currentIndexChanged, this,
        [this](int i) { m_layout->ratioChosen(i); });
    connect(m_c.takasacom, &QComboBox::currentIndexChanged, this,
        [this](int i) { m_layout->heightChosen(i); });
    m.onArrayCommand(QStringLiteral("msize"), [this](int i) { m_c.Sizecom->setCurrentIndex(i); });
    m.onArrayCommand(QStringLiteral("mhiritu"), [this](int i) { m_c.hiritu->setCurrentIndex(i); });
    m.onArrayCommand(
        QStringLiteral("mtakasa"), [this](int i) { m_c.takasacom->setCurrentIndex(i); });
    connect(m_c.Focusbtn, &QToolButton::clicked, this, [this] { m_layout->enterFocusScreen(); });
    connect(
        m_c.FocusBackbtn, &QToolButton::clicked, this, [this] { m_layout->leaveFocusScreen(); });
    m.onCommand(QStringLiteral("mfocus"), [this] {
        if (m_layout->focusScreen())
            m_layout->leaveFocusScreen();
        else
            m_layout->enterFocusScreen();
    });
    m.onCommand(QStringLiteral("mmae"), [this] { m_layout->toggleAlwaysOnTop(); });
    m.onCommand(QStringLiteral("mbou"), [this] { m_stick->toggle(); });
    connect(m_c.boubtn, &QToolButton::clicked, this, [this] { m_stick->toggle(); });
    connect(m_c.Revch, &QCheckBox::toggled, this, [this] { m_layout->ApplyFontLayout(); });
    // The meaning limits: one of three or none; clicking the checked one clears it.
    for (const char* name : {"mitigi", "mnigi", "msangi"}) {
        const QString item = QString::fromLatin1(name);
        m.onCommand(item, [this, item] {
            const bool wasChecked = m_menus->action(item)->isChecked();
            for (const char* other : {"mitigi", "mnigi", "msangi"})
                m_menus->setCheckedWithTwin(QString::fromLatin1(other), false);
            if (!wasChecked)
                m_menus->setCheckedWithTwin(item, true);
        });
    }
    m_c.Pickframe->installEventFilter(this);
    m_c.Imgspl->installEventFilter(this);
}

void Form1::wireGetList()
{
    connect(m_c.listmaru, &QToolButton::clicked, this, [this] {
        m_study->addCurrentItem();
        focusGetList();
    });
    connect(m_c.listSkipbtn, &QToolButton::clicked, this, [this] { m_study->SkipItem(); });
    connect(m_c.listmodosi, &QToolButton::clicked, this, [this] {
        m_getList->removeSelectedOrChecked(m_state.options.delimiter);
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
    });
    // The GET button brings the list inside; moving it to a window of its own comes with
    // the external GET screen.
    connect(m_c.Pickbtn, &QToolButton::clicked, this, [this] {
        if (m_c.Pickframe->isHidden()) {
            m_c.Pickframe->show();
            m_study->ItemNumberText();
        }
    });
    m_c.Picklist->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_c.Picklist, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { showGetListPopup(m_c.Picklist->viewport()->mapToGlobal(at)); });
    m_menus->onCommand(QStringLiteral("mlistritu"), [this] {
        if (m_getList->isEmpty())
            return;
        m_ctx.platform.showMessage(this,
            getStatisticsText(m_menus->action(QStringLiteral("mlistritu"))->text(),
                m_getList->checkedCount(), m_getList->count()),
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
    m_menus->action(QStringLiteral("mlistritu"))
        ->setText(m_state.testmode ? QStringLiteral("チェック数と正解率(&C)")
                                   : QStringLiteral("チェック数と忘却率(&C)"));
    m_menus->listPopup()->popup(at);
}

void Form1::focusGetList()
{
    if (m_c.Picklist->isEnabled() && m_c.Picklist->isVisible())
        m_c.Picklist->setFocus();
}

void Form1::appendCurrentItemToGetList()
{
    const StudySession& s = m_study->session();
    if (!m_range.current || s.n < 1)
        return;
    // Red follows the item's record, as the range lists it.
    const QString record = rangeList(m_set, *m_range.current).value(s.n - 1);
    bool red = false;
    switch (*m_range.current) {
    case RangeFilter::NotYet:
        red = record.endsWith(MarkSuffix::NotYetRed);
        break;
    case RangeFilter::Memorized:
        red = record.endsWith(MarkSuffix::MemorizedRed);
        break;
    case RangeFilter::All:
        red = isRedRecord(record);
        break;
    case RangeFilter::Red:
        red = true;
        break;
    }
    m_getList->append(s.currentLine, m_state.options.delimiter, red);
}

PropertiesValues& Form1::loadedProperties()
{
    if (!m_propertiesLoaded) {
        m_propertiesLoaded = std::make_unique<PropertiesValues>(
            loadProperties(settingsPath(), m_ctx.speech.voices()).values);
        // The URLs are in force from the moment they are read.
        m_state.options.dictionaryUrl = m_propertiesLoaded->dictionaryUrl;
        m_state.options.homePageUrl = m_propertiesLoaded->homePageUrl;
    }
    return *m_propertiesLoaded;
}

kugirigamen& Form1::properties()
{
    if (!m_properties) {
        m_properties = std::make_unique<kugirigamen>(
            loadedProperties(), m_ctx.speech.voices(), settingsPath(), m_ctx.platform, this);
        m_properties->onApply = [this](const PropertiesValues& v) {
            *m_propertiesLoaded = v;
            putInForce(appliedFrom(v));
        };
        // OK and Cancel both close the dialog and unload the options: the next opening
        // reads the file again.
        connect(m_properties.get(), &QDialog::finished, this, [this] {
            m_properties.release()->deleteLater();
            m_propertiesLoaded.reset();
        });
    }
    return *m_properties;
}

void Form1::applyPropertiesQuietly()
{
    // Apply without the dialog on screen: the loaded values as they stand.
    PropertiesValues& v = loadedProperties();
    if (m_properties)
        v = m_properties->values();
    if (!propertiesAcceptable(v)) {
        m_ctx.platform.showMessage(
            this, QStringLiteral("文字が不正です。"), MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    writePrSection(settingsPath(), v);
    putInForce(appliedFrom(v));
}

void Form1::SpeakItem()
{
    const StudySession& s = m_study->session();
    const QString text = m_speakOverride ? m_speakText : s.item.parts.value(0);
    if (s.currentLine.isEmpty() && !m_speakOverride)
        return;
    m_ctx.speech.speak(text, m_state.options.voiceIndex);
    // The phase is timed from the end of speech.
    m_study->session().phaseStart = m_ctx.clock.secondsSinceMidnight();
    m_speakOverride = false;
}

void Form1::repeatSpeech()
{
    const bool keepOverride = m_speakOverride;
    m_study->suspendForSpeech();
    m_speakOverride = keepOverride;
    SpeakItem();
    m_study->resumeAfterSpeech();
}

void Form1::chooseSpeakTiming(const QString& menuName)
{
    for (const char* name : {"mOtozidou", "mOtosaki", "mOtoato"})
        m_menus->setCheckedWithTwin(QString::fromLatin1(name), false);
    m_menus->setCheckedWithTwin(menuName, true);
}

void Form1::putInForce(const PropertiesApplied& a)
{
    const int voice = m_state.options.voiceIndex;
    m_state.options = a.options;
    if (a.voiceListEmpty)
        m_state.options.voiceIndex = voice;
    const AppliedOptions& o = m_state.options;
    if (!o.numberOnMain || !o.numberOnFocus)
        m_c.NoLabel->clear();
    if (!o.numberOnInternalGet)
        m_c.pNolabel->clear();
    if (!o.numberOnStick)
        m_stick->setCaption(QString());

    const Qt::Alignment along
        = o.longText ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignHCenter | Qt::AlignTop;
    m_c.Label1->setAlignment(
        m_state.testmode && m_state.suuzitest ? Qt::AlignHCenter | Qt::AlignTop : along);
    if (!(m_state.testmode && m_state.suuzitest) && o.showTypedText)
        m_c.Label2->clear();
    m_c.Label2->setAlignment(along);
    m_layout->ApplyFontLayout();

    m_state.typedSpeedMode = a.typedSpeedMode;
    if (a.typedSpeedMode) {
        m_c.Seccom->hide();
        m_c.nyseccom->show();
    } else {
        if (!m_state.testmode) {
            if (const std::optional<double> seconds = toNumber(m_c.Seccom->currentText()))
                m_study->session().timePerItem = *seconds * 1000;
            m_study->session().perSecondMode = false;
        }
        m_c.Seccom->show();
        m_c.nyseccom->hide();
    }
}

void Form1::ShowProperties()
{
    kugirigamen& dialog = properties();
    dialog.adjustSize();
    const QRect screen = m_ctx.platform.screenGeometry(this);
    const QPoint topLeft
        = propertiesPosition(QPoint(int(pixelsToTwips(x())), int(pixelsToTwips(y()))),
            QSize(int(pixelsToTwips(dialog.width())), int(pixelsToTwips(dialog.height()))),
            QSize(int(pixelsToTwips(screen.width())), int(pixelsToTwips(screen.height()))));
    dialog.move(twipsToPixels(topLeft.x()), twipsToPixels(topLeft.y()));
    dialog.exec();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_c.Mframe && event->type() == QEvent::Resize)
        m_layout->relayout();
    if (watched == m_c.Pickframe
        && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        m_c.Imgspl->setVisible(event->type() == QEvent::Show);
    if (watched == m_c.Imgspl) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_layout->splitterPressed(int(mouse->position().y()));
            return true;
        case QEvent::MouseMove:
            m_layout->splitterMoved(int(mouse->position().y()));
            return true;
        case QEvent::MouseButtonRelease:
            m_layout->splitterReleased();
            return true;
        default:
            return QMainWindow::eventFilter(watched, event);
        }
    }
    // A right button on the item area opens the popup menu.
    if (event->type() == QEvent::MouseButtonPress && watched != m_c.Pickframe) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            m_menus->popup()->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace keruna
