#include "actions/SkillUpdates.h"

#include "access/FileSystem.h"
#include "access/FolderContent.h"
#include "actions/SkillInstall.h"
#include "actions/UpdatePreview.h"
#include "actions/Workspace.h"
#include "base/EnumNames.h"
#include "model/ModelContext.h"
#include "store/SkillSource.h"

#include <QMap>

using namespace Qt::StringLiterals;

SkillUpdates::SkillUpdates(Workspace& workspace, SkillSource& source)
    : QObject(&workspace)
    , m_workspace(workspace)
    , m_source(source)
{}

SkillUpdates::~SkillUpdates() = default;

QString SkillUpdates::stateName(UpdateState state)
{
    static constexpr EnumName<UpdateState> names[] = {{UpdateState::current, u"current"},
                                                      {UpdateState::updateAvailable, u"update-available"},
                                                      {UpdateState::modified, u"modified"},
                                                      {UpdateState::unknown, u"unknown"}};
    return nameIn<UpdateState>(names, state);
}

std::optional<SkillUpdateStatus> SkillUpdates::status(const QString& item) const
{
    const auto found = m_statuses.constFind(item);
    return found == m_statuses.cend() ? std::nullopt : std::optional(*found);
}

void SkillUpdates::check(std::function<void(const UpdateCheckResult&)> done)
{
    if (done)
        m_waiting.append(std::move(done));
    if (isChecking())
        return;
    UpdateCheckResult result;
    m_hub = m_workspace.folderAccess().reach(m_workspace.hubSettings().location());
    if (!m_hub) {
        result.failures.append(Problem::Kind::hubUnreachable);
        m_hub.emplace(); // the check runs until it concludes, even when it ends at once
        QMetaObject::invokeMethod(
            this, [this, result] { conclude(result); }, Qt::QueuedConnection);
        Q_EMIT checkingChanged();
        return;
    }
    Q_EMIT checkingChanged();
    QHash<QString, SkillProvenance> recorded;
    for (const SkillProvenanceRecord* record : m_workspace.context().records<SkillProvenanceRecord>())
        recorded.insert(record->itemName(), record->provenance());
    QList<Installed> installed;
    for (const Skill& skill : m_workspace.hubCatalog().availableSkills()) {
        const QString name = skill.fileName();
        if (const auto provenance = recorded.constFind(name); provenance != recorded.cend())
            installed.append({*provenance, {}, {}});
        else
            result.skills.append({name, UpdateState::unknown, {}, {}});
    }
    readInstalledFolders(std::move(installed), std::move(result));
}

void SkillUpdates::readInstalledFolders(QList<Installed> installed, UpdateCheckResult result)
{
    // The check lives as long as the workspace, which awaits its workers before it goes.
    m_workspace.runInBackground([this, hub = m_hub->path, installed, result]() mutable {
        for (Installed& skill : installed) {
            const auto digest =
                FolderContent::digestOf(FileSystem::childPath(hub, skill.provenance.itemName));
            if (!digest)
                skill.localFailure = digest.error().description;
            else if (digest->contentHash != skill.provenance.contentHash)
                skill.changedHere = digest->changedFiles(skill.provenance.files);
        }
        QMetaObject::invokeMethod(
            this, [this, installed, result] { listRepositories(installed, result); }, Qt::QueuedConnection);
    });
}

void SkillUpdates::listRepositories(QList<Installed> installed, UpdateCheckResult result)
{
    // One listing per repository and ref, however many of its skills are installed.
    QMap<std::pair<QString, QString>, QList<qsizetype>> byRepository;
    for (qsizetype i = 0; i < installed.size(); ++i)
        byRepository[{installed[i].provenance.repository, installed[i].provenance.ref}].append(i);
    auto shared = std::make_shared<std::pair<QList<Installed>, UpdateCheckResult>>(std::move(installed),
                                                                                   std::move(result));
    auto pending = std::make_shared<qsizetype>(byRepository.size());
    if (byRepository.isEmpty())
        return conclude(shared->second);
    for (auto group = byRepository.cbegin(); group != byRepository.cend(); ++group) {
        const auto [repository, ref] = group.key();
        m_source.listRepository(
            repository, ref, this,
            [this, shared, pending, members = group.value(),
             what = QString(repository + u'@' + ref)](const Result<RepositoryTree, Problem>& tree) {
                auto& [skills, outcome] = *shared;
                if (!tree)
                    outcome.failures.append(Problem::concerning(what, tree.error()));
                for (const qsizetype member : members) {
                    const Installed& skill = skills[member];
                    const SkillProvenance& p = skill.provenance;
                    if (skill.localFailure) {
                        outcome.failures.append(
                            Problem::concerning(p.itemName, Problem::said(*skill.localFailure)));
                        continue;
                    }
                    if (skill.changedHere) {
                        outcome.skills.append(
                            {p.itemName, UpdateState::modified, p.source, *skill.changedHere});
                        continue;
                    }
                    if (!tree)
                        continue;
                    const auto sha = tree->folderSha(p.path);
                    if (!sha)
                        outcome.failures.append({Problem::Kind::folderGone, {p.itemName, p.path, what}});
                    else
                        outcome.skills.append(
                            {p.itemName,
                             *sha == p.treeSha ? UpdateState::current : UpdateState::updateAvailable,
                             p.source,
                             {}});
                }
                if (--*pending == 0)
                    conclude(shared->second);
            });
    }
}

void SkillUpdates::conclude(UpdateCheckResult result)
{
    std::sort(result.skills.begin(), result.skills.end(),
              [](const SkillUpdateStatus& a, const SkillUpdateStatus& b) { return a.item < b.item; });
    m_statuses.clear();
    for (const SkillUpdateStatus& status : std::as_const(result.skills))
        m_statuses.insert(status.item, status);
    m_hub.reset();
    const auto waiting = std::exchange(m_waiting, {});
    Q_EMIT checkingChanged();
    Q_EMIT statusesChanged();
    for (const auto& done : waiting)
        done(result);
}

void SkillUpdates::preview(const QString& item, std::function<void(const UpdatePreviewResult&)> done)
{
    UpdatePreview::start(m_workspace, m_source, item, std::move(done));
}

SkillInstall* SkillUpdates::update(const QString& item, bool replaceChanged, bool acceptRisk,
                                   const std::optional<FetchedSkill>& fetched)
{
    for (const SkillProvenanceRecord* record : m_workspace.context().records<SkillProvenanceRecord>()) {
        if (record->itemName() != item)
            continue;
        SkillInstall* install =
            SkillInstall::start(m_workspace, m_source, SkillInstall::hitFor(record->provenance()),
                                {item, replaceChanged, true, acceptRisk, {}, fetched});
        connect(install, &SkillInstall::finished, this, [this, item](const InstallResult& result) {
            if (!result.succeeded)
                return;
            if (auto known = m_statuses.find(item); known != m_statuses.end()) {
                known->state = UpdateState::current;
                known->changedFiles.clear();
            }
            Q_EMIT statusesChanged();
        });
        return install;
    }
    return nullptr;
}
