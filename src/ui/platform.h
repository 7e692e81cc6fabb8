#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class QWidget;

namespace keruna {

enum class MessageIcon { None, Information, Warning, Error, Question };
// YesNoDefaultNo: a question whose Yes would lose something, so that Enter says No.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
enum class MessageResult { Ok, Cancel, Yes, No };

struct OpenFileRequest {
    QString title;
    QString filter; // "description(patterns)"
    QString initialFile; // the name chosen last time
    bool mustExist = true;
};

// A file type of a save dialog: the caption shown, and the names it lists. The captions
// come from the desktop the program was first written for, where "テキストファイル(*.txt)"
// listed every file; the patterns say what a caption really lists.
struct FileType {
    QString caption;
    QStringList patterns;
};

struct SaveFileRequest {
    QString title;
    QList<FileType> types;
    QString initialFile; // a name, or a path whose folder the dialog opens in
    bool confirmOverwrite = true;
};

// Everything that reaches outside the program's own widgets: common dialogs, message
// boxes, window stacking, the screen, other programs and the program's own process.
// Tests substitute a fake that answers from a queue and records what was shown.
class Platform {
public:
    virtual ~Platform() = default;

    virtual MessageResult showMessage(QWidget* parent, const QString& text, MessageIcon icon,
        MessageButtons buttons, const QString& title = {})
        = 0;
    // The chosen file, or nullopt when the user cancelled.
    virtual std::optional<QString> chooseOpenFile(QWidget* parent, const OpenFileRequest& request)
        = 0;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<QString> chooseSaveFile(QWidget* parent, const SaveFileRequest& request)
        = 0;

    // A font chosen in the font dialog, preset with initial; nullopt when cancelled.
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
    // A colour chosen in the colour dialog, preset with initial; nullopt when cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    // Keeps a window above all others (or not), position and size unchanged.
    virtual void setTopmost(QWidget* window, bool topmost) = 0;
    // The whole screen the window is on, in logical pixels.
    virtual QRect screenGeometry(const QWidget* window) const = 0;

    virtual bool openUrl(const QUrl& url) = 0;
    // Starts a program with an argument list (never through a shell).
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // Starts a new instance of this program; true when it started.
    virtual bool startNewInstance() = 0;
    // The folder that holds the program, and so Settei.ini.
    virtual QString programFolder() const = 0;
    // Ends the program at once: no further handlers, no other window's closing steps.
    virtual void endProgram() = 0;
    virtual bool endRequested() const = 0;
};

} // namespace keruna
