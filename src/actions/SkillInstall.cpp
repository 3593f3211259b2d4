#include "actions/SkillInstall.h"

#include "access/FileSystem.h"
#include "actions/HubActions.h"
#include "actions/Workspace.h"
#include "audit/AuditGate.h"
#include "base/Log.h"
#include "model/ModelContext.h"
#include "store/ContentCache.h"
#include "store/SkillIndex.h"

#include <QTimer>

using namespace Qt::StringLiterals;

SkillInstall::SkillInstall(Workspace& workspace, SkillSource& source, const RemoteSkillItem& item,
                           const InstallOptions& options)
    : QObject(&workspace)
    , m_workspace(workspace)
    , m_source(source)
    , m_item(item)
    , m_options(options)
    , m_name(options.folderName.value_or(folderName(item)))
{}

QString SkillInstall::folderName(const RemoteSkillItem& item)
{
    return item.skillId.value_or(item.name);
}

RemoteSkillItem SkillInstall::hitFor(const SkillProvenance& provenance)
{
    RemoteSkillItem hit;
    hit.id = provenance.repository + u':' + provenance.path;
    hit.skillId = provenance.itemName;
    hit.name = provenance.itemName;
    hit.source = provenance.repository;
    hit.fromIndex = RemoteSkillItem::FromIndex{provenance.ref, provenance.path, {}};
    hit.sourceName = provenance.source;
    return hit;
}

SkillInstall* SkillInstall::start(Workspace& workspace, SkillSource& source, const RemoteSkillItem& item,
                                  const InstallOptions& options)
{
    auto* install = new SkillInstall(workspace, source, item, options);
    QTimer::singleShot(0, install, &SkillInstall::begin);
    return install;
}

template <typename T>
void SkillInstall::inBackground(std::function<T()> work, std::function<void(const T&)> then)
{
    // The install waits for its worker, and the workspace awaits its workers before it goes.
    m_workspace.runInBackground([this, work = std::move(work), then = std::move(then)] {
        T result = work();
        QMetaObject::invokeMethod(
            this, [then, result = std::move(result)] { then(result); }, Qt::QueuedConnection);
    });
}

void SkillInstall::begin()
{
    // A hit's path comes from the user or from a source on the network: one that leaves the
    // repository (or a skill id that is a path) would fetch and name something else.
    const bool plainPath = !m_item.fromIndex || m_item.fromIndex->skillPath.isEmpty() ||
                           isPlainRepositoryPath(m_item.fromIndex->skillPath);
    const bool plainId =
        !m_item.skillId || (!m_item.skillId->contains(u'/') && isPlainRepositoryPath(*m_item.skillId));
    if (!plainPath || !plainId) {
        const QString given =
            m_item.fromIndex ? m_item.fromIndex->skillPath : m_item.skillId.value_or(QString());
        return finish(InstallResult::failure(
            Problem(Problem::Kind::installFailed).because({Problem::Kind::notAPathInRepository, {given}})));
    }
    if (!m_workspace.hubSettings().hasValidCentralHub())
        return finish(InstallResult::failure(Problem::Kind::chooseHubFirst));
    auto plan = m_workspace.linker().installer.planSkillInstall(m_name);
    if (!plan)
        return finish(InstallResult::failure(Problem(Problem::Kind::installFailed).because(plan.error())));
    m_plan = std::move(plan).value();
    // Asked before the download, so the user is not kept waiting for an answer that is no.
    inBackground<Result<std::optional<LocalChanges>>>(
        [plan = m_plan->target] { return HubInstaller::changesHere(plan); },
        [this](const Result<std::optional<LocalChanges>>& changes) {
            if (!changes)
                return finish(InstallResult::failure(
                    Problem(Problem::Kind::installFailed).because(changes.error().shown())));
            m_replacing = FileSystem::exists(m_plan->target.folder);
            if (changes.value() && !m_options.replaceChanged)
                return refuse(InstallRefusal::withoutConsent(m_name, *changes.value()));
            if (m_options.fetched)
                return place(*m_options.fetched);
            fetch();
        });
}

void SkillInstall::fetch()
{
    m_source.fetch(m_item, this, [this](const FetchAnswer& answer) {
        if (!answer)
            return finish(
                InstallResult::failure(Problem(Problem::Kind::downloadFailed).because(answer.error())));
        place(answer.value());
    });
}

void SkillInstall::place(const FetchedSkill& skill)
{
    // The fetched files wait here while the gate asks; nothing is fetched twice.
    inBackground<AuditReport>(
        [this, files = skill.files] { return SkillScanner::scan(m_name, files, true); },
        [this, skill](const AuditReport& audit) {
            AuditGate gate(m_workspace.context(),
                           m_options.acceptRisk ? AuditGate::answering(true) : m_options.consent);
            if (!gate.letsIn(audit))
                return finish(
                    {false, Problem(Problem::Kind::highRisk, {m_name}), {}, {}, gate.refused().constFirst()});
            placeInHub(skill);
        });
}

void SkillInstall::placeInHub(const FetchedSkill& skill)
{
    inBackground<Result<FolderDigest, InstallRefusal>>(
        [this, plan = m_plan->target, files = skill.files] {
            auto placed = HubInstaller::placeSkillFolder(plan, files, m_options.replaceChanged);
            // Kept by content, so a restore of this folder needs no network later.
            if (placed)
                if (Outcome kept = ContentCache().keep(placed.value().contentHash, files); !kept)
                    Log::line(u"Failed to keep a fetched folder in the cache: "_s + kept.error().description);
            return placed;
        },
        [this, skill](const Result<FolderDigest, InstallRefusal>& placed) {
            if (!placed)
                return refuse(placed.error());
            conclude(skill, placed.value());
        });
}

void SkillInstall::conclude(const FetchedSkill& skill, const FolderDigest& digest)
{
    const SkillProvenance provenance{m_name,
                                     skill.origin.source,
                                     skill.origin.repository,
                                     skill.origin.ref,
                                     skill.origin.path,
                                     skill.treeSha,
                                     digest.contentHash,
                                     digest.files,
                                     QDateTime::currentDateTimeUtc(),
                                     skill.commit,
                                     skill.committedAt};
    if (const Outcome saved = SkillProvenanceRecord::record(m_workspace.context(), provenance); !saved)
        Log::line(u"Failed to record where "_s + m_name + u" came from: "_s + saved.error().description);
    HubActions(m_workspace).rescan();

    // An update of a hub item says so; an install from a store hit, a new one or a reinstall,
    // names the hit as the store shows it.
    InstallResult result{true, std::nullopt, m_plan->target.folder, {}, {}};
    result.updated = m_replacing && m_options.isUpdate;
    result.name = result.updated ? m_name : m_item.name;
    result.commitUnknown = skill.commit.isEmpty();
    result.incomplete = skill.incomplete;
    result.skipped = skill.skipped;
    finish(result);
}

void SkillInstall::refuse(const InstallRefusal& refusal)
{
    if (!refusal.changesHere)
        return finish(InstallResult::failure(Problem(Problem::Kind::installFailed).because(refusal.problem)));
    finish({false, refusal.problem, {}, refusal.changesHere, {}});
}

void SkillInstall::finish(InstallResult result)
{
    m_plan.reset(); // the hub's scope closes before anyone hears of the end
    Q_EMIT finished(result);
    deleteLater();
}
