#include "audit/AuditGate.h"

#include "audit/CleanVerdicts.h"
#include "audit/SkillScanner.h"
#include "base/Log.h"
#include "model/AuditAcceptanceRecord.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

RiskConsent AuditGate::answering(bool accept)
{
    return [accept](const QList<AuditReport>&) {
        return accept;
    };
}

AuditGate::AuditGate(ModelContext& context, RiskConsent consent, bool acceptancesCount)
    : m_context(context)
    , m_consent(acceptancesCount ? std::move(consent) : RiskConsent())
    , m_acceptancesCount(acceptancesCount)
{}

void AuditGate::markAccepted(const ModelContext& context, AuditReport& report)
{
    const bool accepted = AuditAcceptanceRecord::isAccepted(context, report.item, report.contentHash);
    for (AuditFinding& finding : report.findings)
        finding.accepted = accepted;
}

Problem AuditGate::refusal(const AuditReport& report)
{
    QStringList found;
    for (const AuditFinding& finding : report.openHigh())
        found.append(finding.place() + u' ' + finding.rule);
    return {Problem::Kind::auditRefused, found};
}

QList<Problem> AuditGate::refusals(const QList<AuditReport>& refused)
{
    QList<Problem> problems;
    for (const AuditReport& report : refused)
        problems.append(Problem::concerning(report.item, refusal(report)));
    return problems;
}

bool AuditGate::letsIn(AuditReport report)
{
    if (m_acceptancesCount)
        markAccepted(m_context, report);
    QList<AuditReport> risks;
    if (report.hasOpenHigh())
        risks.append(std::move(report));
    return decide(std::move(risks));
}

bool AuditGate::letsPlace(const QStringList& hubItemPaths, bool strictly,
                          std::shared_ptr<const AuditRules> rules)
{
    if (strictly && m_acceptancesCount) {
        AuditGate strict(m_context, {}, false);
        const bool passed = strict.letsPlace(hubItemPaths, false, rules);
        m_refused = strict.refused();
        return passed;
    }
    if (!rules)
        rules = AuditRules::standard();
    CleanVerdicts verdicts;
    // Only what changed since it was found clean is read again.
    QList<std::pair<QString, QString>> items;
    QList<std::optional<QByteArray>> signatures;
    QList<std::optional<QByteArray>> current = verdicts.signaturesOf(hubItemPaths, *rules);
    for (qsizetype i = 0; i < hubItemPaths.size(); ++i) {
        if (current[i] && verdicts.isClean(*current[i]))
            continue;
        items.append({QFileInfo(hubItemPaths[i]).fileName(), hubItemPaths[i]});
        signatures.append(std::move(current[i]));
    }
    QList<AuditReport> risks;
    QList<Result<AuditReport>> reports = SkillScanner::scanPaths(items, *rules);
    for (qsizetype i = 0; i < reports.size(); ++i) {
        // An item that cannot be read is no risk the gate can name; placing it fails on its own.
        if (!reports[i])
            continue;
        AuditReport& report = reports[i].value();
        const bool anyHigh = std::any_of(report.findings.cbegin(), report.findings.cend(),
                                         [](const AuditFinding& f) { return f.level == AuditLevel::high; });
        if (!anyHigh && signatures[i])
            verdicts.remember(items[i].second, *signatures[i]);
        if (m_acceptancesCount)
            markAccepted(m_context, report);
        if (report.hasOpenHigh())
            risks.append(std::move(report));
    }
    if (const Outcome saved = verdicts.save(); !saved)
        Log::line(u"Failed to keep the audit's clean verdicts: "_s + saved.error().description);
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
