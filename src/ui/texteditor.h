#pragma once

#include <QString>

namespace keruna {

class Platform;

// Opens the file at path (an absolute path; empty: no file) in the user's text editor: the
// desktop's handler for plain text, then whatever the desktop opens the file with, then a
// known graphical editor, then $VISUAL or $EDITOR inside a terminal emulator. False when
// none could be started.
bool openInTextEditor(Platform& platform, const QString& path);

} // namespace keruna
