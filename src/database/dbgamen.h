#pragma once

#include "common/clock.h"
#include "database/dbsearch.h"

#include <QCoreApplication>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <memory>

class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QToolButton;
class QTreeView;

namespace keruna {

class DbListModel;
class Platform;

// The score of a finished test as the result panel shows it.
struct ResultScore {
    QString range; // the tested range and its size, as the test engine words it
    int correct = 0;
    int wrong = 0;
    int rate = 0; // whole percent
};

// What the database screen asks of the main screen, which owns the lists, the popup
// menu, speech and saving.
struct DbScreenHooks {
    std::function<bool()> testResultsHeld; // the lists hold a test's results
    std::function<bool()> alwaysOnTop; // the main screen's mmae is checked
    std::function<void()> onSave; // sumihozon
    std::function<void()> onExport; // chexp
    std::function<void()> onChooseFont; // Fontbtn
    std::function<void()> onHistory; // the result view's 学習履歴
    std::function<void(const QString&)> speak; // Ctrl in a list: the entry's first column
    // Right button in a list: the list (true for the left one) and where to show the popup.
    std::function<void(bool, const QPoint&)> showListPopup;
    // Asked before the screen closes; false keeps it open (unsaved changes, the user
    // chose to stay).
    std::function<bool()> mayClose;
};

// The database screen: the memorized list on the left, the not-yet list on the right
// (or a test's correct and wrong lists), moves between them, search, self-test and
// needs-check marks. A modeless window, made once and kept; the lists are the main
// screen's models, so what it shows is what saving reads.
class DBgamen : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(DBgamen)

public:
    DBgamen(DbListModel& left, DbListModel& right, Platform& platform, TimerFactory& timers,
        DbScreenHooks hooks, QWidget* parent = nullptr);

    QTreeView* sumilist() const { return m_sumilist; }
    QTreeView* madalist() const { return m_madalist; }
    QTreeView* list(bool left) const { return left ? m_sumilist : m_madalist; }
    DbListModel& model(bool left) const { return left ? m_left : m_right; }

    // Database view: the button bar shown, the result panel hidden.
    void showAsDatabase();
    // Result view of a finished test: the lists lower, the result panel in place of the
    // button bar, and the panel's cover starts to slide away. The cover is never put back
    // while the screen lives, so the panel is unveiled once; later showings find it open.
    void showAsResults();
    QFrame* resultPanel() const { return m_testpic; }
    void setResultScore(const ResultScore& score);
    // After the result lists were filled and counted (UpdateListCounts, not afterFill,
    // whose title this replaces): the title that invites saving and the comment for the
    // rate. Without an answer nothing changes.
    void ChooseResultComment(int rate, int answered, int questions);
    // A new test starts without the last one's comment.
    void clearResultComment();
    // Count captions and window title after the lists were filled.
    void afterFill();
    void UpdateListCounts();
    void updateTitle();
    void updatePaneNames();
    QString paneName(bool left) const;
    int selectedRow(bool left) const;
    void selectRow(bool left, int row);

    void MoveRight();
    void MoveLeft();
    void CheckAll(bool left);
    void UncheckAll(bool left);
    void WidenList(bool left);
    void RestoreLists(bool left);
    void FindNext();
    void ToggleSelfTest(bool meaning);
    void ShowHiddenColumn(bool left);
    void ToggleRedChecked();
    void ToggleRedSelected(bool left);
    void pressSave();
    void setListFont(const QFont& font);

    const DbSearchState& searchState() const { return m_search; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildResultPanel();
    void slideCover();
    QTreeView* makeList(DbListModel& model, const QString& name);
    void move(bool fromLeft);
    void layoutPanels();
    void setColumnWidths(int firstTwips, bool secondFills);
    bool listKey(bool left, QKeyEvent* key);

    DbListModel& m_left;
    DbListModel& m_right;
    Platform& m_platform;
    DbScreenHooks m_hooks;
    std::unique_ptr<EngineTimer> m_downTimer; // DownTimer
    DbSearchState m_search;

    QFrame* m_motopic = nullptr;
    QFrame* m_mainpic = nullptr;
    QFrame* m_barpic = nullptr;
    QFrame* m_testpic = nullptr;
    QTreeView* m_sumilist = nullptr;
    QTreeView* m_madalist = nullptr;
    QLabel* m_sumikazu = nullptr;
    QLabel* m_madakazu = nullptr;
    QLabel* m_kaitoulabel = nullptr;
    QLabel* m_kaitoulabelm = nullptr;
    QLineEdit* m_text = nullptr;
    QToolButton* m_ken = nullptr;
    QToolButton* m_imi = nullptr;
    QToolButton* m_eigo = nullptr;
    QToolButton* m_redbtn = nullptr;
    QToolButton* m_fontbtn = nullptr;
    QToolButton* m_chexp = nullptr;
    QToolButton* m_sumihozon = nullptr;
    QToolButton* m_migiidou = nullptr;
    QToolButton* m_hidariidou = nullptr;
    QToolButton* m_zencheck[2] = {}; // left, right
    QToolButton* m_zencheckhazusi[2] = {};
    QToolButton* m_max[2] = {};
    QToolButton* m_moto[2] = {};
    QWidget* m_pane[2] = {}; // each list with its captions and buttons
    int m_mainpicTopTwips = 1050;
    QLabel* m_lrange = nullptr;
    QLabel* m_lseikai = nullptr;
    QLabel* m_lmatigai = nullptr;
    QLabel* m_lritu = nullptr;
    QLabel* m_lcoment = nullptr;
    QLabel* m_downL = nullptr;
    QHBoxLayout* m_barLayout = nullptr;
    QHBoxLayout* m_resultButtons = nullptr; // save and export in result view
    int m_downTopTwips = 0; // the cover's top edge inside testpic
};

// The window title for a left list of count entries.
QString dbTitleText(int memorizedCount);

} // namespace keruna
