#include "app/form1.h"

#include "problemdata/problemcontroller.h"
#include "study/studyengine.h"
#include "ui/platform.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

// Form1: word lists named outside the open dialog: on the command line, or dropped on the
// main window or the stick strip.
namespace keruna {

namespace {

// The first local file of a drag; nothing for text, web addresses and the like.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

bool Form1::openFromOutside(const QString& pathOrUrl)
{
    QString path = pathOrUrl;
    if (path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        path = QUrl(path).toLocalFile();
    const QFileInfo file(path);
    if (file.isDir()) {
        // "words/" and "/" name folders too.
        const QString name = QFileInfo(QDir::cleanPath(path)).fileName();
        m_ctx.platform.showMessage(this,
            tr("「%1」はフォルダです。問題データのファイルを開いてください。")
                .arg(name.isEmpty() ? path : name),
            MessageIcon::Information, MessageButtons::Ok);
        return false;
    }
    // Relative to where the program was started, as the shell meant it.
    return m_problems->openGivenFile(file.absoluteFilePath());
}

void Form1::acceptDropsOn(QWidget* window)
{
    if (!window || window->acceptDrops())
        return;
    window->setAcceptDrops(true);
    if (window != this)
        window->installEventFilter(this);
    // Typing boxes would paste a dropped file's name as text: the window takes it.
    for (QLineEdit* box : window->findChildren<QLineEdit*>())
        box->setAcceptDrops(false);
}

bool Form1::dropEvent(QObject*, QEvent* event)
{
    // Nothing is opened while a test runs, as its open button is locked then.
    const bool open = !m_state.testmode;
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (open && !droppedFile(drag->mimeData()).isEmpty()) {
            // A copy, whatever the source proposes: the user's file stays where it is.
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        }
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = droppedFile(drop->mimeData());
        if (!open || file.isEmpty())
            return true;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // Several files: the first one, as the open dialog takes one. Opened once the drop
        // has finished, so that the dragging program is not kept waiting by a message, and
        // held like the open button while a word is being spoken.
        QTimer::singleShot(0, this, [this, file] {
            m_study->userCommand([this, file] {
                if (!m_state.testmode)
                    openFromOutside(file);
            });
        });
        return true;
    }
    return false;
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    dropEvent(this, event);
}

void Form1::dropEvent(QDropEvent* event)
{
    dropEvent(this, event);
}

} // namespace keruna
