#pragma once

#include "linker/LinkRecords.h"
#include "model/TargetAppSkill.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class FolderAccess;
class HubSettings;
class ModelContext;
class TargetApp;

// A target app's folder as the user sees it: every visible entry with its state, by name.
// A copy Quorvane made is read whole to tell whether it is current.
class TargetListing
{
public:
    TargetListing(const ModelContext& context, const HubSettings& hub, const FolderAccess& access);

    // The app's folder; nothing when it cannot be reached.
    std::optional<QList<TargetAppSkill>> list(const TargetApp& app) const;
    // One entry of the app's folder by name; nothing when the folder cannot be reached,
    // an empty optional inside when no entry of that name is there.
    std::optional<std::optional<TargetAppSkill>> entry(const TargetApp& app, const QString& name) const;

    // A folder reached already, with the hub (if reached) and what the records say of it: any
    // thread, as it touches files only.
    static QList<TargetAppSkill> listFolder(const QString& folderPath, const std::optional<QString>& hubPath,
                                            const RecordedItems& recorded);

private:
    const ModelContext& m_context;
    const HubSettings& m_hub;
    const FolderAccess& m_access;
};
