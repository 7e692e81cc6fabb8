#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace keruna {

// The interface's language. Japanese is the language the program is written in; English
// comes from the translation built into the program.
enum class Language { Japanese, English };

// "ja" or "en"; anything else is no language.
std::optional<Language> languageFromCode(const QString& code);
QString languageCode(Language language);

// --lang first, then the choice kept from the Help menu, then the desktop: a Japanese
// desktop, or one that names no language (C, POSIX), keeps the interface as it always was;
// any other language gets English.
Language chooseLanguage(const QString& commandLine, const QString& stored, const QLocale& desktop);

// Where Settei.ini keeps the Help menu's choice.
inline const QString kLanguageKey = QStringLiteral("GENGO");

// Installs the texts of language on the application (ours and those of Qt's own dialogs)
// and remembers it for interfaceLanguage(). Call once, before any window is built.
// False when the English translation could not be loaded (the interface stays Japanese).
bool installLanguage(Language language);

// What installLanguage installed; Japanese when it never ran (the tests).
Language interfaceLanguage();

} // namespace keruna
