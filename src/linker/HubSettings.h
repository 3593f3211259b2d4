#pragma once

#include "access/FolderAccess.h"
#include "base/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>

class AppSettings;
class LegacyPreferences;
class ModelContext;
class TargetApp;
class UserEnvironment;

// Where the central hub is: the one AppSettings record, read afresh on every question so
// a backup import or another process's change is never hidden behind a copy.
class HubSettings
{
public:
    HubSettings(ModelContext& context, const LegacyPreferences& preferences, const UserEnvironment& user);

    // Makes sure the record exists, carrying over the hub of earlier versions' preferences.
    void load();

    // The record in use: the first one the store holds, or none.
    AppSettings* record() const;

    // The hub's stored path; ".agents/Skills" in the home folder until a record says otherwise.
    QString centralRepositoryPath() const;
    std::optional<QByteArray> centralBookmarkData() const;
    FolderLocation location() const;

    // Stores a newly chosen hub folder and its bookmark; logged on failure.
    Outcome setHub(const QString& path, const std::optional<QByteArray>& bookmark);

    // Whether the hub bookmark leads to an existing folder (no scope is opened).
    bool hasValidCentralHub() const;

private:
    QString defaultPath() const;

    ModelContext& m_context;
    const LegacyPreferences& m_preferences;
    const UserEnvironment& m_user;
};

// Where a target app's folder is kept.
FolderLocation folderOf(const TargetApp& app);
