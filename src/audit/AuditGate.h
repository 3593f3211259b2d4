#pragma once

#include "audit/AuditFinding.h"
#include "base/Problem.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class AuditRules;

class ModelContext;

// Asked when something about to reach an assistant holds open findings of level high: the
// window answers with its sheet, the tool with --accept-risk. True accepts them.
using RiskConsent = std::function<bool(const QList<AuditReport>& risks)>;

// The one gate between the audit and an assistant. What is installed, updated, restored or
// imported passes it before it reaches the hub, and a hub item passes it again before it is
// placed into an app, however it got into the hub. Findings the user accepted at the same
// content pass; open findings of level high pass only when the consent says yes, and that
// acceptance is recorded at their content, so the user is asked once.
class AuditGate
{
public:
    // A consent that gives the same answer without asking: the tool's --accept-risk, or no.
    static RiskConsent answering(bool accept);

    // `acceptancesCount` false: a project's policy wants every high finding kept out, accepted
    // before or not, and asks nobody.
    AuditGate(ModelContext& context, RiskConsent consent, bool acceptancesCount = true);

    // A report of fetched files, before they reach the hub.
    bool letsIn(AuditReport report);
    // Hub items (their paths), audited now, before they are placed into an app.
    // `strictly`: as a project's policy that wants the audit passed: no acceptance counts, nobody is asked.
    // `rules`: a project's, with the standard ones; the standard ones when not given.
    bool letsPlace(const QStringList& hubItemPaths, bool strictly = false,
                   std::shared_ptr<const AuditRules> rules = {});
    // The reports with open findings of level high that were refused last; empty after a pass.
    const QList<AuditReport>& refused() const { return m_refused; }

    // Why an item was refused: its open high findings, each as "FILE:LINE RULE".
    static Problem refusal(const AuditReport& report);
    // One problem per refused item, concerning that item.
    static QList<Problem> refusals(const QList<AuditReport>& refused);
    // The item's findings at its content are marked accepted where the user accepted them.
    static void markAccepted(const ModelContext& context, AuditReport& report);

private:
    bool decide(QList<AuditReport> risks);

    ModelContext& m_context;
    RiskConsent m_consent;
    bool m_acceptancesCount = true;
    QList<AuditReport> m_refused;
};
