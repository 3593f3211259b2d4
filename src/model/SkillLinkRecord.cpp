#include "SkillLinkRecord.h"

using namespace Qt::StringLiterals;

const RecordSchema& SkillLinkRecord::schema()
{
    static const RecordSchema schema{u"skill_link_records"_s,
                                     {u"id"_s, u"target_app_id"_s, u"item_name"_s, u"created_at"_s}};
    return schema;
}

SkillLinkRecord::SkillLinkRecord(const QUuid& targetAppID, const QString& itemName)
    : m_targetAppID(targetAppID)
    , m_itemName(itemName)
{}

void SkillLinkRecord::setId(const QUuid& id)
{
    m_id = id;
    noteFieldChanged(u"id"_s);
}

void SkillLinkRecord::setTargetAppID(const QUuid& id)
{
    m_targetAppID = id;
    noteFieldChanged(u"target_app_id"_s);
}

void SkillLinkRecord::setItemName(const QString& name)
{
    m_itemName = name;
    noteFieldChanged(u"item_name"_s);
}

void SkillLinkRecord::setCreatedAt(const QDateTime& date)
{
    m_createdAt = date;
    noteFieldChanged(u"created_at"_s);
}

QVariantMap SkillLinkRecord::columnValues() const
{
    return {{u"id"_s, storedUuid(m_id)},
            {u"target_app_id"_s, storedUuid(m_targetAppID)},
            {u"item_name"_s, m_itemName},
            {u"created_at"_s, storedDate(m_createdAt)}};
}

void SkillLinkRecord::assignColumnValues(const QVariantMap& values)
{
    // Only the columns present are assigned: the context leaves out those changed here.
    if (values.contains(u"id"_s))
        setId(uuidFromStored(values[u"id"_s]));
    if (values.contains(u"target_app_id"_s))
        setTargetAppID(uuidFromStored(values[u"target_app_id"_s]));
    if (values.contains(u"item_name"_s))
        setItemName(values[u"item_name"_s].toString());
    if (values.contains(u"created_at"_s))
        setCreatedAt(dateFromStored(values[u"created_at"_s]));
}
