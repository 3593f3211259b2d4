#include "actions/HubAudit.h"

#include "actions/Workspace.h"
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

QList<Result<AuditReport>> HubAudit::audit(const QList<Skill>& items)
{
    QList<Result<AuditReport>> reports;
    for (const Skill& skill : items)
        reports.append(SkillAudit::auditPath(skill.fileName(), skill.path));
    return reports;
}

QList<Result<AuditReport>> HubAudit::auditNow(const ModelContext& context, const QList<Skill>& items)
{
    QList<Result<AuditReport>> reports = audit(items);
    for (auto& report : reports)
        if (report)
            markAccepted(context, report.value());
    return reports;
}

void HubAudit::markAccepted(const ModelContext& context, AuditReport& report)
{
    const bool accepted = AuditAcceptanceRecord::isAccepted(context, report.item, report.contentHash);
    for (AuditFinding& finding : report.findings)
        finding.accepted = accepted;
}

Outcome HubAudit::accept(ModelContext& context, const AuditReport& report)
{
    return AuditAcceptanceRecord::accept(context, report.item, report.contentHash);
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
    const quint64 reading = ++m_reading;
    const QList<Skill> items = m_workspace.hubCatalog().availableSkills();
    // The audit belongs to the workspace, which awaits its workers before it goes.
    m_workspace.runInBackground([this, reading, items] {
        QHash<QString, AuditReport> reports;
        const QList<Result<AuditReport>> audited = audit(items);
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (audited[i])
                reports.insert(items[i].fileName(), audited[i].value());
            else
                Log::line(u"Failed to audit "_s + items[i].fileName() + u": "_s +
                          audited[i].error().description);
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
        markAccepted(m_workspace.context(), report);
    Q_EMIT changed();
}
