#pragma once

#include "access/FolderAccess.h"
#include "model/Skill.h"

#include <QString>

#include <optional>

class HubSettings;
class LinkRecords;
class ModelContext;
class TargetApp;

// Where a removed entry went: into the desktop's trash (its path there), or gone for good.
struct Removal
{
    std::optional<QString> inTrash;
};

// Takes entries away for good: into the trash where there is one, with what the store knew
// of them.
class EntryRemover
{
public:
    EntryRemover(ModelContext& context, const HubSettings& hub, const FolderAccess& access,
                 LinkRecords& records);

    // Moves an entry of the app's folder (a link as a link) to the trash, or deletes it where
    // there is none, and forgets its record. Nothing when it could not be removed.
    std::optional<Removal> removeTargetItem(const QString& itemPath, const TargetApp& app);
    // The same for a hub item (a folder with its contents), which also forgets where it came
    // from. Links to it stay and show as broken.
    std::optional<Removal> removeHubItem(const Skill& skill);

private:
    ModelContext& m_context;
    const HubSettings& m_hub;
    const FolderAccess& m_access;
    LinkRecords& m_records;
};
