#include "app/form1.h"

#include "mainscreen/mainmenus.h"
#include "study/studyengine.h"
#include "ui/dictionaryurl.h"
#include "ui/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>

// Form1: the commands that hand work to other programs (browser, editor, file manager)
// and the version message.
namespace keruna {

namespace {

// Editors tried in turn when the desktop has no handler for the file (or there is none).
const QStringList kEditors = {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),
    QStringLiteral("kate"), QStringLiteral("kwrite"), QStringLiteral("mousepad"),
    QStringLiteral("pluma"), QStringLiteral("xed"), QStringLiteral("featherpad")};

} // namespace

void Form1::wireTools()
{
    auto openWeb = [this](const QString& configured, const QString& word) {
        const QUrl url = dictionaryUrlFor(configured, word);
        if (url.isValid())
            m_ctx.platform.openUrl(url);
    };
    auto dictionary = [this, openWeb] {
        const StudySession& s = m_study->session();
        openWeb(
            m_state.options.dictionaryUrl, m_study->itemCurrent() ? s.item.question : QString());
    };
    connect(m_c.webdicbtn, &QToolButton::clicked, this, dictionary);
    m_menus->onCommand(QStringLiteral("mdic"), dictionary);
    m_menus->onCommand(QStringLiteral("mHOME"),
        [this, openWeb] { openWeb(m_state.options.homePageUrl, QString()); });

    connect(m_c.sakuseibtn, &QToolButton::clicked, this, [this] {
        // The full path, so that no name is taken for an option of the editor.
        const QString path
            = m_set.path.isEmpty() ? QString() : QFileInfo(m_set.path).absoluteFilePath();
        QStringList arguments;
        if (!path.isEmpty())
            arguments.append(path);
        for (const char* variable : {"VISUAL", "EDITOR"}) {
            const QString editor = qEnvironmentVariable(variable);
            if (!editor.isEmpty() && m_ctx.platform.startProgram(editor, arguments))
                return;
        }
        if (!path.isEmpty() && m_ctx.platform.openUrl(QUrl::fromLocalFile(path)))
            return;
        for (const QString& editor : kEditors) {
            if (!QStandardPaths::findExecutable(editor).isEmpty()
                && m_ctx.platform.startProgram(editor, arguments))
                return;
        }
    });

    m_menus->onCommand(QStringLiteral("mondaifolder"), [this] {
        const QString folder
            = m_set.path.isEmpty() ? QString() : QFileInfo(m_set.path).absolutePath();
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            m_ctx.platform.showMessage(this, QStringLiteral("問題データが開かれていません。"),
                MessageIcon::Warning, MessageButtons::Ok);
            return;
        }
        m_ctx.platform.openUrl(QUrl::fromLocalFile(folder));
    });

    m_menus->onCommand(QStringLiteral("mversion"), [this] {
        m_ctx.platform.showMessage(this, QStringLiteral("ケルナ\r\n\r\nversion 1.1.0"),
            MessageIcon::Information, MessageButtons::Ok);
    });
}

} // namespace keruna
