#include "audit/AuditGate.h"

#include "audit/SkillScanner.h"
#include "base/Log.h"
#include "model/AuditAcceptanceRecord.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace Qt::StringLiterals;

RiskConsent AuditGate::answering(bool accept)
{
    return [accept](const QList<AuditReport>&) {
        return accept;
    };
}

AuditGate::AuditGate(ModelContext& context, RiskConsent consent)
    : m_context(context)
    , m_consent(std::move(consent))
{}

void AuditGate::markAccepted(const ModelContext& context, AuditReport& report)
{
    const bool accepted = AuditAcceptanceRecord::isAccepted(context, report.item, report.contentHash);
    for (AuditFinding& finding : report.findings)
        finding.accepted = accepted;
}

QStringList AuditGate::refusalLines(const QList<AuditReport>& refused)
{
    QStringList lines;
    for (const AuditReport& report : refused) {
        QStringList found;
        for (const AuditFinding& finding : report.openHigh())
            found.append(finding.place() + u' ' + finding.rule);
        lines.append(report.item + u": "_s +
                     QCoreApplication::translate("AuditGate", "Die Prüfung fand ein hohes Risiko (%1)")
                         .arg(found.join(u", "_s)));
    }
    return lines;
}

bool AuditGate::letsIn(AuditReport report)
{
    markAccepted(m_context, report);
    QList<AuditReport> risks;
    if (report.hasOpenHigh())
        risks.append(std::move(report));
    return decide(std::move(risks));
}

bool AuditGate::letsPlace(const QStringList& hubItemPaths)
{
    QList<AuditReport> risks;
    for (const QString& path : hubItemPaths) {
        // An item that cannot be read is no risk the gate can name; placing it fails on its own.
        auto report = SkillScanner::scanPath(QFileInfo(path).fileName(), path);
        if (!report)
            continue;
        markAccepted(m_context, report.value());
        if (report->hasOpenHigh())
            risks.append(std::move(report).value());
    }
    return decide(std::move(risks));
}

bool AuditGate::decide(QList<AuditReport> risks)
{
    m_refused.clear();
    if (risks.isEmpty())
        return true;
    if (!m_consent || !m_consent(risks)) {
        m_refused = std::move(risks);
        return false;
    }
    for (const AuditReport& report : std::as_const(risks))
        if (const Outcome accepted =
                AuditAcceptanceRecord::accept(m_context, report.item, report.contentHash);
            !accepted)
            Log::line(u"Failed to record the acceptance of "_s + report.item + u": "_s +
                      accepted.error().description);
    return true;
}
