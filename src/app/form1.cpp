#include "app/form1.h"

#include "app/layoutcontroller.h"
#include "app/stickcontroller.h"
#include "app/studyinput.h"
#include "common/clock.h"
#include "common/numbers.h"
#include "common/twips.h"
#include "database/dbgamen.h"
#include "getlist/getlist.h"
#include "getlist/gettest.h"
#include "getlist/pickgamen.h"
#include "history/historyfile.h"
#include "history/historyrecorder.h"
#include "history/historywindow.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemcontroller.h"
#include "problemdata/problemrecord.h"
#include "quiz/testengine.h"
#include "review/reviewlog.h"
#include "review/reviewschedule.h"
#include "settings/settingsreader.h"
#include "settings/settingsschema.h"
#include "speech/speechoutput.h"
#include "study/layoutmath.h"
#include "study/stickscreen.h"
#include "study/studyengine.h"
#include "study/timerbar.h"
#include "ui/accessiblenames.h"
#include "ui/cardtext.h"
#include "ui/fonts.h"
#include "ui/lazyicon.h"
#include "ui/platform.h"
#include "ui/properties.h"
#include "ui/propertiesdialog.h"
#include "ui/resources.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeView>

namespace keruna {

Form1::Form1(AppContext context, QWidget* parent)
    : QMainWindow(parent)
    , m_ctx(context)
{
    initResources();
    installFontSubstitutes();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(programName());
    // Every window of the program carries its icon: the strip, the dialogs, the palette.
    QApplication::setWindowIcon(lazyIcon(QStringLiteral(":/icons/idle.svg")));
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);
    m_c = buildMainControls(central);
    makeAccessible(central);
    m_menus = std::make_unique<MainMenus>(menuBar(), this);

    LayoutController::Hooks layoutHooks;
    // The fonts follow the orientation of the item on show: a new orientation takes
    // effect with the next item.
    layoutHooks.reversed = [this] {
        if (m_state.testmode)
            return m_c.rev->isChecked();
        return m_study->itemCurrent() ? m_study->session().itemReversed : m_c.Revch->isChecked();
    };
    layoutHooks.numberTest = [this] { return m_state.numberTestRunning(); };
    layoutHooks.refreshNumber = [this] { m_study->ItemNumberText(); };
    layoutHooks.refreshCaption = [this] { m_problems->UpdateTitle(); };
    layoutHooks.moveGetListOut = [this] { MoveGetListOut(); };
    layoutHooks.raiseToolWindows = [this] { raiseToolWindows(); };
    layoutHooks.setCompanionsTopmost = [this](bool onTop) {
        if (QWidget* screen = databaseScreen(); screen && screen->isVisible())
            m_ctx.platform.setTopmost(screen, onTop);
        if (m_historyWindow && m_historyWindow->isVisible())
            m_ctx.platform.setTopmost(m_historyWindow, onTop);
    };
    m_layout = std::make_unique<LayoutController>(
        *this, m_c, *m_menus, m_state, m_ctx.platform, m_ctx.timers, std::move(layoutHooks));

    m_stick = std::make_unique<StickController>(
        *this, m_c, *m_menus, m_state, m_ctx.platform, *m_layout, settingsPath());
    m_stick->moveGetListOut = [this] { MoveGetListOut(); };
    m_stick->refreshNumber = [this] { m_study->ItemNumberText(); };
    m_stick->currentText = [this] { return m_study->session().stickText; };

    m_problems
        = std::make_unique<ProblemController>(static_cast<ProblemView&>(*this), m_set, m_range);

    m_getList = std::make_unique<GetList>(*m_c.Picklist, *m_c.listkazu);
    m_timerBar = std::make_unique<TimerBar>(*m_c.iroPic, *m_c.iro, m_ctx.clock, m_ctx.timers);
    m_timerBar->mirror = [this](double share) { m_stick->showTimerShare(share); };
    m_timerBar->phaseStart = [this] { return m_study->session().phaseStart; };
    m_timerBar->phaseSeconds = [this] {
        // A manual test's bar runs over the whole item; otherwise over the phase.
        const StudySession& s = m_study->session();
        if (m_state.testmode && m_state.testKind == TestKind::Manual)
            return s.perSecondMode ? s.tickLimit : s.timePerItem / 1000.0;
        return m_study->phaseIntervalMs() / 1000.0;
    };
    m_study = std::make_unique<StudyEngine>(
        StudyEngine::Context {m_set, m_range, m_state, m_ctx.clock, m_ctx.timers, m_ctx.random},
        static_cast<StudyView&>(*this));
    wireTests();
    m_input = new StudyInput(*this, m_c, *m_menus, m_state, *m_study, *m_test, *m_getList);
    m_input->external = [this]() -> QWidget* { return m_external; };
    wireCommands();
    wireGetList();
    wireDatabaseScreen();
    wireLayout();
    wireSaving();
    wireHistory();
    wirePalette();
    wireAppearance();
    wireTools();
    wireExternalGet();
    acceptDropsOn(this);
    for (QWidget* w : std::initializer_list<QWidget*> {
             m_c.Mframe, m_c.Label1, m_c.Label2, m_c.testMainpic, m_c.NoLabel, m_c.Image1[0]})
        w->installEventFilter(this);
    runStartup();
}

Form1::~Form1()
{
    // The windows and controls this screen watches outlive its members while the base
    // class takes them down: nothing of theirs may reach the filter from now on.
    m_tearingDown = true;
    delete m_historyWindow;
    m_historyWindow = nullptr;
    // The keyboard watches every event of the application and asks this screen about its
    // windows: it goes first.
    delete m_input;
    m_input = nullptr;
    for (QObject* w : std::as_const(m_mirrored))
        w->removeEventFilter(this);
    m_mirrored.clear();
    if (m_stick && m_stick->strip())
        m_stick->strip()->removeEventFilter(this);
    if (m_external)
        m_external->removeEventFilter(this);
}

QString Form1::settingsPath() const
{
    return SettingsStore::settingsPath(m_ctx.platform.programFolder());
}

void Form1::wireCommands()
{
    MainMenus& m = *m_menus;
    auto held = [this](std::function<void()> command) {
        return [this, command] { m_study->userCommand(command); };
    };
    connect(
        m_c.Openbtn, &QToolButton::clicked, this, held([this] { m_problems->OpenProblemFile(); }));
    connect(m_c.Startbtn, &QToolButton::clicked, this, held([this] { m_study->StartStudy(); }));
    connect(m_c.Fteisibtn, &QToolButton::clicked, this, held([this] { m_study->PauseStudy(); }));
    connect(m_c.Fsaikaibtn, &QToolButton::clicked, this, held([this] { m_study->ResumeStudy(); }));
    m.onCommand(QStringLiteral("mteisi"), held([this] { m_study->togglePause(); }));
    connect(m_c.testvoice, &QToolButton::clicked, this, held([this] { repeatSpeech(); }));
    for (const char* name : {"mOtozidou", "mOtosaki", "mOtoato"}) {
        const QString menuName = QString::fromLatin1(name);
        m.onCommand(menuName, [this, menuName] { chooseSpeakTiming(menuName); });
    }
    m.onCommand(QStringLiteral("mlisthatuon"), [this] {
        const int at = m_getList->selectedIndex();
        if (m_getList->isEmpty() || at < 0)
            return;
        speakListText(m_getList->question(at));
    });
    m_ctx.speech.onVoicesKnown = [this](const QStringList& voices) {
        if (m_propertiesLoaded && !m_propertiesLoaded->voicesKnown) {
            if (resolveVoice(*m_propertiesLoaded, voices, m_ctx.speech.firstEnglishVoice()))
                SettingsStore::WriteValues(
                    {{Section::Pr, QStringLiteral("VOICECHARA"),
                         QString::number(m_propertiesLoaded->voice)},
                        {Section::Pr, QStringLiteral("VOICENAME"), m_propertiesLoaded->voiceName}},
                    settingsPath());
            m_state.options.voiceIndex = m_propertiesLoaded->voice;
        }
        if (m_properties)
            m_properties->setVoices(voices, m_ctx.speech.firstEnglishVoice());
    };
    m.onCommand(QStringLiteral("mone"), held([this] { m_study->restartFromFirst(); }));
    m.onArrayCommand(QStringLiteral("msec"),
        [this](int i) { m_study->userCommand([this, i] { m_study->SelectSpeed(i); }); });
    connect(m_c.Seccom, &QComboBox::currentIndexChanged, this,
        [this](int i) { m_study->speedBoxChosen(i); });
    m.onCommand(QStringLiteral("mopen"), [this] { m_c.Openbtn->click(); });
    m.onCommand(QStringLiteral("mstart"), [this] { m_c.Startbtn->click(); });
    m.onCommand(QStringLiteral("mtest"), [this] { m_c.TESTbtn->click(); });
    m.onCommand(QStringLiteral("mDB"), [this] { m_c.DBbtn->click(); });
    m.onCommand(QStringLiteral("mpick"), [this] { m_c.Pickbtn->click(); });
    m.onCommand(QStringLiteral("msakusei"), [this] { m_c.sakuseibtn->click(); });
    m.onCommand(QStringLiteral("mkugiri"), [this] { ShowProperties(); });
    m.onCommand(QStringLiteral("mimport"), held([this] { ImportFromOtherTool(); }));
    m.onCommand(QStringLiteral("mexportother"), held([this] { ExportForOtherTool(); }));
    chooseExportFormat = [this](int total, const QString& range, int inRange,
                             const QList<ExportSubsetOption>& subsets) {
        return runExportDialog(total, range, inRange, subsets);
    };
    chooseImportColumns = [this](const ImportTable& table, const QString& name) {
        return runImportDialog(table, name);
    };
    connect(m_c.Pptbtn, &QToolButton::clicked, this,
        [this] { m_menus->action(QStringLiteral("mkugiri"))->trigger(); });
    m.onCommand(QStringLiteral("msyuuryou"), [this] { close(); });
    m.onCommand(QStringLiteral("msaikidou"), [this] { Restart(); });
    m.onCommand(QStringLiteral("msyokika"), [this] { InitializeSettings(); });

    for (int i = 0; i < kRangeCount; ++i) {
        const RangeFilter range = rangeFromIndex(i);
        m.onCommand(rangeMenuName(range), [this, range] { chooseRange(range); });
    }
    // The user's choice, not every change: choosing the range in force again selects it
    // again, as its menu item does, and setting the box from code chooses nothing.
    connect(m_c.dakecom, &QComboBox::activated, this,
        [this](int index) { chooseRange(rangeFromIndex(index)); });

    mirrorCheckBox(m_c.Revch, QStringLiteral("mrev"));
    mirrorCheckBox(m_c.Spkch, QStringLiteral("monnsei"));
    mirrorCheckBox(m_c.Douzich, QStringLiteral("mDouzi"));
    mirrorCheckBox(m_c.iroch, QStringLiteral("miroch"));
    connect(m_c.iroch, &QCheckBox::toggled, this, [this](bool on) {
        m_c.iroPic->setVisible(on);
        m_stick->setTimerBarShown(on);
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
    resize(kForm1DesignSize);
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
    // The speed menu agrees with the box from the start (the box may hold its design value,
    // which no change signal announces).
    m_menus->checkOnlyInArray(QStringLiteral("msec"), m_c.Seccom->currentIndex());
    m_layout->tickMenus();
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

void Form1::applyColours()
{
    // The stored background is the main window's; the item frame shows it once a list is
    // open (before that it frames the idle picture in the desktop's colours).
    const QColor back = colorFromBgr(m_state.backColour);
    const QColor desktop = QApplication::palette().color(QPalette::Window);
    auto fill = [](QWidget* w, const QColor& colour) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, colour);
        w->setPalette(p);
    };
    fill(this, back);
    fill(m_c.Mframe, m_set.path.isEmpty() ? desktop : back);
    // The window's palette reaches every child: the menu, the button bar and the panels
    // keep the desktop's colours by painting their own background.
    fill(menuBar(), desktop);
    for (QWidget* panel : std::initializer_list<QWidget*> {
             m_c.typeRow, m_c.testFrame, m_c.Imgspl, m_c.Pickframe, m_c.mnuFrame}) {
        panel->setAutoFillBackground(true);
        fill(panel, desktop);
    }
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

void Form1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // 内部画面 is out of reach while the main window is minimised.
    if (event->type() == QEvent::WindowStateChange)
        syncExternal();
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!settleUnsavedWork(this)) {
        event->ignore();
        return;
    }
    endStudyRun();
    saveSettingsBeforeEnd();
    event->accept();
    m_ctx.platform.endProgram();
}

void Form1::Restart()
{
    if (!settleUnsavedWork(this))
        return;
    endStudyRun();
    saveSettingsBeforeEnd();
    if (m_ctx.platform.startNewInstance())
        m_ctx.platform.endProgram();
}

void Form1::InitializeSettings()
{
    const MessageResult answer = m_ctx.platform.showMessage(this,
        tr("ソフトウェアの設定を初期化しますか？"), MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageResult::Yes || !settleUnsavedWork(this))
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
    // The strip takes dropped word lists like the main window.
    auto toggleStick = [this] {
        m_stick->toggle();
        acceptDropsOn(m_stick->strip());
    };
    m.onCommand(QStringLiteral("mbou"), toggleStick);
    connect(m_c.boubtn, &QToolButton::clicked, this, toggleStick);
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
    // The typing row and the test panel take their room from the GET panel.
    m_c.typeRow->installEventFilter(this);
    m_c.testFrame->installEventFilter(this);
}

PropertiesValues& Form1::loadedProperties()
{
    if (!m_propertiesLoaded) {
        m_propertiesLoaded = std::make_unique<PropertiesValues>(
            loadProperties(settingsPath(), m_ctx.speech.voices(), m_ctx.speech.firstEnglishVoice())
                .values);
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
            this, tr("文字が不正です。"), MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    writePrSection(settingsPath(), v);
    putInForce(appliedFrom(v));
}

void Form1::SpeakItem()
{
    const StudySession& s = m_study->session();
    const QString text = m_speakOverride ? m_speakText : s.item.parts.value(0);
    if (s.currentLine.isEmpty()) {
        m_speakOverride = false;
        return;
    }
    m_ctx.speech.speak(text, m_state.options.voiceIndex);
    // The phase is timed from the end of speech.
    m_study->session().phaseStart = m_ctx.clock.secondsSinceMidnight();
    m_speakOverride = false;
}

void Form1::repeatSpeech()
{
    m_study->repeatSpeech([this] { SpeakItem(); });
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
        showCardText(m_c.NoLabel, {});
    if (!o.numberOnInternalGet)
        m_c.pNolabel->clear();
    if (!o.numberOnStick)
        m_stick->setCaption(QString());

    const Qt::Alignment along
        = o.longText ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignHCenter | Qt::AlignTop;
    m_c.Label1->setAlignment(m_state.numberTestRunning() ? Qt::AlignHCenter | Qt::AlignTop : along);
    if (!(m_state.numberTestRunning()) && o.showTypedText)
        showCardText(m_c.Label2, {});
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
    if (m_tearingDown)
        return false;
    if ((event->type() == QEvent::DragEnter || event->type() == QEvent::Drop) && watched != this
        && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()
        && static_cast<QWidget*>(watched)->acceptDrops())
        return dropEvent(watched, event);
    if (m_mirrored.contains(watched)) {
        mirrorEvent(watched, event);
        return QMainWindow::eventFilter(watched, event);
    }
    if (m_external && watched == m_external) {
        if (event->type() == QEvent::Resize)
            m_ctx.platform.setTopmost(m_external, true);
        return false;
    }
    if (watched == m_c.Mframe && event->type() == QEvent::Resize)
        m_layout->relayout();
    if (watched == m_c.Pickframe
        && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        m_c.Imgspl->setVisible(event->type() == QEvent::Show);
        if (event->type() == QEvent::Show)
            m_layout->fitGetPanel();
    }
    if ((watched == m_c.typeRow || watched == m_c.testFrame)
        && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        m_layout->fitGetPanel();
    if (watched == m_c.Imgspl) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_layout->splitterPressed(int(static_cast<QMouseEvent*>(event)->position().y()));
            return true;
        case QEvent::MouseMove:
            m_layout->splitterMoved(int(static_cast<QMouseEvent*>(event)->position().y()));
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
