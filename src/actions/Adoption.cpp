#include "actions/Adoption.h"

#include "access/FileSystem.h"
#include "access/UserEnvironment.h"
#include "actions/AppActions.h"
#include "actions/ImportTask.h"
#include "actions/Workspace.h"
#include "linker/HubSettings.h"
#include "linker/TargetListing.h"
#include "model/AssistantPresets.h"
#include "model/TargetApp.h"

#include <QDir>
#include <QSet>

using namespace Qt::StringLiterals;

Adoption::Adoption(Workspace& workspace)
    : m_workspace(workspace)
{}

Result<QList<AdoptionCandidate>, Problem> Adoption::survey() const
{
    const QString home = m_workspace.platform().user.homeFolder();
    const auto lock = SharedSkillLock::read(SharedSkillLock::fileIn(home));
    if (!lock)
        return lock.error();
    QSet<QString> taken;
    for (const Skill& item : m_workspace.hubCatalog().availableSkills())
        taken.insert(item.fileName());
    QList<AdoptionCandidate> candidates;
    const auto take = [&](const QList<TargetAppSkill>& entries, const QString& folder, const QUuid& app,
                          const AssistantPreset* preset) {
        for (const TargetAppSkill& entry : entries) {
            if (entry.state != TargetItemState::localItem)
                continue;
            candidates.append({entry, folder, app, preset,
                               lock.value() ? lock.value()->find(entry.name) : std::nullopt,
                               taken.contains(entry.name)});
            taken.insert(entry.name);
        }
    };
    const AppActions apps(m_workspace);
    QSet<QString> folders;
    for (const TargetApp* app : m_workspace.apps()) {
        const QString path = QDir::cleanPath(expandingTilde(app->folderPath(), m_workspace.platform().user));
        folders.insert(path);
        if (const auto entries = m_workspace.targetListing().list(*app))
            take(*entries, abbreviatingHomeFolder(path, home), app->id(),
                 app->preset() ? assistantPreset(*app->preset()) : nullptr);
    }
    const std::optional<QString> hub = m_workspace.hubSettings().hasValidCentralHub()
                                           ? std::optional(m_workspace.hubSettings().location().storedPath)
                                           : std::nullopt;
    for (const AssistantPreset& preset : assistantPresets()) {
        const QString path = QDir::cleanPath(apps.presetFolder(preset));
        if (folders.contains(path) || FileSystem::existsAsFolder(path) != true)
            continue;
        folders.insert(path);
        take(TargetListing::listFolder(path, hub, {}), preset.folder, QUuid(), &preset);
    }
    return candidates;
}

Result<ImportTask*, Problem> Adoption::start(const QList<AdoptionCandidate>& candidates) const
{
    QList<ImportTask::Entry> entries;
    QHash<const AssistantPreset*, QUuid> added;
    AppActions apps(m_workspace);
    for (const AdoptionCandidate& candidate : candidates) {
        if (candidate.nameTaken)
            continue;
        QUuid app = candidate.appID;
        if (app.isNull() && candidate.preset) {
            if (!added.contains(candidate.preset)) {
                const auto made = apps.addPreset(*candidate.preset, false);
                if (!made)
                    return Problem(Problem::Kind::appNotAdded, {candidate.folder});
                added.insert(candidate.preset, made.value()->id());
            }
            app = added.value(candidate.preset);
        }
        if (!app.isNull())
            entries.append({candidate.entry, app, candidate.origin});
    }
    return ImportTask::start(m_workspace, entries);
}
