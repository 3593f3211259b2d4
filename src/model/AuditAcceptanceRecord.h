#pragma once

#include "base/Result.h"
#include "model/Record.h"

#include <QDateTime>
#include <QString>

// The user accepted the audit's findings of a hub item at this content: they no longer stop an
// install or fail the audit. Any change of the content opens them again.
class AuditAcceptanceRecord : public RecordOf<AuditAcceptanceRecord>
{
public:
    // Its table's columns, each named here once.
    struct Columns
    {
        static inline const Column itemName{QStringLiteral("item_name"), QStringLiteral("TEXT"), 7};
        static inline const Column contentHash{QStringLiteral("content_hash"), QStringLiteral("TEXT"), 7};
        static inline const Column acceptedAt{QStringLiteral("accepted_at"), QStringLiteral("INTEGER"), 7};
    };

    static constexpr RecordType type = RecordType::auditAcceptance;
    static inline const TableName table{QStringLiteral("audit_acceptances"), 7};
    static const QList<Field<AuditAcceptanceRecord>>& fields();

    AuditAcceptanceRecord(QString itemName, QString contentHash);

    const QString& itemName() const { return m_itemName; }
    const QString& contentHash() const { return m_contentHash; }
    const QDateTime& acceptedAt() const { return m_acceptedAt; }

    // Whether the item's findings at this content were accepted.
    static bool isAccepted(const ModelContext& context, const QString& itemName, const QString& contentHash);
    // Records the acceptance, replacing an earlier one of the item, and saves.
    static Outcome accept(ModelContext& context, const QString& itemName, const QString& contentHash);
    // Takes the item's acceptance back, and saves: its findings are open again.
    static Outcome withdraw(ModelContext& context, const QString& itemName);

private:
    QString m_itemName;
    QString m_contentHash;
    QDateTime m_acceptedAt = QDateTime::currentDateTimeUtc();
};
