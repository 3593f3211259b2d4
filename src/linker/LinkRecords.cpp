#include "linker/LinkRecords.h"

#include "base/Log.h"
#include "model/ModelContext.h"
#include "model/SkillLinkRecord.h"

using namespace Qt::StringLiterals;

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

LinkRecords::LinkRecords(ModelContext& context)
    : m_context(context)
{}

bool LinkRecords::upsert(const QUuid& targetAppID, const QString& itemName)
{
    auto existing = m_context.fetch<SkillLinkRecord>([&](const SkillLinkRecord& record) {
        return record.targetAppID() == targetAppID && record.itemName() == itemName;
    });
    if (!existing) {
        Log::line(u"Failed to upsert link record: "_s + existing.error().description);
        return false;
    }
    if (!existing->isEmpty())
        return true;
    m_context.insert(new SkillLinkRecord(targetAppID, itemName));
    if (const Outcome saved = m_context.save(); !saved) {
        Log::line(u"Failed to upsert link record: "_s + saved.error().description);
        return false;
    }
    return true;
}

bool LinkRecords::change(const QUuid& targetAppID, const QStringList& added, const QStringList& removed)
{
    QSet<QString> recorded;
    const QSet<QString> gone(removed.cbegin(), removed.cend());
    for (SkillLinkRecord* record : m_context.records<SkillLinkRecord>()) {
        if (record->targetAppID() != targetAppID)
            continue;
        if (gone.contains(record->itemName()))
            m_context.remove(record);
        else
            recorded.insert(record->itemName());
    }
    for (const QString& name : added)
        if (!recorded.contains(name)) {
            m_context.insert(new SkillLinkRecord(targetAppID, name));
            recorded.insert(name);
        }
    if (const Outcome saved = m_context.save(); !saved) {
        Log::line(u"Failed to change link records: "_s + saved.error().description);
        return false;
    }
    return true;
}

bool LinkRecords::remove(const QUuid& targetAppID, const QString& itemName)
{
    return removeRecordsWhere(
        m_context,
        [&](const SkillLinkRecord& record) {
            return record.targetAppID() == targetAppID && record.itemName() == itemName;
        },
        u"Failed to remove link record: "_s);
}

bool LinkRecords::removeAll(const QUuid& targetAppID)
{
    return removeRecordsWhere(
        m_context, [&](const SkillLinkRecord& record) { return record.targetAppID() == targetAppID; },
        u"Failed to remove link records: "_s);
}
