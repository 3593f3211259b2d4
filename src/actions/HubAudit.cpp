#include "actions/HubAudit.h"

#include "access/FileSystem.h"
#include "actions/BackgroundTask.h"
#include "actions/Workspace.h"
#include "audit/AuditGate.h"
#include "base/Log.h"
#include "model/AuditAcceptanceRecord.h"
#include "model/ModelContext.h"

using namespace Qt::StringLiterals;

HubAudit::HubAudit(Workspace& workspace)
    : QObject(&workspace)
    , m_workspace(workspace)
{
    connect(&workspace.changes(), &ChangeFeed::hubItemsChanged, this, &HubAudit::readAgain);
    connect(&workspace.changes(), &ChangeFeed::auditAcceptancesChanged, this, &HubAudit::markAgain);
    readAgain();
}

QList<Result<AuditReport>> HubAudit::audit(const QList<Skill>& items, const AuditRules& rules)
{
    QList<std::pair<QString, QString>> paths;
    for (const Skill& skill : items)
        paths.append({skill.fileName(), skill.path});
    QList<Result<AuditReport>> reports = SkillScanner::scanPaths(paths, rules);
    return reports;
}

QList<Result<AuditReport>> HubAudit::auditNow(const ModelContext& context, const QList<Skill>& items,
                                              const AuditRules& rules)
{
    QList<Result<AuditReport>> reports = audit(items, rules);
    for (auto& report : reports)
        if (report)
            AuditGate::markAccepted(context, report.value());
    return reports;
}

Outcome HubAudit::accept(ModelContext& context, const AuditReport& report)
{
    return AuditAcceptanceRecord::accept(context, report.item, report.contentHash);
}

Outcome HubAudit::withdraw(ModelContext& context, const QString& item)
{
    return AuditAcceptanceRecord::withdraw(context, item);
}

const AuditReport* HubAudit::report(const QString& item) const
{
    const auto found = m_reports.constFind(item);
    return found == m_reports.cend() ? nullptr : &found.value();
}

void HubAudit::readAgain()
{
    // A scan announces its start and its end: the items are read once it is over.
    if (m_workspace.hubCatalog().isScanning())
        return;
    // An item on its way into the hub (an import, an install, a plan) is read once it is whole.
    const QList<BackgroundTask*> running =
        m_workspace.findChildren<BackgroundTask*>(Qt::FindDirectChildrenOnly);
    if (!running.isEmpty()) {
        connect(running.first(), &BackgroundTask::ended, this, &HubAudit::readAgain,
                Qt::ConnectionType(Qt::UniqueConnection | Qt::QueuedConnection));
        return;
    }
    const quint64 reading = ++m_reading;
    const QList<Skill> items = m_workspace.hubCatalog().availableSkills();
    // The audit belongs to the workspace, which awaits its workers before it goes.
    m_workspace.runInBackground([this, reading, items] {
        QHash<QString, AuditReport> reports;
        const QList<Result<AuditReport>> audited = audit(items);
        for (qsizetype i = 0; i < items.size(); ++i) {
            // An item changed while it was read (moved, removed) is read once more; one that
            // is gone meanwhile has nothing to report, and its change brings a new reading.
            Result<AuditReport> report = audited[i] ? audited[i] : audit({items[i]}).constFirst();
            if (report)
                reports.insert(items[i].fileName(), report.value());
            else if (FileSystem::exists(items[i].path) || FileSystem::isSymbolicLink(items[i].path))
                Log::line(u"Failed to audit "_s + items[i].fileName() + u": "_s + report.error().description);
        }
        QMetaObject::invokeMethod(
            this,
            [this, reading, reports] {
                if (reading != m_reading)
                    return; // a later reading is under way
                m_reports = reports;
                markAgain();
            },
            Qt::QueuedConnection);
    });
}

void HubAudit::markAgain()
{
    for (AuditReport& report : m_reports)
        AuditGate::markAccepted(m_workspace.context(), report);
    Q_EMIT changed();
}
