#pragma once

#include <QList>
#include <QString>

#include <memory>

namespace keruna {

namespace detail {
struct IniFile;
}

// One value to write: section, key and text.
struct SettingEntry {
    QString section;
    QString key;
    QString value;
};

// Access to the INI settings file. There is no cache: every read and write goes to the
// file at the moment it is made, so a value written anywhere is seen by the next read.
//
// Section and key names match without regard to the case of ASCII letters. A missing
// file, section or key reads as "ERROR"; an empty value reads as "". Values are cut to
// 254 bytes as code page 932 counts them. Writing creates the file, section and key on
// demand, replaces an existing value in place and keeps every other line of the file as
// it was. A value, key or section holding a line break is refused.
//
// The file is code page 932 unless it starts with a UTF-8 BOM. A value without a code
// page 932 form turns the whole file into UTF-8 with a BOM, every line's text kept.
class SettingsStore {
public:
    static inline const QString kMissing = QStringLiteral("ERROR");
    static constexpr int kMaxValueBytes = 254;

    static QString ReadValue(const QString& key, const QString& section, const QString& filePath);
    // True when the file was written. Callers ignore failures: the program goes on with
    // the values it holds.
    static bool WriteValue(
        const QString& value, const QString& key, const QString& section, const QString& filePath);
    // Every entry in one pass over the file, all or nothing: when any entry is refused
    // (a line break, an empty name, a character that no encoding of the file can hold) or
    // the write fails, the result is false and the file is left byte for byte as it was.
    // Values that come from the user's typing are best checked before they join a batch,
    // or one bad value keeps the others from being saved.
    static bool WriteValues(const QList<SettingEntry>& entries, const QString& filePath);

    // The settings file of a program folder.
    static QString settingsPath(const QString& programFolder);

    // Counts the writes this program made, so that a snapshot knows when it is stale.
    static int writeCount();
};

// The file as it stands, for a run of reads with no write between them: start-up reads
// about a hundred values, and reading the file for each would cost more than the rest of
// opening the window. Reads give exactly what ReadValue gives at the same moment.
class SettingsSnapshot {
public:
    explicit SettingsSnapshot(const QString& filePath);
    QString read(const QString& key, const QString& section) const;
    int writeCount() const { return m_writeCount; }

private:
    std::shared_ptr<const detail::IniFile> m_ini;
    int m_writeCount = 0;
};

// The first characters of a value that fit in maxBytes code page 932 bytes.
QString cutToCp932Bytes(const QString& value, int maxBytes);

} // namespace keruna
