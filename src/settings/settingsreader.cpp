#include "settings/settingsreader.h"

#include "common/numbers.h"
#include "settings/settingsstore.h"

#include <cmath>

namespace keruna {

QString SettingsReader::text(const QString& section, const QString& key) const
{
    if (!m_snapshot || m_snapshot->writeCount() != SettingsStore::writeCount())
        m_snapshot.emplace(m_path);
    return m_snapshot->read(key, section);
}

std::optional<bool> SettingsReader::boolean(const QString& section, const QString& key) const
{
    return toBool(text(section, key));
}

std::optional<int> SettingsReader::checkBox(const QString& section, const QString& key) const
{
    const std::optional<int> v = toInt16(text(section, key));
    if (v && (*v == 0 || *v == 1))
        return v;
    return std::nullopt;
}

std::optional<double> SettingsReader::number(const QString& section, const QString& key) const
{
    return toNumber(text(section, key));
}

std::optional<int> SettingsReader::int16(const QString& section, const QString& key) const
{
    return toInt16(text(section, key));
}

std::optional<qint64> SettingsReader::colour(const QString& section, const QString& key) const
{
    const std::optional<double> v = toNumber(text(section, key));
    if (!v)
        return std::nullopt;
    const double r = std::nearbyint(*v);
    if (r < 0 || r > 0xFFFFFF)
        return std::nullopt;
    return qint64(r);
}

std::optional<QString> SettingsReader::presentText(const QString& section, const QString& key) const
{
    QString t = text(section, key);
    if (t.isEmpty() || t == SettingsStore::kMissing)
        return std::nullopt;
    return t;
}

std::optional<int> SettingsReader::checkBoxOrBool(const QString& section, const QString& key) const
{
    const QString t = text(section, key).trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return 1;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return 0;
    return checkBox(section, key);
}

} // namespace keruna
