#include "model/SkillLinkRecord.h"

using namespace Qt::StringLiterals;

const RecordSchema& SkillLinkRecord::schema()
{
    static const RecordSchema schema{
        u"skill_link_records"_s,
        {Columns::id, Columns::targetAppID, Columns::itemName, Columns::createdAt, Columns::contentHash}};
    return schema;
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

QVariantList SkillLinkRecord::columnValues() const
{
    return {storedUuid(m_id), storedUuid(m_targetAppID), m_itemName, storedDate(m_createdAt),
            m_contentHash ? QVariant(*m_contentHash) : QVariant()};
}

void SkillLinkRecord::assignColumnValues(const QVariantMap& values)
{
    // Only the columns present are assigned: the context leaves out those changed here.
    if (values.contains(Columns::id.name))
        setId(uuidFromStored(values[Columns::id.name]));
    if (values.contains(Columns::targetAppID.name))
        setTargetAppID(uuidFromStored(values[Columns::targetAppID.name]));
    if (values.contains(Columns::itemName.name))
        setItemName(values[Columns::itemName.name].toString());
    if (values.contains(Columns::createdAt.name))
        setCreatedAt(dateFromStored(values[Columns::createdAt.name]));
    if (values.contains(Columns::contentHash.name)) {
        const QVariant hash = values[Columns::contentHash.name];
        setContentHash(hash.isNull() ? std::nullopt : std::optional(hash.toString()));
    }
}
