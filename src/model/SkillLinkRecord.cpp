#include "model/SkillLinkRecord.h"

using namespace Qt::StringLiterals;

const QList<Field<SkillLinkRecord>>& SkillLinkRecord::fields()
{
    using R = SkillLinkRecord;
    static const QList<Field<R>> fields{
        {Columns::id, [](const R& r) { return storedUuid(r.m_id); },
         [](R& r, const QVariant& v) {
             r.m_id = uuidFromStored(v);
         }},
        {Columns::targetAppID, [](const R& r) { return storedUuid(r.m_targetAppID); },
         [](R& r, const QVariant& v) {
             r.m_targetAppID = uuidFromStored(v);
         }},
        {Columns::itemName, [](const R& r) { return QVariant(r.m_itemName); },
         [](R& r, const QVariant& v) {
             r.m_itemName = v.toString();
         }},
        {Columns::createdAt, [](const R& r) { return storedDate(r.m_createdAt); },
         [](R& r, const QVariant& v) {
             r.m_createdAt = dateFromStored(v);
         }},
        {Columns::contentHash, [](const R& r) { return storedText(r.m_contentHash); },
         [](R& r, const QVariant& v) {
             r.m_contentHash = textFromStored(v);
         }},
    };
    return fields;
}

SkillLinkRecord::SkillLinkRecord(const QUuid& targetAppID, const QString& itemName)
    : m_targetAppID(targetAppID)
    , m_itemName(itemName)
{}

void SkillLinkRecord::setId(const QUuid& id)
{
    m_id = id;
    noteFieldChanged(Columns::id.name);
}

void SkillLinkRecord::setTargetAppID(const QUuid& id)
{
    m_targetAppID = id;
    noteFieldChanged(Columns::targetAppID.name);
}

void SkillLinkRecord::setItemName(const QString& name)
{
    m_itemName = name;
    noteFieldChanged(Columns::itemName.name);
}

void SkillLinkRecord::setCreatedAt(const QDateTime& date)
{
    m_createdAt = date;
    noteFieldChanged(Columns::createdAt.name);
}

void SkillLinkRecord::setContentHash(const std::optional<QString>& hash)
{
    m_contentHash = hash;
    noteFieldChanged(Columns::contentHash.name);
}
