#pragma once

#include "common/apperror.h"
#include "history/historyevent.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

namespace keruna {

struct HistoryRead {
    QList<HistoryEvent> events; // in the order they happened
    int damaged = 0; // lines that are not an event, skipped
};

// The learning history: one append-only UTF-8 file beside Settei.ini, a header line and
// then one event a line. An append writes one whole line in a single write and never
// rewrites the file; two programs appending at once both keep their lines. A torn last
// line (the program killed half-way) is skipped on reading, and the next append starts a
// line of its own. Losing the history never stops anything else: a history that cannot be
// written is off for the rest of the session, with a notice for the history window.
class HistoryFile {
    Q_DECLARE_TR_FUNCTIONS(HistoryFile)

public:
    explicit HistoryFile(QString path);

    // The history file in the folder of a settings file.
    static QString besideSettings(const QString& settingsPath);

    const QString& path() const { return m_path; }
    bool append(const HistoryEvent& event);
    // Off after a failed append; the notice says why, in the window's words.
    bool isOff() const { return !m_notice.isEmpty(); }
    const QString& notice() const { return m_notice; }

    HistoryRead read() const;
    // Empties the history, keeping its header, through the safe writer.
    std::optional<AppError> clear();
    // Writes events as CSV (UTF-8 with a byte-order mark, which spreadsheets need to read
    // Japanese) to target, through the safe writer.
    static std::optional<AppError> exportCsv(
        const QString& target, const QList<HistoryEvent>& events);

    // Reads history bytes as read() does.
    static HistoryRead parse(const QByteArray& bytes);

private:
    QString m_path;
    QString m_notice;
};

} // namespace keruna
