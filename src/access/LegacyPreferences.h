#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Per-user preferences of earlier versions, read once to carry the hub into the store.
// Nothing writes them. A value of the wrong type reads as missing.
class LegacyPreferences
{
public:
    virtual ~LegacyPreferences() = default;
    virtual std::optional<QString> string(const QString& key) const = 0;
    virtual std::optional<QByteArray> bytes(const QString& key) const = 0;
};

// The application's QSettings file (~/.config/Quorvane/Quorvane.conf on Linux).
class SettingsFileLegacyPreferences final : public LegacyPreferences
{
public:
    std::optional<QString> string(const QString& key) const override;
    std::optional<QByteArray> bytes(const QString& key) const override;
};
