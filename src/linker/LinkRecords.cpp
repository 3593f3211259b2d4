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

namespace {

// Removes every record that matches and saves; a failure is logged after `failure`.
bool removeRecordsWhere(ModelContext& context, const std::function<bool(const SkillLinkRecord&)>& matches,
                        const QString& failure)
{
    auto matching = context.fetch<SkillLinkRecord>(matches);
    if (!matching) {
        Log::line(failure + matching.error().description);
        return false;
    }
    for (SkillLinkRecord* record : matching.value())
        context.remove(record);
    if (const Outcome saved = context.save(); !saved) {
        Log::line(failure + saved.error().description);
        return false;
    }
    return true;
}

} // namespace

bool FileLinkerService::removeLinkRecord(const QUuid& targetAppID, const QString& itemName)
{
    if (!m_modelContext)
        return false;
    return removeRecordsWhere(
        *m_modelContext,
        [&](const SkillLinkRecord& record) {
            return record.targetAppID() == targetAppID && record.itemName() == itemName;
        },
        u"Failed to remove link record: "_s);
}

bool FileLinkerService::removeLinkRecords(const QUuid& targetAppID)
{
    if (!m_modelContext)
        return false;
    return removeRecordsWhere(
        *m_modelContext, [&](const SkillLinkRecord& record) { return record.targetAppID() == targetAppID; },
        u"Failed to remove link records: "_s);
}
