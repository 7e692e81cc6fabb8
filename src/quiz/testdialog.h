#pragma once

#include "quiz/testtypes.h"
#include "ui/platform.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace keruna {

// Why OK keeps the set-up dialog open: the message the user sees and its icon.
struct TestSetupRefusal {
    QString text;
    MessageIcon icon = MessageIcon::Information;
};

// Checks the choices OK hands over against the file's counts (not yet memorized,
// memorized, needs check); nullopt when the test may start.
std::optional<TestSetupRefusal> validateTestSetup(
    const TestChoice& choice, int notYet, int memorized, int red, int due = 0);

// Where the set-up dialog opens, in pixels: beside the main window's top left, pulled back
// onto the screen with room kept free at the bottom.
QPoint testDialogPosition(QPoint anchorTopLeft, bool stickShown, QSize dialogSize, QRect screen);

// The modal dialog in which the user sets up a test: its kind, options, seconds per item,
// question range and, for the number test, the number range. Its choices are kept in the
// TEST section of the settings file from one test to the next.
class Dialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(Dialog)

public:
    Dialog(const TestSetupInput& input, QString settingsPath, Platform& platform,
        QWidget* parent = nullptr);

    // True until OK accepted the choices: a closed dialog that is still cancelled starts no
    // test.
    bool cancelled() const { return m_cancelled; }
    // The choices as the controls hold them; what OK hands to the main screen.
    TestChoice choice() const;

    // OK: refuses with a message and stays open, or accepts the choices and closes.
    void ok();

    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    void load(const TestSetupInput& input);
    void readSettings();
    void writeSettings();
    void kindChanged();
    void rangeChanged(int index);
    void refreshLook();
    TestKind kind() const;

    QString m_settingsPath;
    Platform& m_platform;
    int m_notYet = 0;
    int m_memorized = 0;
    int m_red = 0;
    int m_due = 0;
    bool m_cancelled = true;
    QString m_rangeTitle;

    QRadioButton* m_zidoutestop = nullptr;
    QRadioButton* m_syudoutestop = nullptr;
    QRadioButton* m_suuzitestop = nullptr;
    std::array<QFrame*, 3> m_shapes {}; // Shape2, Shape3, Shape4, in the order of TestKind
    QRadioButton* m_yosouop = nullptr;
    QRadioButton* m_nyuuryokuop = nullptr;
    QCheckBox* m_kikitorich = nullptr;
    QCheckBox* m_Revch = nullptr;
    std::array<QRadioButton*, 2> m_Rndop {};
    QComboBox* m_Seccom = nullptr;
    QComboBox* m_dakecom = nullptr;
    QGroupBox* m_opFrame = nullptr;
    std::array<QRadioButton*, 5> m_rangeOptions {}; // Madaop, Sumiop, redop, Zenop, Fukuop
    QButtonGroup* m_rangeGroup = nullptr;
    QComboBox* m_ketamin = nullptr;
    QComboBox* m_ketamax = nullptr;
    QLabel* m_Mlabel = nullptr;
    QLabel* m_Alabel = nullptr;
    QLabel* m_k = nullptr;
    QWidget* m_Oppic = nullptr;
    QWidget* m_Sokupic = nullptr;
    QWidget* m_Suuzipic = nullptr;
    QPushButton* m_OKButton = nullptr;
    QPushButton* m_CancelButton = nullptr;
};

} // namespace keruna
