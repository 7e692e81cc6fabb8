#pragma once

#include "settings/settingsstore.h"

#include <QString>

#include <optional>

namespace keruna {

// Typed reads of single settings. A missing key reads as "ERROR", which no conversion
// accepts, so a nullopt is how a missing or broken value shows itself to the caller.
class SettingsReader {
public:
    explicit SettingsReader(QString settingsPath)
        : m_path(std::move(settingsPath))
    {
    }

    const QString& path() const { return m_path; }
    QString text(const QString& section, const QString& key) const;

    // "True"/"False" or a number (non-zero is true).
    std::optional<bool> boolean(const QString& section, const QString& key) const;
    // A check box value: "0" or "1".
    std::optional<int> checkBox(const QString& section, const QString& key) const;
    std::optional<double> number(const QString& section, const QString& key) const;
    std::optional<int> int16(const QString& section, const QString& key) const;
    // A 24-bit blue-green-red colour.
    std::optional<qint64> colour(const QString& section, const QString& key) const;
    // Free text that is neither empty nor the missing-value marker.
    std::optional<QString> presentText(const QString& section, const QString& key) const;
    // A check box stored either as "0"/"1" or as "True"/"False" (both writers exist).
    std::optional<int> checkBoxOrBool(const QString& section, const QString& key) const;

private:
    QString m_path;
    // Read once and kept while nothing is written.
    mutable std::optional<SettingsSnapshot> m_snapshot;
};

} // namespace keruna
