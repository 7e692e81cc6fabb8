#pragma once

#include <QString>
#include <QUrl>

namespace keruna {

// The address the browser opens for a configured web-dictionary or home-page URL:
// "{word}" replaced by word, percent-encoded. An empty, broken or non-web address gives
// an invalid QUrl, which is not opened at all.
QUrl dictionaryUrlFor(const QString& configured, const QString& word);

} // namespace keruna
