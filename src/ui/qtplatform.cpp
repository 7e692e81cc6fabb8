#include "ui/qtplatform.h"

#include "common/qtarguments.h"

#include "problemdata/range.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

namespace keruna {

namespace {

// A dialog comes above the program's always-on-top windows (the stick strip, a topmost
// main window), or it would open hidden behind them.
void keepAboveTopmostWindows(QDialog& dialog)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &dialog && w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
            return;
        }
    }
}

} // namespace

QtPlatform::QtPlatform(QString programFolder)
    : m_programFolder(std::move(programFolder))
{
    if (m_programFolder.isEmpty())
        m_programFolder = QCoreApplication::applicationDirPath();
}

MessageResult QtPlatform::showMessage(QWidget* parent, const QString& text, MessageIcon icon,
    MessageButtons buttons, const QString& title)
{
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case MessageIcon::Warning:
        boxIcon = QMessageBox::Warning;
        break;
    case MessageIcon::Error:
        boxIcon = QMessageBox::Critical;
        break;
    case MessageIcon::Question:
        boxIcon = QMessageBox::Question;
        break;
    }
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    switch (buttons) {
    case MessageButtons::Ok:
        break;
    case MessageButtons::OkCancel:
        standard = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoDefaultNo:
        standard = QMessageBox::Yes | QMessageBox::No;
        break;
    case MessageButtons::YesNoCancel:
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(boxIcon, title.isEmpty() ? programName() : title, shown, standard, parent);
    if (buttons == MessageButtons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    keepAboveTopmostWindows(box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    default:
        return buttons == MessageButtons::Ok      ? MessageResult::Ok
            : buttons == MessageButtons::OkCancel ? MessageResult::Cancel
                                                  : MessageResult::No;
    }
}

namespace {

// Shows the types' captions as written; each lists the names its patterns say, whatever
// its text suggests. Then presets the file and runs the dialog.
std::optional<QString> runFileDialog(
    QFileDialog& dialog, const QList<FileType>& types, const QString& initialFile)
{
    QStringList captions;
    for (const FileType& type : types)
        captions.append(type.caption);
    dialog.setNameFilters(captions);
    auto listFor = [&dialog, types](const QString& caption) {
        for (const FileType& type : types) {
            if (type.caption == caption) {
                if (auto* model = dialog.findChild<QFileSystemModel*>())
                    model->setNameFilters(type.patterns);
            }
        }
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, listFor);
    if (!captions.isEmpty())
        listFor(captions.constFirst());
    keepAboveTopmostWindows(dialog);
    if (!initialFile.isEmpty()) {
        const QFileInfo initial(initialFile);
        if (initial.isAbsolute())
            dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtPlatform::chooseOpenFile(QWidget* parent, const OpenFileRequest& request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // "*.*" means every file, as on the desktop the filter text comes from; taken
    // literally it would hide names without a dot.
    QStringList patterns {QStringLiteral("*")};
    const qsizetype open = request.filter.lastIndexOf(u'(');
    if (!request.filter.endsWith(QLatin1String("(*.*)")) && open >= 0)
        patterns = request.filter.mid(open + 1).chopped(1).split(u' ', Qt::SkipEmptyParts);
    return runFileDialog(dialog, {{request.filter, patterns}}, request.initialFile);
}

std::optional<QString> QtPlatform::chooseSaveFile(QWidget* parent, const SaveFileRequest& request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    return runFileDialog(dialog, request.types, request.initialFile);
}

std::optional<QFont> QtPlatform::chooseFont(QWidget* parent, const QFont& initial)
{
    // The dialog offers only fonts the system has: a stored font it lacks opens on the
    // font its text shows in, and OK with nothing changed keeps the stored font.
    QFontDialog dialog(fontDialogPreset(initial), parent);
    const QFont atStart = dialog.currentFont();
    keepAboveTopmostWindows(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (sameDialogFont(dialog.selectedFont(), atStart))
        return initial;
    return dialog.selectedFont();
}

std::optional<QColor> QtPlatform::chooseColor(QWidget* parent, const QColor& initial)
{
    QColorDialog dialog(initial, parent);
    keepAboveTopmostWindows(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

void QtPlatform::setTopmost(QWidget* window, bool topmost)
{
    if (!window)
        return;
    QWindow* handle = window->windowHandle();
    if (!handle) {
        // Not shown yet: the flag is simply part of how the window will be created.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
        return;
    }
    // Changing a widget's flags recreates its native window, which leaves the window
    // frozen under some window managers. The native window takes the new state in place
    // (on X11 as _NET_WM_STATE_ABOVE), and the widget is told without recreating it.
    Qt::WindowFlags flags = handle->flags();
    if (flags.testFlag(Qt::WindowStaysOnTopHint) == topmost)
        return;
    flags.setFlag(Qt::WindowStaysOnTopHint, topmost);
    handle->setFlags(flags);
    window->overrideWindowFlags(flags);
}

QRect QtPlatform::screenGeometry(const QWidget* window) const
{
    QScreen* screen
        = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

bool QtPlatform::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool QtPlatform::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool QtPlatform::startNewInstance()
{
    qint64 pid = 0;
    // The window system's options go along; a word list named at the first start does not
    // (the new instance starts as a fresh one would).
    const bool started = QProcess::startDetached(QCoreApplication::applicationFilePath(),
        splitQtArguments(QCoreApplication::arguments().mid(1)).qt, QString(), &pid);
    return started && pid != 0;
}

void QtPlatform::endProgram()
{
    m_endRequested = true;
    // Before the event loop runs (start-up declined) main() sees endRequested() instead.
    if (QThread::currentThread()->loopLevel() == 0)
        return;
    if (lastWords)
        lastWords();
    std::_Exit(0);
}

} // namespace keruna
