#pragma once

#include "access/FileSystem.h"
#include "access/FolderAccess.h"
#include "base/Result.h"
#include "linker/Placement.h"
#include "model/TargetAppSkill.h"

#include <vector>

class HubSettings;
class LinkRecords;
class TargetApp;

// Importing in three steps, so the middle one, which may copy a large tree across file
// systems, can run on a worker: the plan reaches the folders (their scopes stay open while
// it lives), the move works on plain paths, and the end logs and records.
struct ImportPlan
{
    QString name;
    QString entry;  // the entry in the app's folder
    QString source; // what moves: the entry, or what the link there leads to
    QString hub;
    QString target;
    bool viaLink = false;
    qint64 bytesToCopy = 0; // when the move has to copy
    std::vector<ReachedFolder> folders;

    bool isPossible() const { return !folders.empty(); }
    // The paths alone, for a worker; the scopes stay with the original.
    ImportPlan withoutFolders() const { return {name, entry, source, hub, target, viaLink, bytesToCopy, {}}; }
};

// Brings an app's own entries into the hub and leaves a link in their place, and points
// broken links at the hub again.
class ItemImporter
{
public:
    ItemImporter(const HubSettings& hub, const FolderAccess& access, LinkRecords& records,
                 Placements placements);

    // Moves a local entry of the app's folder (or what a link there leads to) into the
    // hub under the entry's name and leaves a link to it in its place. Never replaces a hub entry.
    bool importSkill(const TargetAppSkill& item, const TargetApp& app);
    ImportPlan planImport(const TargetAppSkill& item, const TargetApp& app) const;
    // The files' part: touches files only and logs nothing, so it may run on a worker.
    static Outcome performImport(const ImportPlan& plan, const Placement& placement,
                                 const FileSystem::CopyControl& control);
    // Logs a failure, or records the link; true when imported.
    bool concludeImport(const ImportPlan& plan, const Outcome& outcome, const TargetApp& app);
    // Points a broken link at the hub entry of the same name.
    bool repairLink(const TargetAppSkill& item, const TargetApp& app);

private:
    const HubSettings& m_hub;
    const FolderAccess& m_access;
    LinkRecords& m_records;
    Placements m_placements;
};
