#include "model/AuditAcceptanceRecord.h"

#include "model/ModelContext.h"

const QList<Field<AuditAcceptanceRecord>>& AuditAcceptanceRecord::fields()
{
    using R = AuditAcceptanceRecord;
    static const QList<Field<R>> fields{
        {Columns::itemName, [](const R& r) { return QVariant(r.m_itemName); },
         [](R& r, const QVariant& v) {
             r.m_itemName = v.toString();
         }},
        {Columns::contentHash, [](const R& r) { return QVariant(r.m_contentHash); },
         [](R& r, const QVariant& v) {
             r.m_contentHash = v.toString();
         }},
        {Columns::acceptedAt, [](const R& r) { return storedDate(r.m_acceptedAt); },
         [](R& r, const QVariant& v) {
             r.m_acceptedAt = dateFromStored(v);
         }},
    };
    return fields;
}

AuditAcceptanceRecord::AuditAcceptanceRecord(QString itemName, QString contentHash)
    : m_itemName(std::move(itemName))
    , m_contentHash(std::move(contentHash))
{}

bool AuditAcceptanceRecord::isAccepted(const ModelContext& context, const QString& itemName,
                                       const QString& contentHash)
{
    const auto records = context.records<AuditAcceptanceRecord>();
    return std::any_of(records.cbegin(), records.cend(), [&](const AuditAcceptanceRecord* record) {
        return record->itemName() == itemName && record->contentHash() == contentHash;
    });
}

Outcome AuditAcceptanceRecord::accept(ModelContext& context, const QString& itemName,
                                      const QString& contentHash)
{
    for (AuditAcceptanceRecord* record : context.records<AuditAcceptanceRecord>())
        if (record->itemName() == itemName)
            context.remove(record);
    context.insert(new AuditAcceptanceRecord(itemName, contentHash));
    return context.save();
}

Outcome AuditAcceptanceRecord::withdraw(ModelContext& context, const QString& itemName)
{
    for (AuditAcceptanceRecord* record : context.records<AuditAcceptanceRecord>())
        if (record->itemName() == itemName)
            context.remove(record);
    return context.save();
}
