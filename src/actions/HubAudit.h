#pragma once

#include "audit/SkillScanner.h"
#include "base/Result.h"
#include "model/Skill.h"

#include <QHash>
#include <QList>
#include <QObject>

class ModelContext;
class Workspace;

// The audit of the hub's items with what the user accepted, for the tool and the window: the
// tool audits and waits; the window keeps every item's report, read again on a worker when
// the hub's items change, so the hub list and the detail pane show open risks.
class HubAudit : public QObject
{
    Q_OBJECT

public:
    // Keeps the reports current from now on; a child of the workspace.
    explicit HubAudit(Workspace& workspace);

    // Audits the items on this thread, with what the user accepted marked; for the tool.
    static QList<Result<AuditReport>> auditNow(const ModelContext& context, const QList<Skill>& items,
                                               const AuditRules& rules = *AuditRules::standard());
    // Accepts the item's findings at the content reported, and saves.
    static Outcome accept(ModelContext& context, const AuditReport& report);
    // Takes the acceptance of the item's findings back, and saves.
    static Outcome withdraw(ModelContext& context, const QString& item);

    // As of the last reading; nothing before it, or for an item that could not be read.
    const AuditReport* report(const QString& item) const;

Q_SIGNALS:
    // Reports were read again, or an acceptance changed what is open.
    void changed();

private:
    // Audits the items on any thread, without what the user accepted, which lives in the store.
    static QList<Result<AuditReport>> audit(const QList<Skill>& items,
                                            const AuditRules& rules = *AuditRules::standard());
    void readAgain();
    void markAgain();

    Workspace& m_workspace;
    QHash<QString, AuditReport> m_reports; // by item
    quint64 m_reading = 0;                 // only the latest reading's reports are taken
};
