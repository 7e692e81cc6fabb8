#include "database/dbgamen.h"

#include "common/twips.h"
#include "database/dblistmodel.h"
#include "database/resultlists.h"
#include "ui/accessiblenames.h"
#include "ui/cardtext.h"
#include "ui/lazyicon.h"
#include "ui/platform.h"
#include "ui/widgethelpers.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace keruna {

namespace {

constexpr int kMinHeightTwips = 4400;
constexpr int kListViewTopTwips = 1050;
constexpr int kResultViewTopTwips = 2600;
constexpr int kListViewMarginTwips = 900;
constexpr int kResultViewMarginTwips = 2400;
constexpr int kNarrowLeftTwips = 100;
constexpr int kBarHeightTwips = 1000;
constexpr int kSlideIntervalMs = 10;
constexpr int kSlideStepTwips = 10;

} // namespace

QString dbTitleText(int memorizedCount)
{
    if (memorizedCount <= 0)
        return QCoreApplication::translate("DBgamen", "覚えている単語はありません");
    return QCoreApplication::translate("DBgamen", "%1単語覚えています").arg(memorizedCount);
}

DBgamen::DBgamen(DbListModel& left, DbListModel& right, Platform& platform, TimerFactory& timers,
    DbScreenHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_left(left)
    , m_right(right)
    , m_platform(platform)
    , m_hooks(std::move(hooks))
    , m_downTimer(timers.createTimer())
{
    setObjectName(QStringLiteral("DBgamen"));
    buildControls();
    m_downTimer->setInterval(kSlideIntervalMs);
    m_downTimer->setOnTimeout([this] { slideCover(); });
    resize(twipsToPixels(11400), twipsToPixels(7200));
    UpdateListCounts();
    updatePaneNames();
    makeAccessible(this);
}

QTreeView* DBgamen::makeList(DbListModel& model, const QString& name)
{
    auto* view = named(new QTreeView, name);
    view->setModel(&model);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true); // scrolling to the end must not measure every row
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->header()->setStretchLastSection(false);
    // The meaning test narrows a column to 50 twips, below the style's usual minimum.
    view->header()->setMinimumSectionSize(1);
    view->setColumnWidth(0, twipsToPixels(1600));
    view->setColumnWidth(1, twipsToPixels(3000));
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    const bool isLeft = &model == &m_left;
    connect(view, &QAbstractItemView::clicked, this, [this, isLeft] { ShowHiddenColumn(isLeft); });
    connect(view, &QWidget::customContextMenuRequested, this, [this, view, isLeft](QPoint at) {
        if (m_hooks.showListPopup)
            m_hooks.showListPopup(isLeft, view->viewport()->mapToGlobal(at));
    });
    return view;
}

void DBgamen::buildControls()
{
    m_motopic = named(new QFrame(this), QStringLiteral("motopic"));
    m_barpic = named(new QFrame(m_motopic), QStringLiteral("barpic"));
    auto* bar = m_barLayout = new QHBoxLayout(m_barpic);
    bar->setContentsMargins(4, 4, 4, 4);
    m_text = named(new QLineEdit(m_barpic), QStringLiteral("Text"));
    m_text->setToolTip(tr("検索する文字を入力してください"));
    m_text->setMinimumWidth(twipsToPixels(2400));
    m_ken = pictureButton(m_barpic, QStringLiteral("ken"), QStringLiteral("search"), tr("検索"));
    m_imi = pictureButton(m_barpic, QStringLiteral("imi"), QStringLiteral("selftestmeaning"),
        tr("【和訳テスト】 リスト下に選択した単語の意味を表示します"));
    m_eigo = pictureButton(m_barpic, QStringLiteral("eigo"), QStringLiteral("selftestspelling"),
        tr("【英訳テスト】  リスト下に選択した単語のスペルを表示します"));
    m_imi->setCheckable(true);
    m_eigo->setCheckable(true);
    m_redbtn = pictureButton(m_barpic, QStringLiteral("Redbtn"), QStringLiteral("redmark"),
        tr("チェックを付けた単語をまとめて要チェックにします"));
    m_fontbtn = pictureButton(
        m_barpic, QStringLiteral("Fontbtn"), QStringLiteral("font"), tr("リストのフォント設定"));
    m_chexp = pictureButton(
        m_barpic, QStringLiteral("chexp"), QStringLiteral("export"), tr("データの書き出し"));
    m_sumihozon
        = pictureButton(m_barpic, QStringLiteral("sumihozon"), QStringLiteral("save"), tr("保存"));
    for (QWidget* w : std::initializer_list<QWidget*> {
             m_text, m_ken, m_imi, m_eigo, m_redbtn, m_fontbtn, m_chexp, m_sumihozon})
        bar->addWidget(w);
    m_barpic->setFixedSize(m_barpic->sizeHint().width(), twipsToPixels(kBarHeightTwips));

    m_testpic = named(new QFrame(this), QStringLiteral("testpic"));
    m_testpic->hide();
    buildResultPanel();

    m_mainpic = named(new QFrame(this), QStringLiteral("mainpic"));
    auto* lists = new QHBoxLayout(m_mainpic);
    lists->setContentsMargins(4, 0, 4, 0);
    m_sumilist = makeList(m_left, QStringLiteral("sumilist"));
    m_madalist = makeList(m_right, QStringLiteral("madalist"));
    m_sumikazu = named(new QLabel, QStringLiteral("sumikazu"));
    m_madakazu = named(new QLabel, QStringLiteral("madakazu"));
    m_kaitoulabel = named(new QLabel, QStringLiteral("kaitoulabel"));
    m_kaitoulabelm = named(new QLabel, QStringLiteral("kaitoulabelm"));
    const char* side[2] = {"sumi", "mada"};
    QLabel* counts[2] = {m_sumikazu, m_madakazu};
    QLabel* answers[2] = {m_kaitoulabel, m_kaitoulabelm};
    QTreeView* views[2] = {m_sumilist, m_madalist};
    for (int i = 0; i < 2; ++i) {
        const QString prefix = QString::fromLatin1(side[i]);
        m_pane[i] = new QWidget(m_mainpic);
        auto* column = new QVBoxLayout(m_pane[i]);
        column->setContentsMargins(0, 0, 0, 0);
        auto* head = new QHBoxLayout;
        head->addWidget(counts[i]);
        head->addStretch();
        m_zencheck[i] = pictureButton(m_pane[i], prefix + QStringLiteral("zencheck"),
            QStringLiteral("checkall"), tr("全てチェック/解除"));
        m_zencheckhazusi[i] = pictureButton(m_pane[i], prefix + QStringLiteral("zencheckhazusi"),
            QStringLiteral("uncheckall"), tr("全てチェック/解除"));
        m_zencheckhazusi[i]->hide();
        m_max[i] = pictureButton(m_pane[i], prefix + QStringLiteral("Max"), QStringLiteral("widen"),
            tr("リスト幅を広げます"));
        m_moto[i] = pictureButton(m_pane[i], prefix + QStringLiteral("Moto"),
            QStringLiteral("restore"), tr("リスト幅を戻します"));
        m_moto[i]->hide();
        for (QWidget* w : {m_zencheck[i], m_zencheckhazusi[i], m_max[i], m_moto[i]})
            head->addWidget(w);
        column->addLayout(head);
        column->addWidget(views[i], 1);
        answers[i]->setMinimumHeight(twipsToPixels(400));
        answers[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(answers[i]);
        const bool left = i == 0;
        connect(m_zencheck[i], &QToolButton::clicked, this, [this, left] { CheckAll(left); });
        connect(
            m_zencheckhazusi[i], &QToolButton::clicked, this, [this, left] { UncheckAll(left); });
        connect(m_max[i], &QToolButton::clicked, this, [this, left] { WidenList(left); });
        connect(m_moto[i], &QToolButton::clicked, this, [this, left] { RestoreLists(left); });
    }
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    m_migiidou = pictureButton(m_mainpic, QStringLiteral("migiidou"), QStringLiteral("moveright"),
        tr("右へ移動 （チェックでまとめて移動）"));
    m_hidariidou = pictureButton(m_mainpic, QStringLiteral("hidariidou"),
        QStringLiteral("moveleft"), tr("左へ移動 （チェックでまとめて移動）"));
    middle->addWidget(m_migiidou);
    middle->addWidget(m_hidariidou);
    middle->addStretch();
    lists->addWidget(m_pane[0], 1);
    lists->addLayout(middle);
    lists->addWidget(m_pane[1], 1);
    // Tab reads the screen as it stands: the bar, then the left list's column, the move
    // buttons between the lists, and the right list's column.
    setTabChain({m_text, m_ken, m_imi, m_eigo, m_redbtn, m_fontbtn, m_chexp, m_sumihozon,
        m_zencheck[0], m_zencheckhazusi[0], m_max[0], m_moto[0], m_sumilist, m_migiidou,
        m_hidariidou, m_zencheck[1], m_zencheckhazusi[1], m_max[1], m_moto[1], m_madalist});

    connect(m_migiidou, &QToolButton::clicked, this, [this] { MoveRight(); });
    connect(m_hidariidou, &QToolButton::clicked, this, [this] { MoveLeft(); });
    connect(m_ken, &QToolButton::clicked, this, [this] { FindNext(); });
    connect(m_text, &QLineEdit::returnPressed, this, [this] { FindNext(); });
    connect(m_text, &QLineEdit::textChanged, this, [this] { m_search = {}; });
    // On the toggle, not the click: a screen reader switches them through their toggle.
    connect(m_imi, &QToolButton::toggled, this, [this] { ToggleSelfTest(true); });
    connect(m_eigo, &QToolButton::toggled, this, [this] { ToggleSelfTest(false); });
    connect(m_redbtn, &QToolButton::clicked, this, [this] { ToggleRedChecked(); });
    connect(m_sumihozon, &QToolButton::clicked, this, [this] { pressSave(); });
    connect(m_chexp, &QToolButton::clicked, this, [this] {
        if (m_hooks.onExport)
            m_hooks.onExport();
    });
    connect(m_fontbtn, &QToolButton::clicked, this, [this] {
        if (m_hooks.onChooseFont)
            m_hooks.onChooseFont();
    });
}

void DBgamen::buildResultPanel()
{
    auto* column = new QVBoxLayout(m_testpic);
    column->setContentsMargins(twipsToPixels(300), twipsToPixels(150), twipsToPixels(300), 0);
    column->setSpacing(twipsToPixels(90));

    m_lrange = named(new QLabel(tr("未暗記テスト結果700問"), m_testpic), QStringLiteral("Lrange"));
    QFont heading = m_lrange->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.25);
    heading.setBold(true);
    m_lrange->setFont(heading);
    // Save and export stand at the head of the panel while it replaces the button bar.
    m_resultButtons = new QHBoxLayout;
    m_resultButtons->addWidget(m_lrange);
    m_resultButtons->addStretch();
    // This test among the earlier ones.
    auto* history
        = named(new QPushButton(tr("学習履歴(&R)"), m_testpic), QStringLiteral("rirekibtn"));
    history->setToolTip(tr("これまでのテストと暗記の記録を見る"));
    connect(history, &QPushButton::clicked, this, [this] {
        if (m_hooks.onHistory)
            m_hooks.onHistory();
    });
    m_resultButtons->addWidget(history);
    column->addLayout(m_resultButtons);

    // Each number stands after its caption, wide enough for five digits so that the row
    // does not shift from one test to the next.
    QFont number = heading;
    number.setPointSizeF(heading.pointSizeF() * 1.2);
    auto* scores = new QHBoxLayout;
    scores->setSpacing(twipsToPixels(90));
    auto caption = [this, scores](const QString& text) {
        auto* label = new QLabel(text, m_testpic);
        scores->addWidget(label, 0, Qt::AlignBottom);
        return label;
    };
    auto value = [this, scores, &number](const QString& name) {
        auto* label = named(new QLabel(QStringLiteral("0"), m_testpic), name);
        label->setFont(number);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(QFontMetrics(number).horizontalAdvance(QStringLiteral("00000")));
        scores->addWidget(label, 0, Qt::AlignBottom);
        return label;
    };
    caption(tr("正解"));
    m_lseikai = value(QStringLiteral("Lseikai"));
    scores->addSpacing(twipsToPixels(300));
    caption(tr("間違い"));
    m_lmatigai = value(QStringLiteral("Lmatigai"));
    scores->addSpacing(twipsToPixels(300));
    caption(tr("正解率"));
    m_lritu = value(QStringLiteral("Lritu"));
    caption(QStringLiteral("％"));
    scores->addStretch();
    column->addLayout(scores);

    m_lcoment = named(new QLabel(m_testpic), QStringLiteral("Lcoment"));
    QFont comment = m_lcoment->font();
    comment.setPointSizeF(comment.pointSizeF() * 1.15);
    m_lcoment->setFont(comment);
    column->addWidget(m_lcoment);
    column->addStretch();

    // The cover lies over the whole panel, above the labels, until the slide moves it out.
    m_downL = named(new QLabel(m_testpic), QStringLiteral("DownL"));
    m_downL->setAutoFillBackground(true);
    m_downL->raise();
}

void DBgamen::slideCover()
{
    m_downTopTwips += kSlideStepTwips;
    m_downL->move(0, twipsToPixels(m_downTopTwips));
    if (m_downTopTwips > pixelsToTwips(m_testpic->height()))
        m_downTimer->setEnabled(false);
}

void DBgamen::setResultScore(const ResultScore& score)
{
    m_lrange->setText(score.range);
    m_lseikai->setText(QString::number(score.correct));
    m_lmatigai->setText(QString::number(score.wrong));
    m_lritu->setText(QString::number(score.rate));
}

void DBgamen::ChooseResultComment(int rate, int answered, int questions)
{
    if (answered < 1)
        return;
    setWindowTitle(resultWindowTitle());
    if (const std::optional<QString> comment = resultComment(rate, answered, questions))
        m_lcoment->setText(*comment);
}

void DBgamen::clearResultComment()
{
    m_lcoment->clear();
}

void DBgamen::showAsDatabase()
{
    m_mainpicTopTwips = kListViewTopTwips;
    m_testpic->hide();
    for (QWidget* w : {m_chexp, m_sumihozon})
        m_barLayout->addWidget(w);
    m_barpic->show();
    layoutPanels();
}

void DBgamen::showAsResults()
{
    m_mainpicTopTwips = kResultViewTopTwips;
    m_barpic->hide();
    for (QWidget* w : {m_chexp, m_sumihozon})
        m_resultButtons->addWidget(w);
    m_testpic->show();
    layoutPanels();
    m_downTimer->setEnabled(true);
}

void DBgamen::closeEvent(QCloseEvent* event)
{
    if (m_hooks.mayClose && !m_hooks.mayClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void DBgamen::afterFill()
{
    UpdateListCounts();
    updateTitle();
}

void DBgamen::UpdateListCounts()
{
    const bool held = m_hooks.testResultsHeld && m_hooks.testResultsHeld();
    m_sumikazu->setText((held ? tr("正解リスト %1") : tr("暗記済リスト %1")).arg(m_left.count()));
    m_madakazu->setText(
        (held ? tr("間違いリスト %1") : tr("未暗記リスト %1")).arg(m_right.count()));
    m_sumilist->viewport()->update();
    m_madalist->viewport()->update();
}

void DBgamen::updateTitle()
{
    setWindowTitle(dbTitleText(m_left.count()));
}

void DBgamen::updatePaneNames()
{
    // Kept as the window's accessible names of the lists; export texts read them.
    m_sumilist->setAccessibleName(paneName(true));
    m_madalist->setAccessibleName(paneName(false));
}

QString DBgamen::paneName(bool left) const
{
    const bool held = m_hooks.testResultsHeld && m_hooks.testResultsHeld();
    if (held)
        return left ? tr("正解リスト") : tr("間違いリスト");
    return left ? tr("暗記済リスト") : tr("未暗記リスト");
}

int DBgamen::selectedRow(bool left) const
{
    const QModelIndex current = list(left)->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void DBgamen::selectRow(bool left, int row)
{
    QTreeView* view = list(left);
    const QModelIndex at = view->model()->index(row, 0);
    if (!at.isValid())
        return;
    view->setCurrentIndex(at);
    view->scrollTo(at);
}

void DBgamen::move(bool fromLeft)
{
    const int selected = selectedRow(fromLeft);
    const int last = moveDbEntries(model(fromLeft), model(!fromLeft), selected);
    if (last >= 0) {
        selectRow(!fromLeft, last);
        selectRow(fromLeft, std::min(selected, model(fromLeft).count() - 1));
        UpdateListCounts();
    }
    const int i = fromLeft ? 0 : 1;
    m_zencheck[i]->show();
    m_zencheckhazusi[i]->hide();
    showCardText(m_kaitoulabel, {});
    showCardText(m_kaitoulabelm, {});
    m_search.found = false;
}

void DBgamen::MoveRight()
{
    move(true);
}

void DBgamen::MoveLeft()
{
    move(false);
}

void DBgamen::CheckAll(bool left)
{
    const int i = left ? 0 : 1;
    if (model(left).isEmpty())
        return;
    m_zencheck[i]->hide();
    m_zencheckhazusi[i]->show();
    model(left).setAllChecked(true);
}

void DBgamen::UncheckAll(bool left)
{
    const int i = left ? 0 : 1;
    model(left).setAllChecked(false);
    m_zencheckhazusi[i]->hide();
    m_zencheck[i]->show();
}

void DBgamen::WidenList(bool left)
{
    const int i = left ? 0 : 1;
    m_moto[i]->show();
    m_max[i]->hide();
    m_pane[1 - i]->hide(); // the other list with its check, widen and restore buttons
}

void DBgamen::RestoreLists(bool left)
{
    const int i = left ? 0 : 1;
    for (int k = 0; k < 2; ++k) {
        m_moto[k]->hide();
        m_max[k]->show();
    }
    m_pane[1 - i]->show();
}

void DBgamen::FindNext()
{
    const DbSearchStep step = keruna::FindNext(m_search, m_left, m_right, m_text->text());
    if (step.list != DbSearchStep::List::None) {
        const bool left = step.list == DbSearchStep::List::Left;
        // Focus first: the hit is then the last thing a screen reader hears, not the
        // list's name.
        if (list(left)->isVisible())
            list(left)->setFocus();
        selectRow(left, step.row);
    }
    if (!step.message.isEmpty())
        m_platform.showMessage(this,
            QCoreApplication::translate("DbSearch", step.message.toUtf8().constData()),
            MessageIcon::Information, MessageButtons::Ok);
}

void DBgamen::setColumnWidths(int firstTwips, bool secondFills)
{
    for (QTreeView* view : {m_sumilist, m_madalist}) {
        const int width = view->width();
        if (width <= 0)
            continue;
        if (secondFills) {
            view->setColumnWidth(0, twipsToPixels(firstTwips));
            view->setColumnWidth(1, width);
        } else {
            view->setColumnWidth(1, twipsToPixels(firstTwips));
            view->setColumnWidth(0, width);
        }
    }
}

void DBgamen::ToggleSelfTest(bool meaning)
{
    showCardText(m_kaitoulabel, {});
    showCardText(m_kaitoulabelm, {});
    QToolButton* self = meaning ? m_imi : m_eigo;
    QToolButton* other = meaning ? m_eigo : m_imi;
    if (self->isChecked()) {
        // Switched off quietly: its own toggle would widen the columns again.
        {
            const QSignalBlocker quiet(other);
            other->setChecked(false);
        }
        // The meaning test squeezes the answer column to a sliver; the spelling test the
        // question column.
        if (meaning)
            setColumnWidths(50, false);
        else
            setColumnWidths(300, true);
    } else {
        setColumnWidths(1600, true);
    }
    if (m_sumilist->isVisible())
        m_sumilist->setFocus();
    m_sumilist->viewport()->update();
    m_madalist->viewport()->update();
}

void DBgamen::ShowHiddenColumn(bool left)
{
    const int row = selectedRow(left);
    if (model(left).isEmpty() || row < 0)
        return;
    QLabel* mine = left ? m_kaitoulabel : m_kaitoulabelm;
    showCardText(left ? m_kaitoulabelm : m_kaitoulabel, {});
    const DbEntry& e = model(left).entry(row);
    if (m_imi->isChecked())
        showCardText(mine, e.answer);
    if (m_eigo->isChecked())
        showCardText(mine, e.question);
}

void DBgamen::ToggleRedChecked()
{
    m_right.toggleRedChecked();
    m_left.toggleRedChecked();
}

void DBgamen::ToggleRedSelected(bool left)
{
    if (model(left).isEmpty())
        return;
    model(left).toggleRed(selectedRow(left));
}

void DBgamen::pressSave()
{
    if (m_hooks.onSave)
        m_hooks.onSave();
    showCardText(m_kaitoulabel, {});
    showCardText(m_kaitoulabelm, {});
    if (isVisible() && isEnabled())
        setFocus();
}

void DBgamen::setListFont(const QFont& font)
{
    m_sumilist->setFont(font);
    m_madalist->setFont(font);
}

void DBgamen::layoutPanels()
{
    const bool resultView = m_testpic->isVisible();
    const int innerW = width();
    const int h = height();
    const int barW = m_barpic->width();
    const int left = innerW > barW ? (innerW - barW) / 2 : twipsToPixels(kNarrowLeftTwips);
    // The background carries the button bar, so the bar stands centred in a wide window.
    m_motopic->setGeometry(left, 0, innerW, h);
    m_barpic->move(0, 0);
    const int margin = twipsToPixels(resultView ? kResultViewMarginTwips : kListViewMarginTwips);
    const int top = twipsToPixels(m_mainpicTopTwips);
    const int mainH = h > margin ? h - margin : m_mainpic->height();
    m_mainpic->setGeometry(0, top, innerW, std::min(mainH, std::max(0, h - top)));
    m_testpic->setGeometry(0, 0, innerW, top);
    m_downL->setGeometry(0, twipsToPixels(m_downTopTwips), innerW, top);
}

void DBgamen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_hooks.alwaysOnTop && m_hooks.alwaysOnTop())
        m_platform.setTopmost(this, true);
    const int minH = twipsToPixels(kMinHeightTwips);
    if (height() < minH) {
        resize(width(), minH);
        return;
    }
    updatePaneNames();
    layoutPanels();
}

bool DBgamen::listKey(bool left, QKeyEvent* key)
{
    DbListModel& m = model(left);
    const int row = selectedRow(left);
    switch (key->key()) {
    case Qt::Key_Control:
        if (!m.isEmpty() && row >= 0 && m_hooks.speak)
            m_hooks.speak(m.entry(row).question);
        return true;
    case Qt::Key_Space:
        if (row >= 0)
            m.setChecked(row, !m.entry(row).checked);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FindNext();
        return true;
    default:
        return false;
    }
}

bool DBgamen::eventFilter(QObject* watched, QEvent* event)
{
    for (const bool left : {true, false}) {
        QTreeView* view = list(left);
        if (watched != view)
            continue;
        if (event->type() == QEvent::KeyPress)
            return listKey(left, static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::KeyRelease) {
            const int k = static_cast<QKeyEvent*>(event)->key();
            if ((k == Qt::Key_Up || k == Qt::Key_Down)
                && (m_imi->isChecked() || m_eigo->isChecked()))
                ShowHiddenColumn(left);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace keruna
