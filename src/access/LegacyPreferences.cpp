#include "access/LegacyPreferences.h"

#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

QVariant storedValue(const QString& key)
{
    const QSettings settings(u"Quorvane"_s, u"Quorvane"_s);
    return settings.value(key);
}

} // namespace

std::optional<QString> SettingsFileLegacyPreferences::string(const QString& key) const
{
    const QVariant value = storedValue(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<QByteArray> SettingsFileLegacyPreferences::bytes(const QString& key) const
{
    const QVariant value = storedValue(key);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return value.toByteArray();
}
