#include "app/form1.h"

#include "app/language.h"
#include "mainscreen/mainmenus.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "study/studyengine.h"
#include "ui/dictionaryurl.h"
#include "ui/platform.h"
#include "ui/texteditor.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QToolButton>
#include <QUrl>

// Form1: the commands that hand work to other programs (browser, editor, file manager)
// and the version message.
namespace keruna {

void Form1::wireTools()
{
    // setting: the properties' name for the address, so that the user knows where to look.
    auto openWeb = [this](const QString& configured, const QString& word, const QString& setting) {
        const QUrl url = dictionaryUrlFor(configured, word);
        QString why;
        if (configured.trimmed().isEmpty())
            why = tr("%1が設定されていません。プロパティで設定してください。").arg(setting);
        else if (!url.isValid())
            why = tr("%1「%2」はWebのアドレス（http:// か https:// で始まるもの）"
                     "ではないため開けません。プロパティで直してください。")
                      .arg(setting, configured.trimmed());
        else if (!m_ctx.platform.openUrl(url))
            why = tr("ブラウザを起動できませんでした。既定のWebブラウザが"
                     "設定されているか確かめてください。\r\n%1")
                      .arg(url.toString());
        if (!why.isEmpty())
            m_ctx.platform.showMessage(this, why, MessageIcon::Warning, MessageButtons::Ok);
    };
    auto dictionary = [this, openWeb] {
        const StudySession& s = m_study->session();
        openWeb(m_state.options.dictionaryUrl, m_study->itemCurrent() ? s.item.question : QString(),
            tr("Web辞書のURL"));
    };
    connect(m_c.webdicbtn, &QToolButton::clicked, this, dictionary);
    m_menus->onCommand(QStringLiteral("mdic"), dictionary);
    m_menus->onCommand(QStringLiteral("mHOME"), [this, openWeb] {
        openWeb(m_state.options.homePageUrl, QString(), tr("ホームページのURL"));
    });

    connect(m_c.sakuseibtn, &QToolButton::clicked, this, [this] {
        // The full path, so that no name is taken for an option of the editor.
        const QString path
            = m_set.path.isEmpty() ? QString() : QFileInfo(m_set.path).absoluteFilePath();
        openInTextEditor(m_ctx.platform, path);
    });

    m_menus->onCommand(QStringLiteral("mondaifolder"), [this] {
        const QString folder
            = m_set.path.isEmpty() ? QString() : QFileInfo(m_set.path).absolutePath();
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            m_ctx.platform.showMessage(this, tr("問題データが開かれていません。"),
                MessageIcon::Warning, MessageButtons::Ok);
            return;
        }
        m_ctx.platform.openUrl(QUrl::fromLocalFile(folder));
    });

    // Texts are made as the windows are built: a new language is for the next start. The
    // notice is in both, for a learner who picked the language they can read.
    const auto showLanguage = [this](Language chosen) {
        m_menus->action(QStringLiteral("mgengoja"))->setChecked(chosen == Language::Japanese);
        m_menus->action(QStringLiteral("mgengoen"))->setChecked(chosen == Language::English);
    };
    showLanguage(interfaceLanguage());
    for (const Language language : {Language::Japanese, Language::English}) {
        m_menus->onCommand(
            QStringLiteral("mgengo") + languageCode(language), [this, language, showLanguage] {
                showLanguage(language);
                if (!SettingsStore::WriteValue(
                        languageCode(language), kLanguageKey, Section::Form, settingsPath())) {
                    m_ctx.platform.showMessage(this,
                        tr("設定をフォルダ「%1」のSettei.iniに保存できませんでした。"
                           "ディスクの空きと書き込みの許可を確かめてください。")
                            .arg(
                                QDir::toNativeSeparators(QFileInfo(settingsPath()).absolutePath())),
                        MessageIcon::Warning, MessageButtons::Ok);
                    return;
                }
                if (language != interfaceLanguage())
                    m_ctx.platform.showMessage(this,
                        QStringLiteral("表示言語は次にケルナを起動したときから切り替わります。\r\n"
                                       "The interface language changes the next time Keruna "
                                       "starts."),
                        MessageIcon::Information, MessageButtons::Ok);
            });
    }

    m_menus->onCommand(QStringLiteral("mversion"), [this] {
        m_ctx.platform.showMessage(this, programName() + QStringLiteral("\r\n\r\nversion 1.1.0"),
            MessageIcon::Information, MessageButtons::Ok);
    });
}

} // namespace keruna
