#include "getlist/getlist.h"

#include "problemdata/problemrecord.h"

#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace keruna {

namespace {

class ColumnFitter final : public QObject {
public:
    explicit ColumnFitter(QTreeView& view)
        : QObject(&view)
        , m_view(view)
    {
        view.header()->setStretchLastSection(true);
        view.viewport()->installEventFilter(this);
    }

    void follow(QAbstractItemModel* model)
    {
        if (!model || model == m_model)
            return;
        if (m_model)
            disconnect(m_model, nullptr, this, nullptr);
        m_model = model;
        // Measured once after a burst of changes: a list filled entry by entry is not
        // measured 20000 times.
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(model, signal, this, &ColumnFitter::fitSoon);
        connect(model, &QAbstractItemModel::modelReset, this, &ColumnFitter::fitSoon);
        connect(model, &QAbstractItemModel::dataChanged, this, &ColumnFitter::fitSoon);
        fitSoon();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            fit();
        return false;
    }

private:
    void fitSoon()
    {
        if (m_pending)
            return;
        m_pending = true;
        QTimer::singleShot(0, this, [this] {
            m_pending = false;
            fit();
        });
    }

    void fit()
    {
        const int width = m_view.viewport()->width();
        if (!m_view.model() || m_view.model()->columnCount() < 2 || width <= 0)
            return;
        const QAbstractItemView& view = m_view; // where the measure is public
        const int question = std::max(0, view.sizeHintForColumn(0));
        const int answer = std::max(0, view.sizeHintForColumn(1));
        int first = question;
        if (question == 0)
            first = width / 2;
        else if (question + answer > width)
            first = std::clamp(
                int(qint64(width) * question / (question + answer)), width / 4, width * 3 / 4);
        if (m_view.columnWidth(0) != first)
            m_view.setColumnWidth(0, first);
    }

    QTreeView& m_view;
    QPointer<QAbstractItemModel> m_model;
    bool m_pending = false;
};

} // namespace

void fitColumnsToView(QTreeView& view)
{
    ColumnFitter* fitter = nullptr;
    for (QObject* child : view.children()) {
        if (auto* f = dynamic_cast<ColumnFitter*>(child))
            fitter = f;
    }
    if (!fitter)
        fitter = new ColumnFitter(view);
    fitter->follow(view.model());
}

GetListModel::GetListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int GetListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_shown ? 0 : int(m_entries.size());
}

int GetListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant GetListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const GetEntry& e = m_entries[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? e.question : e.answer;
    case Qt::CheckStateRole:
        if (index.column() == 0)
            return e.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ForegroundRole:
        if (e.red)
            return QColor(255, 0, 0);
        return {};
    default:
        return {};
    }
}

bool GetListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0
        || index.row() >= rowCount())
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags GetListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

void GetListModel::append(GetEntry entry)
{
    if (!m_shown)
        reset({}, true);
    const int row = int(m_entries.size());
    beginInsertRows({}, row, row);
    m_entries.push_back(std::move(entry));
    endInsertRows();
}

void GetListModel::reset(std::vector<GetEntry> entries, bool shown)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_shown = shown;
    endResetModel();
}

void GetListModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= int(m_entries.size()) || m_entries[size_t(row)].checked == checked)
        return;
    m_entries[size_t(row)].checked = checked;
    rowChanged(row);
}

void GetListModel::setAllChecked(bool checked)
{
    for (GetEntry& e : m_entries)
        e.checked = checked;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 1));
}

void GetListModel::toggleRed(int row)
{
    if (row < 0 || row >= int(m_entries.size()))
        return;
    m_entries[size_t(row)].red = !m_entries[size_t(row)].red;
    rowChanged(row);
}

void GetListModel::rowChanged(int row)
{
    if (row < rowCount())
        emit dataChanged(index(row, 0), index(row, 1));
}

GetList::GetList(QTreeView& view, QLabel& countLabel)
    : m_view(view)
    , m_countLabel(countLabel)
{
    m_view.setModel(&m_model);
    fitColumnsToView(m_view);
    // Rows of one height let the view scroll to a new entry without measuring all before it.
    m_view.setUniformRowHeights(true);
    QObject::connect(&m_model, &QAbstractItemModel::dataChanged, &m_view, [this] { changed(); });
    followSelection(m_view);
}

int GetList::checkedCount() const
{
    const int shown = shownCount();
    return int(std::count_if(m_model.entries().begin(), m_model.entries().begin() + shown,
        [](const GetEntry& e) { return e.checked; }));
}

std::pair<int, int> GetList::judgedCounts(bool everyEntry) const
{
    if (!everyEntry) {
        const int checked = checkedCount();
        return {checked, shownCount() - checked};
    }
    const int checked = int(std::count_if(m_model.entries().begin(), m_model.entries().end(),
        [](const GetEntry& e) { return e.checked; }));
    return {checked, count() - checked};
}

int GetList::selectedIndex() const
{
    if (m_pendingCurrent >= 0)
        return m_pendingCurrent;
    // While the list is out, its selection is the external screen's.
    const QTreeView& view = m_mirror && m_mirror->isVisible() ? *m_mirror : m_view;
    const QModelIndex current = view.currentIndex();
    return current.isValid() ? current.row() : -1;
}

void GetList::select(int index)
{
    m_pendingCurrent = -1;
    if (index < 0 || index >= shownCount())
        return;
    m_view.setCurrentIndex(m_model.index(index, 0));
    if (m_mirror)
        m_mirror->setCurrentIndex(m_model.index(index, 0));
    scrollToCurrentSoon();
}

void GetList::setMirrorView(QTreeView* view)
{
    m_mirror = view;
    if (view)
        followSelection(*view);
}

void GetList::followSelection(QTreeView& view)
{
    // An entry the user selects is the selected one, whatever was appended before.
    QObject::connect(view.selectionModel(), &QItemSelectionModel::currentChanged, &view,
        [this] { m_pendingCurrent = -1; });
}

bool GetList::isChecked(int index) const
{
    return index >= 0 && index < count() && m_model.entries()[size_t(index)].checked;
}

bool GetList::isRed(int index) const
{
    return index >= 0 && index < count() && m_model.entries()[size_t(index)].red;
}

QString GetList::question(int index) const
{
    return index >= 0 && index < count() ? m_model.entries()[size_t(index)].question : QString();
}

bool GetList::append(const QString& key, const QString& delimiter, bool red, bool checked,
    bool allowDuplicate, int line)
{
    // A list that a test left behind starts over with the first new entry.
    if (!m_model.shown()) {
        m_model.reset({}, true);
        m_keys.clear();
    }
    if (key.isEmpty() || (!allowDuplicate && contains(key)))
        return false;
    auto [question, answer] = listColumns(key, delimiter);
    m_model.append({key, checked, red, std::move(question), std::move(answer), line});
    m_keys[key] += 1;
    // The new entry becomes the selected one. Setting a shown view's current entry lays
    // out every row, so the views follow once the appends made in one go are done.
    m_pendingCurrent = count() - 1;
    scrollToCurrentSoon();
    refreshCount();
    changed();
    return true;
}

void GetList::scrollToCurrentSoon()
{
    // Scrolling lays out every row; appends made in one go share one scroll.
    if (m_scrollPending)
        return;
    m_scrollPending = true;
    QTimer::singleShot(0, &m_view, [this] {
        m_scrollPending = false;
        if (m_pendingCurrent >= 0 && m_pendingCurrent < shownCount()) {
            const QModelIndex current = m_model.index(m_pendingCurrent, 0);
            m_view.setCurrentIndex(current);
            if (m_mirror)
                m_mirror->setCurrentIndex(current);
        }
        m_pendingCurrent = -1;
        if (m_view.currentIndex().isValid())
            m_view.scrollTo(m_view.currentIndex());
        if (m_mirror && m_mirror->currentIndex().isValid())
            m_mirror->scrollTo(m_mirror->currentIndex());
    });
}

void GetList::rebuildKeys()
{
    m_keys.clear();
    for (const GetEntry& e : m_model.entries())
        m_keys[e.key] += 1;
}

void GetList::removeSelectedOrChecked()
{
    if (isEmpty())
        return;
    if (checkedCount() == 0) {
        const int at = selectedIndex();
        m_pendingCurrent = -1;
        if (at < 0 || at >= count())
            return;
        std::vector<GetEntry> kept = m_model.entries();
        kept.erase(kept.begin() + at);
        m_model.reset(std::move(kept), true);
        select(std::min(at, count() - 1));
    } else {
        std::vector<GetEntry> kept;
        for (const GetEntry& e : m_model.entries()) {
            if (!e.checked)
                kept.push_back(e);
        }
        m_model.reset(std::move(kept), true);
    }
    rebuildKeys();
    refreshCount();
    changed();
}

void GetList::setAllChecked(bool checked)
{
    m_model.setAllChecked(checked);
}

void GetList::setChecked(int index, bool checked)
{
    m_model.setChecked(index, checked);
}

void GetList::toggleRed(int index)
{
    m_model.toggleRed(index);
}

void GetList::clear(bool keepShadow)
{
    m_pendingCurrent = -1;
    if (keepShadow) {
        m_model.reset(m_model.entries(), false);
    } else {
        m_model.reset({}, true);
        m_keys.clear();
    }
    refreshCount();
    changed();
}

void GetList::setShadow(std::vector<GetEntry> entries)
{
    m_model.reset(std::move(entries), m_model.shown());
    rebuildKeys();
    refreshCount();
    changed();
}

void GetList::refreshCount()
{
    m_countLabel.setText(QString::number(shownCount()));
}

void GetList::changed()
{
    if (onChanged)
        onChanged();
}

QString getStatisticsText(StatisticsRate which, int checked, int entries)
{
    // Whole percent, cut: in integers, so that 29 of 100 is 29 and not 28.999….
    const int rate = entries > 0 ? int(qint64(checked) * 100 / entries) : 0;
    const QString name = which == StatisticsRate::Forgetting
        ? QCoreApplication::translate("GetList", "忘却率")
        : QCoreApplication::translate("GetList", "正解率");
    return QCoreApplication::translate("GetList", "チェック数\u3000%1\r\n%2\u3000%3％")
        .arg(QString::number(checked), name, QString::number(rate));
}

} // namespace keruna
