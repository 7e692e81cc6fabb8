#pragma once

#include "common/textfile.h"
#include "exchange/importtable.h"

#include <QCoreApplication>
#include <QDialog>

#include <optional>

class QComboBox;
class QRadioButton;
class QTableWidget;

namespace keruna {

// What the user chose for a table read from another tool's file.
struct ImportChoice {
    int question = 0;
    int answer = 1; // -1: none
    TextEncoding encoding = TextEncoding::Utf8;
};

// 他の形式から読み込む: the first lines of the table, which column is the question and
// which the answer, and the new list's encoding.
class ImportDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(ImportDialog)

public:
    ImportDialog(const ImportTable& table, const QString& sourceName, QWidget* parent = nullptr);
    ImportChoice choice() const;

private:
    QComboBox* m_question = nullptr;
    QComboBox* m_answer = nullptr;
    QRadioButton* m_utf8 = nullptr;
    QTableWidget* m_preview = nullptr;
};

} // namespace keruna
