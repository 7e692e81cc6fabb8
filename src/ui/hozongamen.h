#pragma once

#include <QCoreApplication>
#include <QDialog>

#include <array>
#include <optional>

class QRadioButton;
class QWidget;

namespace keruna {

// The save-method dialog, which also asks which subset to export. Each opening shows one
// of its two panels and starts from the default choices.
class hozongamen : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(hozongamen)

public:
    enum class Panel { SaveMethod, Export };
    // Export options in their order of priority: left list, right list, needs check,
    // checked.
    static constexpr int kExportOptions = 4;
    struct ExportOption {
        QString caption;
        bool enabled = false;
    };

    hozongamen(Panel panel, QWidget* parent = nullptr);

    void setExportOptions(const std::array<ExportOption, kExportOptions>& options);
    bool overwriteChosen() const;
    int exportChosen() const; // index of the selected option, -1 when none

    // Asks how to save: true to overwrite, false to replace; nullopt when cancelled.
    static std::optional<bool> ChooseSaveMethod(QWidget* owner);
    // Asks which subset to export: the option's index; nullopt when cancelled.
    static std::optional<int> ChooseExportSet(
        QWidget* owner, const std::array<ExportOption, kExportOptions>& options);

private:
    QRadioButton* m_Uwagakiop = nullptr;
    QRadioButton* m_Okikaeop = nullptr;
    std::array<QRadioButton*, kExportOptions> m_export {};
};

} // namespace keruna
