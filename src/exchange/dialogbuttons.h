#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace keruna {

// The buttons of a dialog that leads on to a save dialog: 保存先を選ぶ... and キャンセル.
inline QDialogButtonBox* chooseTargetButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)
        ->setText(QCoreApplication::translate("DialogButtons", "保存先を選ぶ...(&O)"));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("DialogButtons", "キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace keruna
