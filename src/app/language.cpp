#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace keruna {

namespace {

Language g_installed = Language::Japanese;

} // namespace

std::optional<Language> languageFromCode(const QString& code)
{
    const QString c = code.trimmed().toLower();
    if (c == u"ja")
        return Language::Japanese;
    if (c == u"en")
        return Language::English;
    return std::nullopt;
}

QString languageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

Language chooseLanguage(const QString& commandLine, const QString& stored, const QLocale& desktop)
{
    if (const auto chosen = languageFromCode(commandLine))
        return *chosen;
    if (const auto kept = languageFromCode(stored))
        return *kept;
    switch (desktop.language()) {
    case QLocale::Japanese:
    case QLocale::C:
    case QLocale::AnyLanguage:
        return Language::Japanese;
    default:
        return Language::English;
    }
}

bool installLanguage(Language language)
{
    // Live as long as the application.
    static QTranslator ours;
    static QTranslator qt;
    if (language == Language::English) {
        // Qt's own dialogs are written in English: only ours needs a translation.
        if (!ours.load(QStringLiteral(":/translations/keruna_en.qm")))
            return false;
        QCoreApplication::installTranslator(&ours);
        g_installed = Language::English;
        return true;
    }
    // Qt's own translations first; an installed copy of ours where those are missing.
    for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
             QCoreApplication::applicationDirPath()
                 + QStringLiteral("/../share/keruna/translations")}) {
        if (qt.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(&qt);
            break;
        }
    }
    g_installed = Language::Japanese;
    return true;
}

Language interfaceLanguage()
{
    return g_installed;
}

} // namespace keruna
