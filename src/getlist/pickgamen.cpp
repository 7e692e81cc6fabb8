#include "getlist/pickgamen.h"

#include "getlist/getlist.h"

#include "ui/accessiblenames.h"
#include "ui/resources.h"
#include "ui/widgethelpers.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <iterator>

namespace keruna {

namespace {

enum class Extra { None, ResetCheckAll, SpeedFirst };

// A command of this screen and the main-screen button it presses.
struct Forward {
    const char* name;
    const char* mainName;
    Extra extra;
};

// The main screen has no GET-panel pause pair: its study pause buttons do that work.
constexpr Forward kForwards[] = {
    {"listmaru", "listmaru", Extra::None},
    {"listmodosi", "listmodosi", Extra::ResetCheckAll},
    {"listSkipbtn", "listSkipbtn", Extra::None},
    {"listteisi", "Fteisibtn", Extra::None},
    {"listsaikai", "Fsaikaibtn", Extra::None},
    {"listhozon", "listhozon", Extra::ResetCheckAll},
    {"Picktest", "Picktest", Extra::None},
    {"pickend", "pickend", Extra::None},
    {"testTEISIbtn", "testTEISIbtn", Extra::None},
    {"testSAIKAIbtn", "testSAIKAIbtn", Extra::None},
    {"testvoice", "testvoice", Extra::None},
    {"syuuryoubtn", "syuuryoubtn", Extra::None},
    {"syudouKAKUNIN", "syudouKAKUNIN", Extra::None},
    {"syudouMARU", "syudouMARU", Extra::None},
    {"syudouBATU", "syudouBATU", Extra::None},
    {"syudouskip", "syudouskip", Extra::None},
    {"zidouMARU", "zidouMARU", Extra::None},
    {"TestListbtn", "TestListbtn", Extra::None},
    {"ketabotan", "ketabotan", Extra::None},
    {"tsecbtn", "tsecbtn", Extra::SpeedFirst},
};

// Controls and panels that follow a main-screen twin of the same name besides the commands.
constexpr const char* kMirroredByName[] = {"iroch", "typec", "tsec", "ketamin", "ketamax",
    "cuttext", "Picktestlabel", "Pickbtnpic", "Frame1_15", "testFrame", "typeRow"};

constexpr const char* kOptionBoxes[] = {"iroch", "typec"};

QHBoxLayout* rowOf(QWidget* panel)
{
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    return row;
}

QComboBox* valueBox(QWidget* parent, const QString& name, const QString& tooltip)
{
    auto* c = named(new QComboBox(parent), name);
    c->setEditable(true);
    c->setToolTip(tooltip);
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return c;
}

} // namespace

template <class W> W* Pickgamen::mainTwin(const QString& name) const
{
    // The screen may be the main window's child: its own controls are not twins.
    for (W* w : m_main.findChildren<W*>(name)) {
        if (static_cast<const QWidget*>(w) != this && !isAncestorOf(w))
            return w;
    }
    return nullptr;
}

Pickgamen::Pickgamen(QWidget& mainScreen, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_main(mainScreen)
{
    setObjectName(QStringLiteral("Pickgamen"));
    setWindowTitle(tr("表示中の単語を暗記済にできます"));
    initResources();
    buildControls();
    makeAccessible(this);
    resize(420, 360);

    for (int row = 0; row < int(std::size(kForwards)); ++row) {
        auto* b = findChild<QAbstractButton*>(QLatin1String(kForwards[row].name));
        connect(b, &QAbstractButton::clicked, this, [this, row] { forward(row); });
    }
    for (const char* name : kOptionBoxes) {
        const QString n = QLatin1String(name);
        // On the toggle, not the click: a screen reader switches a check box through its
        // toggle. Following the twin sets the same value back, which toggles nothing.
        connect(findChild<QCheckBox*>(n), &QCheckBox::toggled, this, [this, n](bool on) {
            if (auto* twin = mainTwin<QCheckBox>(n))
                twin->setChecked(on);
        });
    }
    for (QComboBox* box : {m_tsec, m_ketamin, m_ketamax}) {
        if (auto* twin = mainTwin<QComboBox>(box->objectName())) {
            for (int i = 0; i < twin->count(); ++i)
                box->addItem(twin->itemText(i));
            box->setEditText(twin->currentText());
        }
        connect(box, &QComboBox::editTextChanged, this, [this, box](const QString& text) {
            auto* twin = mainTwin<QComboBox>(box->objectName());
            if (twin && twin->currentText() != text)
                twin->setEditText(text);
        });
    }
    connect(m_cuttext, &QLineEdit::textChanged, this, [this](const QString& text) {
        auto* twin = mainTwin<QLineEdit>(m_cuttext->objectName());
        if (twin && twin->text() != text)
            twin->setText(text);
    });
    connect(m_checkAll, &QAbstractButton::clicked, this, [this] { setAllChecked(true); });
    connect(m_uncheckAll, &QAbstractButton::clicked, this, [this] { setAllChecked(false); });
    connect(findChild<QAbstractButton*>(QStringLiteral("naibubtn")), &QAbstractButton::clicked,
        this, [this] {
            if (moveIn)
                moveIn();
        });
    connect(m_list, &QTreeView::clicked, this, [this] {
        copyValueBoxes();
        if (listClicked)
            listClicked();
    });
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (listPopup)
            listPopup(m_list->viewport()->mapToGlobal(pos));
    });
}

void Pickgamen::buildControls()
{
    auto* col = new QVBoxLayout(this);
    col->setContentsMargins(4, 4, 4, 4);
    col->setSpacing(3);

    // GET commands; the count and the way back stay when a test hides the commands.
    auto* top = new QHBoxLayout;
    col->addLayout(top);
    auto* commands = named(new QFrame(this), QStringLiteral("Pickbtnpic"));
    auto* commandRow = rowOf(commands);
    const struct {
        const char* name;
        const char* icon;
        QString tooltip;
    } getButtons[] = {
        {"listmaru", "listadd", tr("リストに追加　※Enter")},
        {"listmodosi", "listremove", tr("リストから外す(チェックでまとめて削除)　※Backspace")},
        {"listSkipbtn", "skip", tr("問題をスキップ ※Shift+Enter")},
        {"listteisi", "pause", tr("一時停止　※Delete")},
        {"listsaikai", "resume", tr("再開　※Delete")},
        {"listhozon", "save", tr("リストデータを保存")},
        {"Picktest", "test", tr("ワンタッチテスト ランダム順で一巡した後に停止します")},
        {"pickend", "stop", tr("テスト終了")},
        {"gPickzencheck", "checkall", tr("全てチェック/解除")},
        {"gPickzencheckhazusi", "uncheckall", tr("全てチェック/解除")},
    };
    for (const auto& b : getButtons)
        commandRow->addWidget(
            pictureButton(commands, QLatin1String(b.name), QLatin1String(b.icon), b.tooltip));
    commandRow->addStretch(1);
    m_checkAll = findChild<QAbstractButton*>(QStringLiteral("gPickzencheck"));
    m_uncheckAll = findChild<QAbstractButton*>(QStringLiteral("gPickzencheckhazusi"));
    for (const char* hidden : {"listsaikai", "pickend", "gPickzencheckhazusi"})
        findChild<QWidget*>(QLatin1String(hidden))->hide();
    top->addWidget(commands, 1);
    m_count = named(new QLabel(QStringLiteral("0"), this), QStringLiteral("listkazu"));
    top->addWidget(m_count);
    auto* back = pictureButton(
        this, QStringLiteral("naibubtn"), QStringLiteral("internal"), tr("内部画面"));
    back->setText(tr("内部画面")); // its name for the keyboard and screen readers
    top->addWidget(back);

    // Test controls: buttons on one line, the value boxes under them, so that every
    // kind of test fits the narrow window.
    auto* test = named(new QFrame(this), QStringLiteral("testFrame"));
    auto* testCol = new QVBoxLayout(test);
    testCol->setContentsMargins(0, 0, 0, 0);
    testCol->setSpacing(2);
    auto* testButtons = new QHBoxLayout;
    testButtons->setSpacing(2);
    testCol->addLayout(testButtons);
    const struct {
        const char* name;
        const char* icon;
        QString tooltip;
    } testButtonList[] = {
        {"testTEISIbtn", "pause", tr("一時停止  ※Delete")},
        {"testSAIKAIbtn", "resume", tr("再開  ※Delete")},
        {"syudouKAKUNIN", "reveal", tr("答えの確認")},
        {"syudouMARU", "maru", {}},
        {"syudouBATU", "batsu", {}},
        {"syudouskip", "skip", tr("スキップ ※Shift+Enter")},
        {"zidouMARU", "maru", {}},
        {"testvoice", "speak", tr("発音　※Ctrl")},
        {"syuuryoubtn", "stop", tr("テストを終了")},
    };
    for (const auto& b : testButtonList)
        testButtons->addWidget(
            pictureButton(test, QLatin1String(b.name), QLatin1String(b.icon), b.tooltip));
    testButtons->addStretch(1);
    auto* values = new QHBoxLayout;
    values->setSpacing(2);
    testCol->addLayout(values);
    m_tsec = valueBox(test, QStringLiteral("tsec"), tr("速度の設定（入力可）"));
    m_ketamin = valueBox(test, QStringLiteral("ketamin"), tr("下限値の設定（入力可）"));
    m_ketamax = valueBox(test, QStringLiteral("ketamax"), tr("上限値の設定（入力可）"));
    values->addWidget(m_tsec);
    values->addWidget(
        pictureButton(test, QStringLiteral("tsecbtn"), QStringLiteral("apply"), tr("速度の適用")));
    values->addWidget(m_ketamin);
    values->addWidget(m_ketamax);
    values->addWidget(pictureButton(
        test, QStringLiteral("ketabotan"), QStringLiteral("apply"), tr("桁数の適用")));
    values->addStretch(1);
    test->hide();
    col->addWidget(test);

    // Score of the GET test and the two options the main screen shares with this one.
    auto* options = new QHBoxLayout;
    col->addLayout(options);
    m_testLabel = named(new QLabel(this), QStringLiteral("Picktestlabel"));
    m_testLabel->hide();
    options->addWidget(m_testLabel, 1);
    auto* typec = named(new QCheckBox(QStringLiteral("type"), this), QStringLiteral("typec"));
    typec->setToolTip(tr("入力モード"));
    options->addWidget(typec);
    options->addWidget(
        named(new QCheckBox(QStringLiteral("timer"), this), QStringLiteral("iroch")));

    auto* results = named(new QFrame(this), QStringLiteral("Frame1_15"));
    auto* resultRow = rowOf(results);
    resultRow->addWidget(
        named(new QPushButton(tr("テスト結果を見る"), results), QStringLiteral("TestListbtn")));
    resultRow->addStretch(1);
    results->hide();
    col->addWidget(results);

    auto* typing = named(new QFrame(this), QStringLiteral("typeRow"));
    m_cuttext = named(new QLineEdit(typing), QStringLiteral("cuttext"));
    m_cuttext->setToolTip(tr("Enter：一時停止 Tab：答え"));
    rowOf(typing)->addWidget(m_cuttext);
    typing->hide();
    col->addWidget(typing);

    m_list = named(new QTreeView(this), QStringLiteral("Picklist"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderHidden(true);
    m_list->setUniformRowHeights(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    col->addWidget(m_list, 1);
}

void Pickgamen::setModel(QAbstractItemModel* model)
{
    if (model == m_model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    // The view makes a selection model per model and leaves the old one behind.
    QItemSelectionModel* oldSelection = m_list->selectionModel();
    m_model = model;
    m_list->setModel(model);
    delete oldSelection;
    fitColumnsToView(*m_list);
    if (model) {
        connect(model, &QAbstractItemModel::rowsInserted, this, &Pickgamen::refreshCount);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &Pickgamen::refreshCount);
        connect(model, &QAbstractItemModel::modelReset, this, &Pickgamen::refreshCount);
    }
    refreshCount();
}

void Pickgamen::setPicktestText(const QString& text)
{
    m_testLabel->setText(text);
}

void Pickgamen::mirrorControls()
{
    auto follow = [this](const QString& name, const QString& mainName) {
        auto* mine = findChild<QWidget*>(name);
        auto* twin = mainTwin<QWidget>(mainName);
        if (!mine || !twin)
            return;
        mine->setHidden(twin->isHidden());
        mine->setEnabled(twin->isEnabledTo(&m_main));
        mine->setToolTip(twin->toolTip());
    };
    for (const Forward& f : kForwards)
        follow(QLatin1String(f.name), QLatin1String(f.mainName));
    for (const char* name : kMirroredByName)
        follow(QLatin1String(name), QLatin1String(name));
    for (const char* name : kOptionBoxes) {
        auto* twin = mainTwin<QCheckBox>(QLatin1String(name));
        if (twin)
            findChild<QCheckBox*>(QLatin1String(name))->setChecked(twin->isChecked());
    }
}

void Pickgamen::applyFonts(const QFont& list, const QFont& typing)
{
    m_list->setFont(list);
    m_cuttext->setFont(typing);
}

void Pickgamen::closeEvent(QCloseEvent* event)
{
    if (closed)
        closed();
    QWidget::closeEvent(event);
}

void Pickgamen::forward(int row)
{
    const Forward& f = kForwards[row];
    if (f.extra == Extra::SpeedFirst)
        copyValueBoxes();
    QPointer<Pickgamen> self(this);
    if (auto* twin = mainTwin<QAbstractButton>(QLatin1String(f.mainName)))
        twin->click();
    if (self && f.extra == Extra::ResetCheckAll) {
        m_checkAll->show();
        m_uncheckAll->hide();
    }
}

void Pickgamen::copyValueBoxes()
{
    for (QComboBox* box : {m_tsec, m_ketamin, m_ketamax}) {
        if (auto* twin = mainTwin<QComboBox>(box->objectName()))
            twin->setEditText(box->currentText());
    }
    if (auto* twin = mainTwin<QLineEdit>(m_cuttext->objectName()))
        twin->setText(m_cuttext->text());
}

void Pickgamen::setAllChecked(bool checked)
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    const QVariant state = int(checked ? Qt::Checked : Qt::Unchecked);
    for (int r = 0; r < m_model->rowCount(); ++r)
        m_model->setData(m_model->index(r, 0), state, Qt::CheckStateRole);
    m_checkAll->setHidden(checked);
    m_uncheckAll->setHidden(!checked);
    m_list->setFocus();
}

void Pickgamen::refreshCount()
{
    m_count->setText(QString::number(m_model ? m_model->rowCount() : 0));
}

} // namespace keruna
