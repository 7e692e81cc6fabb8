#include "ui/dictionaryurl.h"

namespace keruna {

QUrl dictionaryUrlFor(const QString& configured, const QString& word)
{
    QString url = configured.trimmed();
    // "{word}" stands for the item on show, so that the dictionary opens on it.
    url.replace(QStringLiteral("{word}"), QString::fromLatin1(QUrl::toPercentEncoding(word)));
    const QUrl parsed(url, QUrl::StrictMode);
    // Only a web address goes to the browser: an empty or broken text, or a local
    // program, is not opened at all.
    if (url.isEmpty() || !parsed.isValid()
        || (parsed.scheme() != QLatin1String("http") && parsed.scheme() != QLatin1String("https")))
        return {};
    return parsed;
}

} // namespace keruna
