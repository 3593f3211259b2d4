#pragma once

#include "base/Result.h"
#include "model/SkillProvenanceRecord.h"
#include "model/StrictJson.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// The backup file: hub, target apps and link records as one JSON document. Dates are
// ISO 8601 in UTC without fractions, UUIDs upper case, bytes standard Base64.

struct BackupAppSettings
{
    QString centralRepositoryPath;
    std::optional<QByteArray> centralBookmarkData;
    bool operator==(const BackupAppSettings&) const = default;
};

struct BackupTargetApp
{
    QUuid id;
    QString name;
    QString folderPath;
    QString systemImageName;
    std::optional<QByteArray> bookmarkData;
    // "link" or "copy"; absent in older backups, whose apps all link.
    std::optional<QString> placement;
    std::optional<QString> preset;  // the known assistant it was added as
    std::optional<QString> project; // the project folder it belongs to
    bool operator==(const BackupTargetApp&) const = default;
};

struct BackupSkillLinkRecord
{
    QUuid targetAppID;
    QString itemName;
    std::optional<QString> contentHash; // for a copy: what was copied
    bool operator==(const BackupSkillLinkRecord&) const = default;
};

// A place the store searches; the kind is "github" or "directory".
struct BackupSkillSource
{
    QString kind;
    QString location;
    bool operator==(const BackupSkillSource&) const = default;
};

struct AppBackup
{
    static constexpr qint64 currentFormatVersion = 2;

    qint64 formatVersion = currentFormatVersion;
    QDateTime exportDate;
    std::optional<QString> centralRepositoryPath;
    std::optional<BackupAppSettings> settings;
    QList<BackupTargetApp> targetApps;
    std::optional<QList<BackupSkillLinkRecord>> linkRecords;
    // Absent in backups of older versions, which then leave the sources as they are.
    std::optional<QList<BackupSkillSource>> sources;
    // Where installed skills came from; absent in older backups, which then leave it as it is.
    std::optional<QList<SkillProvenance>> provenance;

    bool operator==(const AppBackup&) const = default;

    // Pretty-printed UTF-8 JSON; absent optional values are left out.
    QByteArray encode() const;
    // Strict: the first missing, null or mistyped required value, bad date, UUID or
    // Base64 fails the whole document; unknown keys are ignored.
    static Result<AppBackup, DecodingError> decode(const QByteArray& bytes);
};
