#pragma once

#include <QDialog>

class QRadioButton;

namespace keruna {

// What to write for another tool: its format, and the whole list or the range in force.
struct ExportChoice {
    enum class Format { Anki, Parley } format = Format::Anki;
    bool rangeOnly = false;
};

// 他の形式で書き出す: the format and the items to write.
class ExportDialog : public QDialog {
public:
    ExportDialog(int total, const QString& rangeCaption, int inRange, QWidget* parent = nullptr);
    ExportChoice choice() const;

private:
    QRadioButton* m_parley = nullptr;
    QRadioButton* m_range = nullptr;
};

} // namespace keruna
