#pragma once

#include <QIcon>
#include <QString>

namespace keruna {

// An icon whose picture is read only when it is first drawn: most buttons of the main
// screen are hidden until their mode comes up, and parsing every picture up front
// would sit on the way to the first window.
QIcon lazyIcon(const QString& path);

} // namespace keruna
