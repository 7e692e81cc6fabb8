#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QList>
#include <QString>

class QRadioButton;

namespace keruna {

// What to write for another tool: its format, and the whole list, the range in force or
// one of the database screen's export subsets.
struct ExportChoice {
    enum class Format { Anki, Parley } format = Format::Anki;
    bool rangeOnly = false;
    int subset = -1; // an ExportSet of the database screen's lists, or -1
};

// An export subset as the dialog offers it.
struct ExportSubsetOption {
    QString caption; // "暗記済リスト　120語"
    bool enabled = false;
};

// 他の形式で書き出す: the format and the items to write.
class ExportDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(ExportDialog)

public:
    ExportDialog(int total, const QString& rangeCaption, int inRange,
        const QList<ExportSubsetOption>& subsets, QWidget* parent = nullptr);
    ExportChoice choice() const;

private:
    QRadioButton* m_parley = nullptr;
    QRadioButton* m_range = nullptr;
    QList<QRadioButton*> m_subsets;
};

} // namespace keruna
