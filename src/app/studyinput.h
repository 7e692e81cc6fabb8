#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>

#include <functional>

class QKeyEvent;
class QMainWindow;

namespace keruna {

class GetList;
class MainMenus;
class StudyEngine;
class TestEngine;
struct MainControls;
struct MainState;

// The keyboard in study and tests: the main screen's keys (they come before the focused
// control's), the typing row and the hint texts that tell the keys of the mode.
class StudyInput : public QObject {
    Q_DECLARE_TR_FUNCTIONS(StudyInput)

public:
    StudyInput(QMainWindow& window, MainControls& controls, MainMenus& menus, MainState& state,
        StudyEngine& study, TestEngine& test, GetList& getList);

    // The typing row on or off (`typec`).
    void typingModeChanged(bool on);
    void ApplyStudyGuidance();

    // The external GET screen when it is made; its keys are the GET panel's.
    std::function<QWidget*()> external;

    // Whether a key in the typing box starts typing (and so pauses the presentation), on
    // the named Qt platform.
    static bool pausesWhileTyping(const QKeyEvent& key, const QString& platform);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mainScreenKey(QKeyEvent* key, bool onExternal);
    // Keys in a typing box: the main screen's, or the external screen's when given.
    bool typingBoxKey(QKeyEvent* key, QWidget* external);
    bool manualTestRunning() const;
    void typingStarted();
    // BackSpace in a test: the selected GET entry's judgement turned over.
    void toggleSelectedJudgement();
    // The editing keys that an editable box keeps from the main screen.
    static bool ownedByBox(const QKeyEvent* key);

    QMainWindow& m_window;
    MainControls& m_c;
    MainMenus& m_menus;
    MainState& m_state;
    StudyEngine& m_study;
    TestEngine& m_test;
    GetList& m_getList;
};

} // namespace keruna
