#include "ui/hozongamen.h"

#include "ui/accessiblenames.h"
#include "ui/widgethelpers.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace keruna {

hozongamen::hozongamen(Panel panel, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("hozongamen"));
    setWindowTitle(tr("保存方法"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* zen = named(new QFrame(this), QStringLiteral("Zenpic"));
    auto* zenLayout = new QVBoxLayout(zen);
    m_Uwagakiop = named(new QRadioButton(tr("上書きします"), zen), QStringLiteral("Uwagakiop"));
    m_Okikaeop = named(new QRadioButton(tr("正解データ以外は全て不正解に置き換えます"), zen),
        QStringLiteral("Okikaeop"));
    zenLayout->addWidget(m_Uwagakiop);
    zenLayout->addWidget(m_Okikaeop);
    m_Uwagakiop->setChecked(true);

    auto* exp = named(new QFrame(this), QStringLiteral("DBexppic"));
    auto* expLayout = new QVBoxLayout(exp);
    const char* names[kExportOptions] = {"Sumiexpop", "Madaexpop", "Redexpop", "Checkexpop"};
    const QString captions[kExportOptions]
        = {tr("暗記済リスト"), tr("未暗記リスト"), tr("要チェック"), tr("チェックしたデータ")};
    auto* group = new QButtonGroup(exp);
    for (int i = 0; i < kExportOptions; ++i) {
        m_export[size_t(i)]
            = named(new QRadioButton(captions[i], exp), QString::fromLatin1(names[i]));
        group->addButton(m_export[size_t(i)]);
        expLayout->addWidget(m_export[size_t(i)]);
    }
    m_export[0]->setChecked(true);

    zen->setVisible(panel == Panel::SaveMethod);
    exp->setVisible(panel == Panel::Export);
    layout->addWidget(zen);
    layout->addWidget(exp);

    auto* buttons = new QHBoxLayout;
    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("OK"));
    auto* cancel = named(new QPushButton(tr("キャンセル"), this), QStringLiteral("Cancel"));
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    makeAccessible(this);
}

void hozongamen::setExportOptions(const std::array<ExportOption, kExportOptions>& options)
{
    bool selected = false;
    for (int i = 0; i < kExportOptions; ++i) {
        QRadioButton* b = m_export[size_t(i)];
        b->setText(options[size_t(i)].caption);
        b->setEnabled(options[size_t(i)].enabled);
        // The first option that can be used is chosen for the user.
        if (!selected && options[size_t(i)].enabled) {
            b->setChecked(true);
            selected = true;
        }
    }
}

bool hozongamen::overwriteChosen() const
{
    return m_Uwagakiop->isChecked();
}

int hozongamen::exportChosen() const
{
    for (int i = 0; i < kExportOptions; ++i) {
        if (m_export[size_t(i)]->isChecked() && m_export[size_t(i)]->isEnabled())
            return i;
    }
    return -1;
}

std::optional<bool> hozongamen::ChooseSaveMethod(QWidget* owner)
{
    hozongamen dialog(Panel::SaveMethod, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.overwriteChosen();
}

std::optional<int> hozongamen::ChooseExportSet(
    QWidget* owner, const std::array<ExportOption, kExportOptions>& options)
{
    hozongamen dialog(Panel::Export, owner);
    dialog.setWindowTitle(tr("書き出したいデータを選択してください。"));
    // Wide enough for the question in its title bar, beside the window's buttons.
    dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 160);
    dialog.setExportOptions(options);
    if (dialog.exec() != QDialog::Accepted || dialog.exportChosen() < 0)
        return std::nullopt;
    return dialog.exportChosen();
}

} // namespace keruna
