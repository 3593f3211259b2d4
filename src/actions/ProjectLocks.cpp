#include "actions/ProjectLocks.h"

#include "access/FolderContent.h"
#include "access/UserEnvironment.h"
#include "actions/Workspace.h"
#include "base/Log.h"
#include "model/ModelContext.h"
#include "model/SkillLinkRecord.h"
#include "model/SkillProvenanceRecord.h"
#include "model/TargetApp.h"

#include <QDir>
#include <QHash>
#include <QMap>

using namespace Qt::StringLiterals;

ProjectLocks::ProjectLocks(Workspace& workspace)
    : m_workspace(workspace)
{}

QStringList ProjectLocks::projects() const
{
    QStringList folders;
    for (const TargetApp* app : m_workspace.apps())
        if (app->project() && !folders.contains(*app->project()))
            folders.append(*app->project());
    folders.sort();
    return folders;
}

QList<TargetApp*> ProjectLocks::appsOf(const QString& project) const
{
    QList<TargetApp*> apps;
    for (TargetApp* app : m_workspace.apps())
        if (app->project() == project)
            apps.append(app);
    return apps;
}

QString ProjectLocks::lockName(const TargetApp& app, const QString& folderPath)
{
    if (app.preset())
        return *app.preset();
    return QDir(app.project().value_or(QString())).relativeFilePath(folderPath);
}

Result<LockFile> ProjectLocks::lockOf(const QString& project) const
{
    const QString hub = m_workspace.hubSettings().centralRepositoryPath();
    QMap<QString, LockedSkill> skills;
    for (const TargetApp* app : appsOf(project)) {
        const QString name = lockName(*app, expandingTilde(app->folderPath(), m_workspace.platform().user));
        for (const SkillLinkRecord* record : m_workspace.context().records<SkillLinkRecord>()) {
            if (record->targetAppID() != app->id())
                continue;
            LockedSkill& skill = skills[record->itemName()];
            skill.name = record->itemName();
            if (!skill.apps.contains(name))
                skill.apps.append(name);
            if (skill.contentSha256.isEmpty() && record->contentHash())
                skill.contentSha256 = *record->contentHash();
        }
    }
    // The source a lock names must give exactly the locked content: the one the lock named for
    // it already, else where the hub item came from if it still holds that; else none is known.
    QHash<QString, LockedSkill> written;
    if (const auto existing = LockFile::read(project); existing && existing.value())
        for (const LockedSkill& skill : existing.value()->skills)
            written.insert(skill.name, skill);
    LockFile lock;
    for (LockedSkill skill : std::as_const(skills)) {
        // A copy's recorded hash is what the repository carries; linked alone, the hub's content.
        if (skill.contentSha256.isEmpty())
            if (const auto hash = FolderContent::contentHashOf(hub + u'/' + skill.name))
                skill.contentSha256 = hash.value();
        if (skill.contentSha256.isEmpty())
            return Error{
                u"\"%1\" is neither in the hub nor copied, so its content is unknown."_s.arg(skill.name)};
        if (const auto before = written.constFind(skill.name);
            before != written.cend() && before->contentSha256 == skill.contentSha256 && before->source) {
            skill.source = before->source;
        } else {
            for (const SkillProvenanceRecord* record : m_workspace.context().records<SkillProvenanceRecord>())
                if (record->itemName() == skill.name &&
                    record->provenance().contentHash == skill.contentSha256) {
                    const SkillProvenance& known = record->provenance();
                    skill.source =
                        LockedSource{known.repository, known.ref, known.commit, known.path, known.treeSha};
                }
        }
        lock.skills.append(skill);
    }
    return lock;
}

Outcome ProjectLocks::write(const QString& project) const
{
    const auto lock = lockOf(project);
    if (!lock)
        return lock.error();
    return LockFile::write(project, lock.value());
}

void ProjectLocks::keepFor(const QUuid& appID, const QSet<QString>& except) const
{
    QStringList touched;
    if (appID.isNull())
        touched = projects();
    else if (const TargetApp* app = m_workspace.app(appID); app && app->project())
        touched = {*app->project()};
    for (const QString& project : std::as_const(touched)) {
        if (except.contains(project))
            continue;
        if (const Outcome written = write(project); !written)
            Log::line(u"Failed to write the lock file of "_s + project + u": "_s +
                      written.error().description);
    }
}

LockFileKeeper::LockFileKeeper(Workspace& workspace)
    : m_workspace(workspace)
{}

void LockFileKeeper::recordsChanged(const QUuid& appID) const
{
    ProjectLocks(m_workspace).keepFor(appID, *m_held);
}

std::shared_ptr<void> LockFileKeeper::holdWhileRestoring(const QString& project)
{
    m_held->insert(project);
    // The hold may outlive the keeper, as when the window closes during a restore.
    return std::shared_ptr<void>(nullptr, [held = std::weak_ptr(m_held), project](void*) {
        if (const auto projects = held.lock())
            projects->remove(project);
    });
}
