// The records that remember which links the program made.
#include "FileLinkerService.h"

#include "Log.h"
#include "ModelContext.h"
#include "SkillLinkRecord.h"

using namespace Qt::StringLiterals;

bool FileLinkerService::upsertLinkRecord(const QUuid& targetAppID, const QString& itemName)
{
    if (!m_modelContext)
        return false;
    auto existing = m_modelContext->fetch<SkillLinkRecord>([&](const SkillLinkRecord& record) {
        return record.targetAppID() == targetAppID && record.itemName() == itemName;
    });
    if (!existing) {
        Log::line(u"Failed to upsert link record: "_s + existing.error().description);
        return false;
    }
    if (!existing->isEmpty())
        return true;
    m_modelContext->insert(new SkillLinkRecord(targetAppID, itemName));
    if (const Outcome saved = m_modelContext->save(); !saved) {
        Log::line(u"Failed to upsert link record: "_s + saved.error().description);
        return false;
    }
    return true;
}

bool FileLinkerService::removeLinkRecord(const QUuid& targetAppID, const QString& itemName)
{
    if (!m_modelContext)
        return false;
    auto matching = m_modelContext->fetch<SkillLinkRecord>([&](const SkillLinkRecord& record) {
        return record.targetAppID() == targetAppID && record.itemName() == itemName;
    });
    if (!matching) {
        Log::line(u"Failed to remove link record: "_s + matching.error().description);
        return false;
    }
    for (SkillLinkRecord* record : matching.value())
        m_modelContext->remove(record);
    if (const Outcome saved = m_modelContext->save(); !saved) {
        Log::line(u"Failed to remove link record: "_s + saved.error().description);
        return false;
    }
    return true;
}

bool FileLinkerService::removeLinkRecords(const QUuid& targetAppID)
{
    if (!m_modelContext)
        return false;
    auto matching = m_modelContext->fetch<SkillLinkRecord>(
        [&](const SkillLinkRecord& record) { return record.targetAppID() == targetAppID; });
    if (!matching) {
        Log::line(u"Failed to remove link records: "_s + matching.error().description);
        return false;
    }
    for (SkillLinkRecord* record : matching.value())
        m_modelContext->remove(record);
    if (const Outcome saved = m_modelContext->save(); !saved) {
        Log::line(u"Failed to remove link records: "_s + saved.error().description);
        return false;
    }
    return true;
}
