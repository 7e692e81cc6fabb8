#pragma once

#include <QRect>

#include <functional>
#include <memory>

class QMainWindow;

namespace keruna {

class EngineTimer;
class MainMenus;
class Platform;
class TimerFactory;
struct MainControls;
struct MainState;

// The item labels' sizes and places, the size, ratio and height choices, the focus
// screen, always-on-top, the splitter over the GET panel and the idle animation.
class LayoutController {
public:
    struct Hooks {
        std::function<bool()> reversed; // the orientation in force (study or test)
        std::function<bool()> numberTest; // a number test is running
        std::function<void()> refreshNumber; // rewrite the item number where it now belongs
        std::function<void()> refreshCaption; // the window caption with the range counts
        std::function<void()> moveGetListOut; // the GET list cannot stay inside the focus screen
        std::function<void()> raiseToolWindows; // stick screen, GET screen, palette stay on top
        // The windows that follow the main window's always-on-top state (the database screen).
        std::function<void(bool onTop)> setCompanionsTopmost;
        std::function<bool()> stickShown;
    };

    LayoutController(QMainWindow& window, MainControls& controls, MainMenus& menus,
        MainState& state, Platform& platform, TimerFactory& timers, Hooks hooks);
    ~LayoutController();

    int firstSize() const { return m_firstSize; }
    int secondSize() const { return m_secondSize; }
    int labelTop() const { return m_labelTop; }
    bool focusScreen() const { return m_focus; }
    // The views that replace the main window keep its rectangle each for itself: the
    // stick strip may open from the focus screen, and each gives back what it took.
    enum class View { Focus, Stick };
    QRect savedRect(View view) const { return m_saved[int(view)]; }

    void sizeChosen(int index);
    void ratioChosen(int index);
    void heightChosen(int index);
    void setFirstSize(int size);
    // The answer font's own size (its font dialog); the ratio recomputes it at the next size
    // change.
    void setSecondSize(int size) { m_secondSize = size; }

    // Ticks the size, ratio and height items the boxes show, one in each group.
    void tickMenus();

    void ApplyFontLayout();
    void PlaceItemFrame();
    // Places the labels and the idle pictures for the item area's current size.
    void relayout();

    void enterFocusScreen();
    void leaveFocusScreen();
    void toggleAlwaysOnTop();
    // After a resize of the main window: on top again, kept on the screen.
    void windowResized();
    // Saves and restores the main window's rectangle (focus and stick screens).
    void saveWindowRect(View view);
    void restoreWindowRect(View view);

    // The splitter bar over the GET panel: drag from press to release (pixels within the
    // central area).
    void splitterPressed(int y);
    void splitterMoved(int y);
    void splitterReleased();
    int panelHeightTwips() const { return m_panelHeight; }
    // The GET panel at its remembered height, or smaller while the window is too small
    // for it and the question above it.
    void fitGetPanel();

    void startIdleAnimation();
    void stopIdleAnimation();

private:
    // Where the height choice puts the item's lines in the item area (pixels): the tops
    // of the question and of the answer, and the bottom of the text shown.
    struct ItemLines {
        int question = 0;
        int answer = 0;
        int bottom = 0;
    };
    ItemLines designedLines() const;
    void applyLabelFonts();
    void idleTick();

    QMainWindow& m_window;
    MainControls& m_c;
    MainMenus& m_menus;
    MainState& m_state;
    Platform& m_platform;
    Hooks m_hooks;
    int m_firstSize = 50;
    int m_secondSize = 25;
    int m_labelTop = 960;
    bool m_focus = false;
    QRect m_saved[2];
    int m_panelHeight = 2930; // twips
    int m_panelHeightMaximized = 2930; // twips: a maximised window keeps its own

    int m_dragOffset = -1;
    std::unique_ptr<EngineTimer> m_idle; // tyouTimer
    int m_idleTicks = 0;
};

} // namespace keruna
