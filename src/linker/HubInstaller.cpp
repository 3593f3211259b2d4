// Putting fetched skill folders into the hub, and telling what an install would replace.
#include "linker/HubInstaller.h"

#include "access/FileSystem.h"
#include "access/ItemName.h"
#include "linker/HubSettings.h"
#include "model/ModelContext.h"

#include <QScopeGuard>
#include <QUuid>

using namespace Qt::StringLiterals;

HubInstaller::HubInstaller(const ModelContext& context, const HubSettings& hub, const FolderAccess& access)
    : m_context(context)
    , m_hub(hub)
    , m_access(access)
{}

InstallRefusal InstallRefusal::withoutConsent(const QString& name, const LocalChanges& changes)
{
    return {Problem(changes.unknownOrigin ? Problem::Kind::unknownOriginHere : Problem::Kind::changedHere,
                    {name}),
            changes};
}

Result<SkillInstallPlan, Problem> HubInstaller::planSkillInstall(const QString& name) const
{
    // The name comes from a search hit or a command line: it must be one visible entry of the hub.
    if (!checkItemName(name) || name.startsWith(u'.'))
        return Problem(Problem::Kind::notAFolderName, {name});
    auto hub = m_access.reach(m_hub.location());
    if (!hub)
        return Problem(Problem::Kind::hubUnreachable);
    SkillInstallPlan plan;
    plan.target.name = name;
    plan.target.folder = FileSystem::childPath(hub->path, name);
    for (const SkillProvenanceRecord* record : m_context.records<SkillProvenanceRecord>())
        if (record->itemName() == name)
            plan.target.recorded = record->provenance();
    plan.folders.push_back(std::move(*hub));
    return plan;
}

Result<std::optional<LocalChanges>> HubInstaller::changesHere(const SkillInstallTarget& plan)
{
    if (!FileSystem::isSymbolicLink(plan.folder) && !FileSystem::exists(plan.folder))
        return std::optional<LocalChanges>();
    if (FileSystem::isSymbolicLink(plan.folder) || FileSystem::existsAsFolder(plan.folder) != true)
        return std::optional(LocalChanges{true, {plan.name}});
    const auto digest = FolderContent::digestOf(plan.folder);
    if (!digest)
        return digest.error();
    if (!plan.recorded)
        return std::optional(LocalChanges{true, digest->files.keys()});
    if (digest->contentHash == plan.recorded->contentHash)
        return std::optional<LocalChanges>();
    return std::optional(LocalChanges{false, digest->changedFiles(plan.recorded->files)});
}

Result<FolderDigest, InstallRefusal> HubInstaller::placeSkillFolder(const SkillInstallTarget& plan,
                                                                    const QList<ContentFile>& files,
                                                                    bool replaceChanged)
{
    const QString hub = plan.folder.left(plan.folder.size() - plan.name.size() - 1);
    const QString staging = FileSystem::childPath(
        hub, u".quorvane-install-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces));
    auto dropStaging = qScopeGuard([&] { (void)FileSystem::remove(staging); });
    if (Outcome written = FolderContent::write(staging, files); !written)
        return InstallRefusal{written.error().shown(), std::nullopt};
    const FolderDigest digest = FolderContent::digest(files);

    const auto changes = changesHere(plan);
    if (!changes)
        return InstallRefusal{changes.error().shown(), std::nullopt};
    const bool present = FileSystem::isSymbolicLink(plan.folder) || FileSystem::exists(plan.folder);
    if (!present) {
        if (Outcome moved = FileSystem::move(staging, plan.folder); !moved)
            return InstallRefusal{moved.error().shown(), std::nullopt};
        return digest;
    }
    if (changes.value() && !replaceChanged)
        return InstallRefusal::withoutConsent(plan.name, *changes.value());
    // Links into the hub keep working: they name the folder's path, which is never empty.
    if (Outcome swapped = FileSystem::exchange(plan.folder, staging); !swapped)
        return InstallRefusal{swapped.error().shown(), std::nullopt};
    return digest; // the old folder now stands at the staging path and goes with it
}
