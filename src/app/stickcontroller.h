#pragma once

#include <QString>

#include <functional>
#include <memory>

class QMainWindow;

namespace keruna {

class LayoutController;
class MainMenus;
class Platform;
class bougamen;
struct MainControls;
struct MainState;

// Shows the stick screen in place of the main window and brings the window back, with the
// strip's font and colours kept in the STICK section.
class StickController {
public:
    StickController(QMainWindow& window, MainControls& controls, MainMenus& menus, MainState& state,
        Platform& platform, LayoutController& layout, QString settingsPath);
    ~StickController();

    bool shown() const;
    bougamen* strip() const { return m_strip.get(); }
    void toggle();
    void ShowStick();
    void CloseStick();
    void showText(const QString& text);
    void setCaption(const QString& caption);
    void showTimerShare(double share);
    // The timer bar option: the strip shows or hides its copy of the bar.
    void setTimerBarShown(bool shown);
    // Back above every other window (after a dialog of the main window).
    void raiseStrip();

    std::function<void()> moveGetListOut;
    std::function<void()> refreshNumber;
    std::function<QString()> currentText; // what the strip shows until the next phase

private:
    bool readStickSettings();
    void applyStyle();
    void writeStickSettings();
    void stripShownOrResized();
    void stripClosed();

    QMainWindow& m_window;
    MainControls& m_c;
    MainMenus& m_menus;
    MainState& m_state;
    Platform& m_platform;
    LayoutController& m_layout;
    QString m_settingsPath;
    std::unique_ptr<bougamen> m_strip;
    bool m_closing = false;
};

} // namespace keruna
