#include "getlist/getlist.h"

#include <QLabel>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace keruna {

namespace {

constexpr QRgb kRed = 0xFFFF0000;

void paintRed(QTreeWidgetItem* item, bool red)
{
    const QBrush brush = red ? QBrush(QColor::fromRgb(kRed)) : QBrush();
    item->setForeground(0, brush);
    item->setForeground(1, brush);
}

} // namespace

GetList::GetList(QTreeWidget& view, QLabel& countLabel)
    : m_view(view)
    , m_countLabel(countLabel)
{
    // Rows of one height let the view scroll to a new entry without measuring all before it.
    m_view.setUniformRowHeights(true);
}

int GetList::checkedCount() const
{
    int n = 0;
    for (int i = 0; i < m_view.topLevelItemCount(); ++i)
        n += m_view.topLevelItem(i)->checkState(0) == Qt::Checked ? 1 : 0;
    return n;
}

int GetList::selectedIndex() const
{
    QTreeWidgetItem* current = m_view.currentItem();
    return current ? m_view.indexOfTopLevelItem(current) : -1;
}

bool GetList::isChecked(int index) const
{
    QTreeWidgetItem* item = m_view.topLevelItem(index);
    return item && item->checkState(0) == Qt::Checked;
}

bool GetList::isRed(int index) const
{
    return index >= 0 && index < count() && m_shadow[size_t(index)].red;
}

QTreeWidgetItem* GetList::makeItem(
    const QString& key, const QString& delimiter, bool red, bool checked)
{
    const qsizetype at = delimiter.isEmpty() ? -1 : key.indexOf(delimiter);
    const QString first = at < 0 ? key : key.left(at);
    QString second;
    if (at >= 0) {
        second = key.mid(at + delimiter.size());
        const qsizetype next = second.indexOf(delimiter);
        if (next >= 0)
            second.truncate(next);
    }
    auto* item = new QTreeWidgetItem({first, second});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    paintRed(item, red);
    return item;
}

bool GetList::append(
    const QString& key, const QString& delimiter, bool red, bool checked, bool allowDuplicate)
{
    if (key.isEmpty() || (!allowDuplicate && contains(key)))
        return false;
    m_shadow.push_back(GetEntry {key, checked, red});
    m_keys[key] += 1;
    QTreeWidgetItem* item = makeItem(key, delimiter, red, checked);
    m_view.addTopLevelItem(item);
    m_view.setCurrentItem(item);
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
        if (QTreeWidgetItem* current = m_view.currentItem())
            m_view.scrollToItem(current);
    });
}

void GetList::forget(const QString& key)
{
    auto it = m_keys.find(key);
    if (it == m_keys.end())
        return;
    if (--it.value() <= 0)
        m_keys.erase(it);
}

void GetList::removeSelectedOrChecked(const QString& delimiter)
{
    if (m_shadow.empty())
        return;
    if (checkedCount() == 0) {
        const int at = selectedIndex();
        if (at < 0 || at >= count())
            return;
        forget(m_shadow[size_t(at)].key);
        m_shadow.erase(m_shadow.begin() + at);
        delete m_view.takeTopLevelItem(at);
        if (m_view.topLevelItemCount() > 0)
            m_view.setCurrentItem(
                m_view.topLevelItem(std::min(at, m_view.topLevelItemCount() - 1)));
    } else {
        std::vector<GetEntry> kept;
        for (int i = 0; i < count(); ++i) {
            if (!isChecked(i))
                kept.push_back(GetEntry {m_shadow[size_t(i)].key, false, m_shadow[size_t(i)].red});
        }
        m_view.clear();
        m_shadow.clear();
        m_keys.clear();
        for (const GetEntry& e : kept) {
            m_shadow.push_back(e);
            m_keys[e.key] += 1;
            m_view.addTopLevelItem(makeItem(e.key, delimiter, e.red, false));
        }
    }
    refreshCount();
    changed();
}

void GetList::setAllChecked(bool checked)
{
    for (int i = 0; i < m_view.topLevelItemCount(); ++i)
        m_view.topLevelItem(i)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    changed();
}

void GetList::setChecked(int index, bool checked)
{
    if (QTreeWidgetItem* item = m_view.topLevelItem(index))
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    changed();
}

void GetList::toggleRed(int index)
{
    if (index < 0 || index >= count())
        return;
    GetEntry& e = m_shadow[size_t(index)];
    e.red = !e.red;
    paintRed(m_view.topLevelItem(index), e.red);
    changed();
}

void GetList::clear(bool keepShadow)
{
    m_view.clear();
    if (!keepShadow) {
        m_shadow.clear();
        m_keys.clear();
    }
    refreshCount();
    changed();
}

void GetList::carryChecksToShadow()
{
    const int shown = std::min(shownCount(), count());
    for (int i = 0; i < shown; ++i)
        m_shadow[size_t(i)].checked = isChecked(i);
}

void GetList::setShadow(std::vector<GetEntry> entries)
{
    m_shadow = std::move(entries);
    m_keys.clear();
    for (const GetEntry& e : m_shadow)
        m_keys[e.key] += 1;
    changed();
}

int GetList::shownCount() const
{
    return m_view.topLevelItemCount();
}

void GetList::refreshCount()
{
    m_countLabel.setText(QString::number(m_view.topLevelItemCount()));
}

void GetList::changed()
{
    if (onChanged)
        onChanged();
}

QString getStatisticsText(const QString& caption, int checked, int entries)
{
    // Whole percent, cut: in integers, so that 29 of 100 is 29 and not 28.999….
    const int rate = entries > 0 ? int(qint64(checked) * 100 / entries) : 0;
    return QStringLiteral("チェック数\u3000") + QString::number(checked) + QStringLiteral("\r\n")
        + caption.mid(6, 3) + QStringLiteral("\u3000") + QString::number(rate)
        + QStringLiteral("％");
}

} // namespace keruna
