#include "quiz/testdialog.h"

#include "common/numbers.h"
#include "common/twips.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/range.h"
#include "settings/settingsreader.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "ui/accessiblenames.h"
#include "ui/widgethelpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace keruna {

namespace {

constexpr qint64 kAccentBgr = 26367;
constexpr qint64 kWhiteBgr = 16777215;

constexpr double kFastestSeconds = 0.01;
constexpr double kSlowestSeconds = 600;

// The list position of ketamax chosen when the lists are filled: 10000.
constexpr int kHighestPreselected = 3; // of the number test's upper bound

QString rangeTitle(int index)
{
    switch (rangeFromIndex(index)) {
    case RangeFilter::NotYet:
        return QCoreApplication::translate("Dialog", "未暗記のみテスト");
    case RangeFilter::Memorized:
        return QCoreApplication::translate("Dialog", "暗記済のみテスト");
    case RangeFilter::Red:
        return QCoreApplication::translate("Dialog", "要チェックのみテスト");
    case RangeFilter::Review:
        return QCoreApplication::translate("Dialog", "復習テスト");
    case RangeFilter::All:
        break;
    }
    return QCoreApplication::translate("Dialog", "全体テスト");
}

QRadioButton* option(
    QWidget* parent, const QString& name, const QString& caption, const QString& tooltip = {})
{
    auto* b = named(new QRadioButton(caption, parent), name);
    b->setToolTip(tooltip);
    return b;
}

QComboBox* combo(QWidget* parent, const QString& name, const QString& tooltip, bool editable)
{
    auto* c = named(new QComboBox(parent), name);
    c->setEditable(editable);
    c->setToolTip(tooltip);
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return c;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    return named(new QLabel(text, parent), name);
}

// A row of controls on a panel of its own, so that the panel can be shown or hidden whole.
QWidget* panel(QWidget* parent, const QString& name, std::initializer_list<QWidget*> controls)
{
    auto* p = named(new QWidget(parent), name);
    auto* row = new QHBoxLayout(p);
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : controls) {
        w->setParent(p);
        row->addWidget(w);
    }
    row->addStretch(1);
    return p;
}

void paint(QWidget* w, const QColor& text, const QColor& back)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Window, back);
    w->setPalette(p);
    w->setAutoFillBackground(true);
    // Some styles draw a button's label and face from their own colours: a style sheet
    // carries the colours through every style.
    w->setStyleSheet(QStringLiteral("#%1 { color: %2; background-color: %3; }")
                         .arg(w->objectName(), text.name(), back.name()));
}

// Drops every typed character but the digits and the decimal point before the box sees it.
// A rejected character must not reach the line edit at all: its inline completion would
// fill an empty box with the first listed speed.
class SecondsKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts (select all, copy, paste) stay; the validator guards what they bring in.
        constexpr auto shortcut = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        if (!(key->modifiers() & shortcut)) {
            for (const QChar c : key->text()) {
                if (c.isPrint() && !(c >= u'0' && c <= u'9') && c != u'.')
                    return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

std::optional<TestSetupRefusal> refuseBound(const QString& text)
{
    const std::optional<double> v = text.isEmpty() ? std::nullopt : toNumber(text);
    if (!v || *v < 0 || *v > kMaxNumberBound)
        return TestSetupRefusal {boundRangeMessage(), MessageIcon::Information};
    return std::nullopt;
}

} // namespace

std::optional<TestSetupRefusal> validateTestSetup(
    const TestChoice& c, int notYet, int memorized, int red, int due)
{
    const std::optional<double> seconds = toNumber(c.seconds);
    if (!seconds)
        return TestSetupRefusal {
            QCoreApplication::translate("Dialog", "速度数値が不正です。"), MessageIcon::Warning};
    if (*seconds < kFastestSeconds || *seconds > kSlowestSeconds)
        return TestSetupRefusal {
            QCoreApplication::translate("Dialog", "0.01秒～600秒の範囲以外は指定できません。"),
            MessageIcon::Information};

    if (c.kind != TestKind::Number) {
        QString empty;
        if (c.rangeIndex == int(RangeFilter::NotYet) && notYet == 0)
            empty = QCoreApplication::translate(
                "Dialog", "未暗記データがありません。範囲を変えてください。");
        else if (c.rangeIndex == int(RangeFilter::Memorized) && memorized == 0)
            empty = QCoreApplication::translate(
                "Dialog", "暗記済データがありません。範囲を変えてください。");
        else if (c.rangeIndex == int(RangeFilter::Red) && red == 0)
            empty = QCoreApplication::translate(
                "Dialog", "要チェックデータがありません。範囲を変えてください。");
        else if (c.rangeIndex == int(RangeFilter::Review) && due == 0)
            empty = QCoreApplication::translate("Dialog", "復習する問題はありません。");
        if (!empty.isEmpty())
            return TestSetupRefusal {empty, MessageIcon::Information};
        return std::nullopt;
    }

    if (auto refusal = refuseBound(c.lowest))
        return refusal;
    if (auto refusal = refuseBound(c.highest))
        return refusal;
    // The number test draws between the bounds: reversed bounds leave nothing to draw.
    if (*toNumber(c.lowest) > *toNumber(c.highest))
        return TestSetupRefusal {reversedBoundsMessage(), MessageIcon::Information};
    return std::nullopt;
}

QPoint testDialogPosition(QPoint anchorTopLeft, bool stickShown, QSize dialogSize, QRect screen)
{
    // With the stick screen open the dialog sits higher and further left, clear of it.
    const QPoint offset = stickShown ? QPoint(twipsToPixels(2000), twipsToPixels(500))
                                     : QPoint(twipsToPixels(4560), twipsToPixels(1100));
    int left = anchorTopLeft.x() + offset.x();
    int top = anchorTopLeft.y() + offset.y();
    if (left < 0)
        left = 0;
    else if (left + dialogSize.width() > screen.width())
        left = screen.width() - dialogSize.width();
    if (top < 0)
        top = 0;
    else if (top + dialogSize.height() > screen.height())
        top = screen.height() - (dialogSize.height() + twipsToPixels(550));
    return {left, top};
}

Dialog::Dialog(
    const TestSetupInput& input, QString settingsPath, Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_settingsPath(std::move(settingsPath))
    , m_platform(platform)
    , m_notYet(input.notYetCount)
    , m_memorized(input.memorizedCount)
    , m_red(input.redCount)
    , m_due(input.dueCount)
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    build();
    load(input);
    kindChanged();
    rangeChanged(m_dakecom->currentIndex());
    makeAccessible(this);
}

void Dialog::build()
{
    auto* layout = new QVBoxLayout(this);

    // The three kinds, each in the shape that shows which one is chosen.
    auto* kinds = new QHBoxLayout;
    auto* kindGroup = new QButtonGroup(this);
    const QString shapeNames[3]
        = {QStringLiteral("Shape2"), QStringLiteral("Shape3"), QStringLiteral("Shape4")};
    for (int i = 0; i < 3; ++i) {
        m_shapes[size_t(i)] = named(new QFrame(this), shapeNames[i]);
        m_shapes[size_t(i)]->setFrameShape(QFrame::Box);
        kinds->addWidget(m_shapes[size_t(i)]);
    }
    m_zidoutestop = option(m_shapes[0], QStringLiteral("zidoutestop"), tr("自動進行"),
        tr("問題と答えを自動表示します"));
    m_syudoutestop = option(m_shapes[1], QStringLiteral("syudoutestop"), tr("手動進行"),
        tr("問題と答えを手動表示します"));
    m_suuzitestop = option(m_shapes[2], QStringLiteral("suuzitestop"), tr("数字テスト"),
        tr("数字の発音を聞き取るテストです"));
    for (QRadioButton* b : {m_zidoutestop, m_syudoutestop, m_suuzitestop}) {
        auto* inShape = new QHBoxLayout(b->parentWidget());
        inShape->addWidget(b);
        kindGroup->addButton(b);
    }
    m_zidoutestop->setChecked(true);
    layout->addLayout(kinds);

    // What the question and the answer side will be.
    auto* sides = new QHBoxLayout;
    m_Mlabel = label(this, QStringLiteral("Mlabel"), tr("English"));
    m_Alabel = label(this, QStringLiteral("Alabel"), tr("日本語"));
    m_k = label(this, QStringLiteral("k"), QStringLiteral("1234"));
    m_Revch = named(new QCheckBox(tr("逆転"), this), QStringLiteral("Revch"));
    m_Revch->setToolTip(tr("英和・和英の切替 スペルチェックに有効です"));
    sides->addWidget(m_Mlabel);
    sides->addWidget(m_Alabel);
    sides->addWidget(m_k);
    sides->addStretch(1);
    sides->addWidget(m_Revch);
    layout->addLayout(sides);

    auto* frame2 = named(new QGroupBox(tr("オプション"), this), QStringLiteral("Frame2"));
    auto* options = new QVBoxLayout(frame2);
    auto* answering = new QHBoxLayout;
    auto* answerGroup = new QButtonGroup(this);
    m_yosouop = option(frame2, QStringLiteral("yosouop"), tr(" 予想する"), tr("回答を予想します"));
    m_nyuuryokuop
        = option(frame2, QStringLiteral("nyuuryokuop"), tr(" 入力する"), tr("回答を入力します"));
    answerGroup->addButton(m_yosouop);
    answerGroup->addButton(m_nyuuryokuop);
    m_yosouop->setChecked(true);
    answering->addWidget(m_yosouop);
    answering->addWidget(m_nyuuryokuop);
    answering->addStretch(1);
    options->addLayout(answering);

    auto* orderGroup = new QButtonGroup(this);
    m_Rndop[0] = option(this, QStringLiteral("Rndop_0"), tr("ランダム"), tr("ランダム表示"));
    m_Rndop[1] = option(this, QStringLiteral("Rndop_1"), tr("昇順"), tr("昇順表示"));
    orderGroup->addButton(m_Rndop[0]);
    orderGroup->addButton(m_Rndop[1]);
    m_Rndop[0]->setChecked(true);
    m_kikitorich = named(new QCheckBox(tr("♪聞取モード"), this), QStringLiteral("kikitorich"));
    m_kikitorich->setToolTip(tr("音声で出題　（Ctrlキーで聞き直せます）"));
    m_dakecom = combo(this, QStringLiteral("dakecom"),
        tr("試験範囲の選択 （未暗記のみ・暗記済のみ・全て）"), false);
    // Wide enough for the full-width brackets whatever font stands in for the design one.
    m_dakecom->setMinimumContentsLength(4);
    m_dakecom->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_Oppic = panel(frame2, QStringLiteral("Oppic"),
        {m_Rndop[0], m_Rndop[1], m_kikitorich, label(this, QStringLiteral("Label6"), tr("未覚")),
            m_dakecom});
    options->addWidget(m_Oppic);

    m_Seccom = combo(this, QStringLiteral("Seccom"), tr("表示速度（入力可）"), true);
    // Seconds are typed as digits with a decimal point, nothing else; the validator keeps
    // pasted text to the same characters.
    m_Seccom->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), m_Seccom));
    auto* keys = new SecondsKeyFilter(m_Seccom);
    m_Seccom->installEventFilter(keys);
    m_Seccom->lineEdit()->installEventFilter(keys);
    m_Sokupic = panel(frame2, QStringLiteral("Sokupic"),
        {label(this, QStringLiteral("Label1"), tr("速度")), m_Seccom});
    options->addWidget(m_Sokupic);

    m_ketamin = combo(this, QStringLiteral("ketamin"), tr("下限値の設定（入力可）"), true);
    m_ketamax = combo(this, QStringLiteral("ketamax"), tr("上限値の設定（入力可）"), true);
    m_ketamax->setEditText(QStringLiteral("1000"));
    m_Suuzipic = panel(frame2, QStringLiteral("Suuzipic"),
        {label(this, QStringLiteral("Label2"), tr("下限")), m_ketamin,
            label(this, QStringLiteral("Label3"), tr("上限")), m_ketamax});
    options->addWidget(m_Suuzipic);
    layout->addWidget(frame2);

    m_opFrame = named(new QGroupBox(tr("範囲"), this), QStringLiteral("opFrame"));
    auto* ranges = new QHBoxLayout(m_opFrame);
    m_rangeGroup = new QButtonGroup(this);
    const QString rangeNames[kRangeCount] = {QStringLiteral("Madaop"), QStringLiteral("Sumiop"),
        QStringLiteral("redop"), QStringLiteral("Zenop"), QStringLiteral("Fukuop")};
    const QString rangeCaptions[kRangeCount]
        = {tr("未暗記のみ"), tr("暗記済のみ"), tr("要チェックのみ"), tr("全体テスト"), tr("復習")};
    for (int i = 0; i < kRangeCount; ++i) {
        m_rangeOptions[size_t(i)] = option(m_opFrame, rangeNames[i], rangeCaptions[i]);
        m_rangeGroup->addButton(m_rangeOptions[size_t(i)], i);
        ranges->addWidget(m_rangeOptions[size_t(i)]);
    }
    layout->addWidget(m_opFrame);

    auto* buttons = new QHBoxLayout;
    m_OKButton = named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("OKButton"));
    m_CancelButton = named(new QPushButton(tr("キャンセル"), this), QStringLiteral("CancelButton"));
    m_OKButton->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(m_OKButton);
    buttons->addWidget(m_CancelButton);
    layout->addLayout(buttons);

    for (QRadioButton* b : {m_zidoutestop, m_syudoutestop, m_suuzitestop}) {
        connect(b, &QAbstractButton::toggled, this, [this](bool on) {
            if (on)
                kindChanged();
        });
    }
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*> {
             m_yosouop, m_nyuuryokuop, m_Rndop[0], m_Rndop[1], m_Revch, m_kikitorich})
        connect(b, &QAbstractButton::toggled, this, &Dialog::refreshLook);
    connect(m_rangeGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            m_dakecom->setCurrentIndex(id);
    });
    connect(m_dakecom, &QComboBox::currentIndexChanged, this, &Dialog::rangeChanged);
    connect(m_OKButton, &QPushButton::clicked, this, &Dialog::ok);
    connect(m_CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void Dialog::load(const TestSetupInput& input)
{
    m_Seccom->addItems(MainMenus::secondsItems());
    m_ketamin->addItems({QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("100"),
        QStringLiteral("1000"), QStringLiteral("10000")});
    m_ketamax->addItems({QStringLiteral("10"), QStringLiteral("100"), QStringLiteral("1000"),
        QStringLiteral("10000"), QStringLiteral("100000")});
    m_ketamax->setCurrentIndex(kHighestPreselected);
    for (int i = 0; i < kRangeCount; ++i)
        m_dakecom->addItem(rangeLabel(rangeFromIndex(i)));
    m_dakecom->setCurrentIndex(int(RangeFilter::All));

    m_cancelled = true;

    m_kikitorich->setChecked(input.listening);
    m_Revch->setChecked(input.reverse);

    readSettings();

    m_Seccom->setEditText(input.seconds);
    m_ketamin->setEditText(input.lowest);
    m_ketamax->setEditText(input.highest);
}

void Dialog::readSettings()
{
    const SettingsReader r(m_settingsPath);
    const QString& T = Section::Test;
    // Two options that share a group: the value chooses one or the other.
    auto pair = [&](const std::optional<bool>& v, QRadioButton* on, QRadioButton* off) {
        if (v)
            (*v ? on : off)->setChecked(true);
    };
    if (const auto v = r.checkBoxOrBool(T, QStringLiteral("NYUURYOKU")))
        pair(*v != 0, m_nyuuryokuop, m_yosouop);
    // One kind is always chosen: a false value leaves the kind as it is.
    const std::pair<const char*, QRadioButton*> kinds[]
        = {{"ZIDOU", m_zidoutestop}, {"SHUDOU", m_syudoutestop}, {"SUUZI", m_suuzitestop}};
    for (const auto& [key, b] : kinds) {
        if (r.boolean(T, QString::fromLatin1(key)).value_or(false))
            b->setChecked(true);
    }
    pair(r.boolean(T, QStringLiteral("RND")), m_Rndop[0], m_Rndop[1]);
    pair(r.boolean(T, QStringLiteral("NRM")), m_Rndop[1], m_Rndop[0]);
    const std::optional<int> range = r.int16(T, QStringLiteral("HANI"));
    if (range && *range >= 0 && *range < kRangeCount)
        m_dakecom->setCurrentIndex(*range);
}

void Dialog::writeSettings()
{
    const QString& T = Section::Test;
    auto checkBoxText = [](const QCheckBox* c) { return QString::number(c->isChecked() ? 1 : 0); };
    // REV and KIKITORI are check box values, which start-up reads as 0 and 1.
    SettingsStore::WriteValues(
        {
            {T, QStringLiteral("NYUURYOKU"), boolText(m_nyuuryokuop->isChecked())},
            {T, QStringLiteral("KIKITORI"), checkBoxText(m_kikitorich)},
            {T, QStringLiteral("REV"), checkBoxText(m_Revch)},
            {T, QStringLiteral("ZIDOU"), boolText(m_zidoutestop->isChecked())},
            {T, QStringLiteral("SHUDOU"), boolText(m_syudoutestop->isChecked())},
            {T, QStringLiteral("SUUZI"), boolText(m_suuzitestop->isChecked())},
            {T, QStringLiteral("RND"), boolText(m_Rndop[0]->isChecked())},
            {T, QStringLiteral("NRM"), boolText(m_Rndop[1]->isChecked())},
            {T, QStringLiteral("HANI"), QString::number(m_dakecom->currentIndex())},
        },
        m_settingsPath);
}

TestKind Dialog::kind() const
{
    if (m_suuzitestop->isChecked())
        return TestKind::Number;
    if (m_syudoutestop->isChecked())
        return TestKind::Manual;
    return TestKind::Automatic;
}

TestChoice Dialog::choice() const
{
    TestChoice c;
    c.kind = kind();
    c.typedInput = m_nyuuryokuop->isChecked();
    c.listening = m_kikitorich->isChecked();
    c.reverse = m_Revch->isChecked();
    c.random = m_Rndop[0]->isChecked();
    c.seconds = m_Seccom->currentText();
    c.lowest = m_ketamin->currentText();
    c.highest = m_ketamax->currentText();
    c.rangeIndex = m_dakecom->currentIndex();
    return c;
}

void Dialog::ok()
{
    if (const auto refusal = validateTestSetup(choice(), m_notYet, m_memorized, m_red, m_due)) {
        m_platform.showMessage(this, refusal->text, refusal->icon, MessageButtons::Ok);
        return;
    }
    m_cancelled = false;
    accept();
}

void Dialog::done(int result)
{
    writeSettings();
    QDialog::done(result);
}

void Dialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    refreshLook();
    m_platform.setTopmost(this, true);
}

void Dialog::kindChanged()
{
    // The number test reads numbers aloud: order, listening, reverse and range do not apply.
    const bool words = kind() != TestKind::Number;
    for (QWidget* w :
        std::initializer_list<QWidget*> {m_kikitorich, m_Revch, m_Rndop[0], m_Rndop[1], m_dakecom})
        w->setEnabled(words);
    m_Seccom->setEnabled(true);
    m_Oppic->setVisible(words);
    m_Sokupic->setVisible(true);
    m_Suuzipic->setVisible(!words);
    refreshLook();
}

void Dialog::rangeChanged(int index)
{
    if (index < 0 || index >= kRangeCount)
        return;
    m_rangeTitle = rangeTitle(index);
    m_rangeOptions[size_t(index)]->setChecked(true);
    refreshLook();
}

void Dialog::refreshLook()
{
    const TestKind chosen = kind();
    if (chosen == TestKind::Number) {
        m_k->show();
        for (QWidget* w : std::initializer_list<QWidget*> {m_Mlabel, m_Alabel, m_opFrame, m_Revch})
            w->hide();
        setWindowTitle(tr("数字の聞き取りテスト"));
    } else {
        const QString english = tr("English");
        const QString japanese = tr("日本語");
        const bool reversed = m_Revch->isChecked();
        m_Mlabel->setText(reversed ? japanese : english);
        m_Alabel->setText(reversed ? english : japanese);
        m_k->hide();
        for (QWidget* w : std::initializer_list<QWidget*> {m_Mlabel, m_Alabel, m_opFrame, m_Revch})
            w->show();
        setWindowTitle(
            m_rangeTitle + QStringLiteral("  ") + countsText(m_notYet, m_memorized, m_red));
    }

    const QColor accent = colorFromBgr(kAccentBgr);
    const QColor white = colorFromBgr(kWhiteBgr);
    QRadioButton* const kindOptions[3] = {m_zidoutestop, m_syudoutestop, m_suuzitestop};
    const TestKind kinds[3] = {TestKind::Automatic, TestKind::Manual, TestKind::Number};
    for (int i = 0; i < 3; ++i) {
        const bool on = kinds[i] == chosen;
        paint(kindOptions[i], on ? white : accent, on ? accent : white);
        paint(m_shapes[size_t(i)], on ? white : accent, on ? accent : white);
    }
}

} // namespace keruna
