#include "history/historywindow.h"

#include "common/background.h"
#include "history/historychart.h"
#include "history/historyfile.h"
#include "history/historymodel.h"
#include "ui/accessiblenames.h"
#include "ui/platform.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace keruna {

HistoryWindow::HistoryWindow(HistoryFile& file, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_file(file)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("rirekigamen"));
    setWindowTitle(tr("学習履歴"));
    // Charts and table at a size that shows them whole, within the screen.
    QSize size(860, 780);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    m_all = new QCheckBox(tr("すべての問題データ(&A)"), this);
    m_all->setObjectName(QStringLiteral("rirekiAll"));
    m_export = new QPushButton(tr("CSVに書き出す(&E)..."), this);
    m_export->setObjectName(QStringLiteral("rirekiExport"));
    m_clear = new QPushButton(tr("履歴を消去(&D)..."), this);
    m_clear->setObjectName(QStringLiteral("rirekiClear"));
    bar->addWidget(m_all);
    m_due = new QLabel(this);
    m_due->setObjectName(QStringLiteral("rirekiDue"));
    m_due->hide();
    bar->addSpacing(16);
    bar->addWidget(m_due);
    bar->addStretch(1);
    bar->addWidget(m_export);
    bar->addWidget(m_clear);
    layout->addLayout(bar);

    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("rirekiNotice"));
    m_notice->setWordWrap(true);
    m_notice->hide();
    layout->addWidget(m_notice);

    auto* split = new QSplitter(Qt::Vertical, this);
    m_chart = makeHistoryChart(split);
    m_model = new HistoryModel(this);
    // A table drawn as a list: a tree view lays out every row of the model before it draws
    // one, which a year of history made a pause of its own.
    m_table = new QTableView(split);
    m_table->setObjectName(QStringLiteral("rirekiList"));
    m_table->setAccessibleName(tr("学習履歴の一覧"));
    m_table->setShowGrid(false);
    m_table->setWordWrap(false);
    m_table->setTabKeyNavigation(false); // Tab goes on to the next control
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->setAlternatingRowColors(true);
    m_table->setModel(m_model);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(HistoryModel::When, 130);
    m_table->setColumnWidth(HistoryModel::Kind, 60);
    m_table->setColumnWidth(HistoryModel::Summary, 360);
    split->addWidget(m_chart);
    split->addWidget(m_table);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);
    m_table->setMinimumHeight(120);
    layout->addWidget(split, 1);

    connect(m_all, &QCheckBox::toggled, this, [this] { showFiltered(); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(m_clear, &QPushButton::clicked, this, [this] { clearHistory(); });
    makeAccessible(this);
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::setList(const QString& list, bool redraw)
{
    m_list = list;
    // Nothing open: every list's history is all there is to show.
    {
        const QSignalBlocker blocker(m_all);
        if (m_list.isEmpty())
            m_all->setChecked(true);
    }
    m_all->setEnabled(!m_list.isEmpty());
    if (redraw)
        showFiltered();
}

HistoryShown readHistoryShown(const QString& path, const QString& list)
{
    HistoryShown shown;
    shown.read = HistoryFile(path).read();
    shown.list = list;
    shown.rows = historyRows(shown.read.events, list);
    shown.chart = historyChartData(shown.read.events, shown.rows);
    return shown;
}

void HistoryWindow::refresh()
{
    // Up to a few thousand events are read and drawn in a few milliseconds, here; a longer
    // history is read, filtered and shaped for the charts in the background.
    constexpr qint64 kReadHere = 256 * 1024;
    delete std::exchange(m_reading, nullptr); // a read under way is of an older file
    if (QFileInfo(m_file.path()).size() <= kReadHere) {
        take(readHistoryShown(m_file.path(), listShown()));
        return;
    }
    m_reading = new QFutureWatcher<HistoryShown>(this);
    connect(m_reading, &QFutureWatcher<HistoryShown>::finished, this, [this] {
        QFutureWatcher<HistoryShown>* done = std::exchange(m_reading, nullptr);
        done->deleteLater();
        take(done->future().takeResult());
    });
    runInBackground(m_reading,
        [path = m_file.path(), list = listShown()] { return readHistoryShown(path, list); });
    showFiltered(); // says it is being read
}

void HistoryWindow::awaitRead()
{
    if (!m_reading)
        return;
    m_reading->waitForFinished();
    QFutureWatcher<HistoryShown>* done = std::exchange(m_reading, nullptr);
    done->disconnect(this);
    done->deleteLater();
    take(done->future().takeResult());
}

void HistoryWindow::take(HistoryShown shown)
{
    m_damaged = shown.read.damaged;
    // The events keep their place in memory as the model takes them: the charts' points
    // refer to them.
    m_model->setEvents(std::move(shown.read.events), shown.list, std::move(shown.rows));
    if (shown.list == listShown())
        showChart(std::move(shown.chart));
    else
        showFiltered(); // the list to show changed while it was read
}

void HistoryWindow::setReviews(const QDate& today, const QList<int>& duePerDay, int damaged)
{
    m_today = today;
    m_duePerDay = duePerDay;
    m_reviewDamaged = damaged;
    m_due->setVisible(!duePerDay.isEmpty());
    m_due->setText(
        tr("復習：今日 %1語　明日 %2語").arg(duePerDay.value(0)).arg(duePerDay.value(1)));
    showFiltered();
}

QString HistoryWindow::listShown() const
{
    return m_all->isChecked() ? QString() : m_list;
}

void HistoryWindow::showFiltered()
{
    m_model->setList(listShown());
    showChart(historyChartData(*m_model));
}

void HistoryWindow::showChart(HistoryChartData data)
{
    setWindowTitle(listShown().isEmpty() ? tr("学習履歴 - すべての問題データ")
                                         : tr("学習履歴 - %1").arg(QFileInfo(m_list).fileName()));
    for (int i = 0; i < m_duePerDay.size(); ++i)
        data.forecast.append(
            QPointF(double(QDateTime(m_today.addDays(i), QTime(12, 0)).toMSecsSinceEpoch()),
                m_duePerDay[i]));
    m_chart->setData(data);
    QStringList notes;
    if (m_file.isOff())
        notes.append(m_file.notice());
    if (m_damaged > 0)
        notes.append(tr("読めない行が%1行あったため、飛ばしました。").arg(m_damaged));
    if (m_reviewDamaged > 0)
        notes.append(
            tr("復習の記録に読めない行が%1行あったため、飛ばしました。").arg(m_reviewDamaged));
    if (m_reading)
        notes.append(tr("学習履歴を読み込んでいます…"));
    else if (m_model->rowCount() == 0)
        notes.append(tr("まだ記録はありません。学習やテストをすると、ここに残ります。"));
    m_notice->setText(notes.join(u'\n'));
    m_notice->setVisible(!notes.isEmpty());
    m_export->setEnabled(m_model->rowCount() > 0);
}

void HistoryWindow::exportCsv()
{
    SaveFileRequest request;
    request.title = tr("学習履歴をCSVに書き出す");
    request.types = {{tr("CSVファイル(*.csv)"), {QStringLiteral("*.csv")}}};
    request.initialFile = QDir(QFileInfo(m_list.isEmpty() ? m_file.path() : m_list).path())
                              .filePath(tr("学習履歴.csv"));
    request.confirmOverwrite = true;
    const std::optional<QString> target = m_platform.chooseSaveFile(this, request);
    if (!target)
        return;
    if (std::optional<AppError> error = HistoryFile::exportCsv(*target, m_model->shownEvents()))
        m_platform.showMessage(this,
            tr("「%1」に書き出せませんでした。\r\n%2")
                .arg(QFileInfo(*target).fileName(), error->description),
            MessageIcon::Error, MessageButtons::Ok);
}

void HistoryWindow::clearHistory()
{
    const MessageResult answer = m_platform.showMessage(this,
        tr("すべての問題データの学習履歴を消去します。元には戻せません。よろしいですか？"),
        MessageIcon::Question, MessageButtons::YesNoDefaultNo);
    if (answer != MessageResult::Yes)
        return;
    if (std::optional<AppError> error = m_file.clear()) {
        m_platform.showMessage(this,
            tr("学習履歴を消去できませんでした。\r\n%1").arg(error->description),
            MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    refresh();
}

} // namespace keruna
