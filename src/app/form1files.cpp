#include "app/form1.h"

#include "app/problemcontroller.h"
#include "ui/platform.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
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
        m_ctx.platform.showMessage(this,
            QStringLiteral("「%1」はフォルダです。問題データのファイルを開いてください。")
                .arg(file.fileName()),
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
}

bool Form1::dropEvent(QObject*, QEvent* event)
{
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!droppedFile(drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = droppedFile(drop->mimeData());
        if (file.isEmpty())
            return true;
        drop->acceptProposedAction();
        // Several files: the first one, as the open dialog takes one.
        openFromOutside(file);
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
