#pragma once

#include <QStringList>

namespace keruna {

// Qt's own command-line options (-platform xcb, -session id, -style fusion …) that
// QApplication takes for itself; a window system or session manager may pass them.
// Splits arguments (without the program's name) into those and the program's own.
struct SplitArguments {
    QStringList qt;
    QStringList own;
};
SplitArguments splitQtArguments(const QStringList& arguments);

} // namespace keruna
