#pragma once

#include "model/TargetAppSkill.h"

#include <QList>
#include <QString>

#include <optional>

class FolderAccess;
class HubSettings;
class TargetApp;

// A target app's folder as the user sees it: every visible entry with its state, by name.
class TargetListing
{
public:
    TargetListing(const HubSettings& hub, const FolderAccess& access);

    // The app's folder; nothing when it cannot be reached.
    std::optional<QList<TargetAppSkill>> list(const TargetApp& app) const;
    QList<TargetAppSkill> listFolder(const QString& folderPath) const;
    // One entry of the app's folder by name; nothing when the folder cannot be reached,
    // an empty optional inside when no entry of that name is there.
    std::optional<std::optional<TargetAppSkill>> entry(const TargetApp& app, const QString& name) const;

private:
    const HubSettings& m_hub;
    const FolderAccess& m_access;
};
