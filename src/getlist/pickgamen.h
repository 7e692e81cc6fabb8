#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QAbstractItemModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPoint;
class QTreeView;

namespace keruna {

// The GET list in a window of its own. It holds no GET logic: its commands press the
// main screen's controls of the same name, its value boxes write into the main screen's,
// and its list is a second view of the main screen's model.
class Pickgamen : public QWidget {
    Q_OBJECT
public:
    explicit Pickgamen(QWidget& mainScreen, QWidget* parent = nullptr);

    // The main screen's GET list model; rows are never copied.
    void setModel(QAbstractItemModel* model);
    QTreeView* list() const { return m_list; }

    void setPicktestText(const QString& text);
    // Visibility, enabled state and tooltip of every control from its main-screen twin,
    // and the check state of the option boxes: the main screen lays out, this one follows.
    void mirrorControls();
    void applyFonts(const QFont& list, const QFont& typing);

    std::function<void()> moveIn; // naibubtn
    std::function<void()> listClicked; // a click on an entry
    std::function<void(const QPoint& global)> listPopup; // right button on the list
    // The window is being closed (close box or close()); hide() takes it down without this.
    std::function<void()> closed;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void forward(int row);
    void copyValueBoxes();
    void setAllChecked(bool checked);
    void refreshCount();
    template <class W> W* mainTwin(const QString& name) const;

    QWidget& m_main;
    QPointer<QAbstractItemModel> m_model;
    QTreeView* m_list = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_testLabel = nullptr;
    QComboBox* m_tsec = nullptr;
    QComboBox* m_ketamin = nullptr;
    QComboBox* m_ketamax = nullptr;
    QLineEdit* m_cuttext = nullptr;
    QAbstractButton* m_checkAll = nullptr;
    QAbstractButton* m_uncheckAll = nullptr;
};

} // namespace keruna
