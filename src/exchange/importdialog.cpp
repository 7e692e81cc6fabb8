#include "exchange/importdialog.h"

#include "exchange/dialogbuttons.h"
#include "ui/accessiblenames.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace keruna {

ImportDialog::ImportDialog(const ImportTable& table, const QString& sourceName, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("importDialog"));
    setWindowTitle(tr("他の形式から読み込む - %1").arg(sourceName));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    int width = int(table.columns.size());
    for (const QStringList& row : table.rows)
        width = std::max(width, int(row.size()));
    QStringList names;
    for (int i = 0; i < width; ++i) {
        const QString name = table.columns.value(i).trimmed();
        names.append(
            tr("%1列目").arg(i + 1) + (name.isEmpty() ? QString() : tr("（%1）").arg(name)));
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        tr("%1 行あります。初めの行はこのように読めました。").arg(table.rows.size()), this));
    m_preview = new QTableWidget(int(std::min<qsizetype>(table.rows.size(), 8)), width, this);
    m_preview->setObjectName(QStringLiteral("importPreview"));
    m_preview->setAccessibleName(tr("読み込む内容の初めの行"));
    m_preview->setHorizontalHeaderLabels(names);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setTabKeyNavigation(false);
    for (int r = 0; r < m_preview->rowCount(); ++r) {
        for (int c = 0; c < width; ++c) {
            QString text = table.rows[r].value(c);
            text.replace(u'\n', u' ');
            m_preview->setItem(r, c, new QTableWidgetItem(text));
        }
    }
    m_preview->horizontalHeader()->setStretchLastSection(true);
    m_preview->verticalHeader()->hide(); // (and with it the unnamed corner button)
    m_preview->setMinimumSize(480, 200);
    layout->addWidget(m_preview, 1);

    auto* form = new QFormLayout;
    m_question = new QComboBox(this);
    m_question->setObjectName(QStringLiteral("importQuestion"));
    m_answer = new QComboBox(this);
    m_answer->setObjectName(QStringLiteral("importAnswer"));
    for (QComboBox* box : {m_question, m_answer})
        box->addItems(names);
    m_answer->addItem(tr("（答えなし）"), -1);
    m_question->setCurrentIndex(std::clamp(table.question, 0, std::max(width - 1, 0)));
    m_answer->setCurrentIndex(table.answer < 0 ? width : std::min(table.answer, width));
    form->addRow(tr("問題にする列(&Q)"), m_question);
    form->addRow(tr("答えにする列(&A)"), m_answer);
    auto* encodings = new QHBoxLayout;
    m_utf8 = new QRadioButton(tr("UTF-8(&U)"), this);
    m_utf8->setObjectName(QStringLiteral("importUtf8"));
    auto* sjis = new QRadioButton(tr("Shift-JIS(&S)"), this);
    sjis->setObjectName(QStringLiteral("importShiftJis"));
    m_utf8->setChecked(true);
    encodings->addWidget(m_utf8);
    encodings->addWidget(sjis);
    encodings->addStretch(1);
    form->addRow(tr("新しい問題データの文字コード"), encodings);
    layout->addLayout(form);

    layout->addWidget(chooseTargetButtons(this));
    makeAccessible(this);
}

ImportChoice ImportDialog::choice() const
{
    const int answer
        = m_answer->currentIndex() == m_answer->count() - 1 ? -1 : m_answer->currentIndex();
    return {m_question->currentIndex(), answer,
        m_utf8->isChecked() ? TextEncoding::Utf8 : TextEncoding::Cp932};
}

} // namespace keruna
