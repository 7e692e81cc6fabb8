#pragma once

#include "problemdata/range.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace keruna {

// The main menu bar, the popup menu "dami" and the list popup "Listhatuon".
//
// Every action carries its name as objectName (array items as "name_i"). Checked marks
// change only through code: a click runs the item's command, and the command sets the
// marks it owns. Popup twins ("md" + name) forward to their main item.
class MainMenus {
    Q_DECLARE_TR_FUNCTIONS(MainMenus)

public:
    MainMenus(QMenuBar* bar, QWidget* owner);

    // The popup menu and its twins are made when first asked for: a hundred items that most
    // starts never show would cost the first window half a millisecond. Asking for any of
    // them makes them all.
    QAction* action(const QString& name);
    QMenu* menu(const QString& name);
    QMenu* popup();
    QMenu* listPopup() const { return m_listPopup; }
    QList<QAction*> array(const QString& name);

    // Runs command when the item is chosen (array items get their index).
    void onCommand(const QString& name, std::function<void()> command);
    void onArrayCommand(const QString& name, std::function<void(int)> command);

    // Sets the check of an item and its popup twin together.
    void setCheckedWithTwin(const QString& name, bool checked);
    // Checks item index of an array and its twin array, unchecking the others.
    void checkOnlyInArray(const QString& name, int index);

    // Speed, size, ratio and height menu values.
    static const QStringList& secondsItems();
    static const QStringList& sizeMenuItems();
    static const QStringList& ratioMenuItems();
    static const QStringList& heightItems();

    static QString twinName(const QString& name) { return QStringLiteral("md") + name.mid(1); }

private:
    QMenu* addMenu(QMenuBar* bar, const QString& name, const QString& caption);
    QMenu* addSubmenu(QMenu* parent, const QString& name, const QString& caption);
    QAction* addItem(
        QMenu* menu, const QString& name, const QString& caption, bool checkable = false);
    void addArray(QMenu* menu, const QString& name, const QStringList& captions);
    QAction* addTwin(QMenu* menu, const QString& mainName, const QString& caption = {});
    void addTwinArray(QMenu* menu, const QString& mainName);
    void buildMainBar(QMenuBar* bar);
    void buildPopup();
    void ensurePopup();
    void buildListPopup();
    void dispatch(QAction* action, bool checkedAfterToggle);

    QWidget* m_owner;
    QMenu* m_popup = nullptr;
    QMenu* m_listPopup = nullptr;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QList<QAction*>> m_arrays;
    QHash<QAction*, std::function<void()>> m_commands;
};

// The range menu item of a range.
QString rangeMenuName(RangeFilter range);

} // namespace keruna
