#include "exchange/exportdialog.h"

#include "exchange/dialogbuttons.h"
#include "ui/accessiblenames.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace keruna {

ExportDialog::ExportDialog(int total, const QString& rangeCaption, int inRange,
    const QList<ExportSubsetOption>& subsets, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("exportDialog"));
    setWindowTitle(tr("他の形式で書き出す"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);

    auto* formats = new QGroupBox(tr("形式"), this);
    auto* formatLayout = new QVBoxLayout(formats);
    auto* anki = new QRadioButton(tr("Anki（タブ区切りのテキスト）(&K)"), formats);
    anki->setObjectName(QStringLiteral("exportAnki"));
    m_parley = new QRadioButton(tr("Parley（kvtml）(&P)"), formats);
    m_parley->setObjectName(QStringLiteral("exportParley"));
    anki->setChecked(true);
    formatLayout->addWidget(anki);
    formatLayout->addWidget(m_parley);
    layout->addWidget(formats);

    auto* items = new QGroupBox(tr("書き出す単語"), this);
    auto* itemLayout = new QVBoxLayout(items);
    auto* all = new QRadioButton(tr("問題データ全体　%1語(&A)").arg(total), items);
    all->setObjectName(QStringLiteral("exportAll"));
    m_range = new QRadioButton(
        tr("出題範囲%1　%2語(&R)").arg(rangeCaption, QString::number(inRange)), items);
    m_range->setObjectName(QStringLiteral("exportRange"));
    m_range->setEnabled(inRange > 0);
    all->setChecked(true);
    itemLayout->addWidget(all);
    itemLayout->addWidget(m_range);
    // The database screen's subsets, as its own export offers them.
    for (const ExportSubsetOption& subset : subsets) {
        auto* option = new QRadioButton(subset.caption, items);
        option->setObjectName(QStringLiteral("exportSubset%1").arg(m_subsets.size()));
        option->setEnabled(subset.enabled);
        itemLayout->addWidget(option);
        m_subsets.append(option);
    }
    layout->addWidget(items);

    layout->addWidget(chooseTargetButtons(this));
    makeAccessible(this);
}

ExportChoice ExportDialog::choice() const
{
    ExportChoice c;
    c.format = m_parley->isChecked() ? ExportChoice::Format::Parley : ExportChoice::Format::Anki;
    c.rangeOnly = m_range->isChecked();
    for (int i = 0; i < m_subsets.size(); ++i) {
        if (m_subsets[i]->isChecked())
            c.subset = i;
    }
    return c;
}

} // namespace keruna
