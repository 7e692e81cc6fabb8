#pragma once

#include <QList>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeView;
class QWidget;

namespace keruna {

// The main screen's controls, each carrying its name as objectName.
struct MainControls {
    // Item area
    QFrame* Mframe = nullptr;
    QLabel* Label1 = nullptr; // question
    QLabel* Label2 = nullptr; // answer
    QLabel* NoLabel = nullptr;
    QList<QLabel*> Image1; // idle pictures 0–2
    QLabel* Image1_10 = nullptr; // the GET hint and GET test marker
    QWidget* testMainpic = nullptr;
    QToolButton* FocusBackbtn = nullptr;
    QFrame* iroPic = nullptr; // the timer bar's box
    QFrame* iro = nullptr; // the bar

    // Typing row
    QFrame* typeRow = nullptr;
    QLineEdit* cuttext = nullptr;
    QToolButton* cuttabc = nullptr;

    // Button bar
    QFrame* mnuFrame = nullptr;
    QToolButton* Openbtn = nullptr;
    QToolButton* Startbtn = nullptr;
    QToolButton* Fteisibtn = nullptr;
    QToolButton* Fsaikaibtn = nullptr;
    QToolButton* TESTbtn = nullptr;
    QToolButton* DBbtn = nullptr;
    QToolButton* Pickbtn = nullptr;
    QToolButton* sakuseibtn = nullptr;
    QToolButton* Pptbtn = nullptr;
    QToolButton* boubtn = nullptr;
    QToolButton* Focusbtn = nullptr;
    QToolButton* webdicbtn = nullptr;
    QToolButton* Texthatuonbtn = nullptr;
    QToolButton* irobtn = nullptr;
    QToolButton* testvoice = nullptr;
    QComboBox* Seccom = nullptr;
    QComboBox* nyseccom = nullptr;
    QComboBox* Sizecom = nullptr;
    QComboBox* hiritu = nullptr;
    QComboBox* takasacom = nullptr;
    QComboBox* dakecom = nullptr;
    QComboBox* irocom = nullptr; // hidden: the colour target
    QCheckBox* Revch = nullptr;
    QCheckBox* Spkch = nullptr;
    QCheckBox* Douzich = nullptr;
    QList<QRadioButton*> Rndop; // 0 ランダム, 1 昇順
    QCheckBox* typec = nullptr;
    QCheckBox* iroch = nullptr;

    // Test area (shown while a test runs)
    QFrame* testFrame = nullptr;
    QComboBox* tsec = nullptr;
    QToolButton* tsecbtn = nullptr;
    QComboBox* ketamin = nullptr;
    QComboBox* ketamax = nullptr;
    QToolButton* ketabotan = nullptr;
    QCheckBox* kikitori = nullptr;
    QCheckBox* rev = nullptr;
    QToolButton* testTEISIbtn = nullptr;
    QToolButton* testSAIKAIbtn = nullptr;
    QToolButton* syuuryoubtn = nullptr;
    QToolButton* syudouKAKUNIN = nullptr;
    QToolButton* syudouMARU = nullptr;
    QToolButton* syudouBATU = nullptr;
    QToolButton* syudouskip = nullptr;
    QToolButton* zidouMARU = nullptr;
    QPushButton* TestListbtn = nullptr;
    QLabel* testSIZIlabel = nullptr;
    QList<QLabel*> testKEKKAlabel;

    // GET panel (inside the main screen) and the splitter above it
    QFrame* Imgspl = nullptr; // the drag bar
    QFrame* Picspl = nullptr; // the line that shows where the panel will start
    QFrame* Pickframe = nullptr;
    QTreeView* Picklist = nullptr;
    QLabel* pNolabel = nullptr;
    QLabel* listkazu = nullptr;
    QLabel* Picktestlabel = nullptr;
    QToolButton* testkekka = nullptr; // shows the score labels again
    QToolButton* testkekkakesi = nullptr;
    QToolButton* listmaru = nullptr;
    QToolButton* listmodosi = nullptr;
    QToolButton* listSkipbtn = nullptr;
    QToolButton* listhozon = nullptr;
    QToolButton* Picktest = nullptr;
    QToolButton* pickend = nullptr;
    QToolButton* gaibubtn = nullptr;
    QToolButton* listclose = nullptr;
    QToolButton* nPickzencheck = nullptr;
    QToolButton* nPickzencheckhazusi = nullptr;
};

// Builds every control inside central with its design values, captions, items,
// preselections and tooltips.
MainControls buildMainControls(QWidget* central);

} // namespace keruna
