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

ColumnValue ofApp(const QUuid& targetAppID)
{
    return {SkillLinkRecord::Columns::targetAppID, targetAppID.toString(QUuid::WithoutBraces)};
}

// The records of one app: only these rows are read while the others are not needed.
QList<SkillLinkRecord*> recordsOf(const ModelContext& context, const QUuid& targetAppID)
{
    return context.recordsWhere<SkillLinkRecord>({ofApp(targetAppID)}, [&](const SkillLinkRecord& record) {
        return record.targetAppID() == targetAppID;
    });
}

// The app's records of the named items. A few names are looked up one by one, so linking
// one item reads one row; many are read with the app's rows at once.
QList<SkillLinkRecord*> recordsNamed(const ModelContext& context, const QUuid& targetAppID,
                                     const QSet<QString>& names)
{
    constexpr qsizetype fewNames = 16;
    if (names.size() > fewNames)
        return recordsOf(context, targetAppID);
    QList<SkillLinkRecord*> named;
    for (const QString& name : names)
        named += context.recordsWhere<SkillLinkRecord>(
            {ofApp(targetAppID), {SkillLinkRecord::Columns::itemName, name}},
            [&](const SkillLinkRecord& record) {
                return record.targetAppID() == targetAppID && record.itemName() == name;
            });
    return named;
}

} // namespace

LinkRecords::LinkRecords(ModelContext& context)
    : m_context(context)
{}

bool LinkRecords::upsert(const QUuid& targetAppID, const QString& itemName,
                         const std::optional<QString>& contentHash)
{
    return apply({{targetAppID, {{itemName, contentHash}}, {}}}, u"Failed to upsert link record: "_s);
}

bool LinkRecords::change(const QUuid& targetAppID, const QList<PlacedItem>& added, const QStringList& removed)
{
    return change({{targetAppID, added, removed}});
}

bool LinkRecords::change(const QList<AppRecordChange>& changes)
{
    return apply(changes, u"Failed to change link records: "_s);
}

bool LinkRecords::apply(const QList<AppRecordChange>& changes, const QString& failureLine)
{
    // The records concerned, by app and name: for one app only those named; for many, every
    // record is looked at once rather than once per app.
    QList<SkillLinkRecord*> concerned;
    if (changes.size() == 1) {
        QSet<QString> names(changes[0].removed.cbegin(), changes[0].removed.cend());
        for (const PlacedItem& item : changes[0].added)
            names.insert(item.name);
        concerned = recordsNamed(m_context, changes[0].targetAppID, names);
    } else if (changes.size() > 1) {
        concerned = m_context.records<SkillLinkRecord>();
    }
    QHash<QUuid, QMultiHash<QString, SkillLinkRecord*>> recorded;
    for (const AppRecordChange& change : changes)
        recorded.insert(change.targetAppID, {});
    for (SkillLinkRecord* record : std::as_const(concerned))
        if (const auto app = recorded.find(record->targetAppID()); app != recorded.end())
            app->insert(record->itemName(), record);

    for (const AppRecordChange& change : changes) {
        QMultiHash<QString, SkillLinkRecord*>& ofApp = recorded[change.targetAppID];
        for (const QString& name : change.removed) {
            for (SkillLinkRecord* record : ofApp.values(name))
                m_context.remove(record);
            ofApp.remove(name);
        }
        for (const PlacedItem& item : change.added) {
            SkillLinkRecord* record = ofApp.value(item.name);
            if (!record) {
                record = new SkillLinkRecord(change.targetAppID, item.name);
                m_context.insert(record);
                ofApp.insert(item.name, record);
            }
            if (record->contentHash() != item.contentHash)
                record->setContentHash(item.contentHash);
        }
    }
    if (const Outcome saved = m_context.save(); !saved) {
        Log::line(failureLine + saved.error().description);
        return false;
    }
    for (const AppRecordChange& change : changes)
        announce(change.targetAppID);
    return true;
}

RecordedItems LinkRecords::recordedIn(const ModelContext& context, const QUuid& targetAppID)
{
    RecordedItems recorded;
    // Two columns of the stored rows serve, without records, while none are held.
    if (const auto stored = context.storedColumnsWhere(
            SkillLinkRecord::type,
            {SkillLinkRecord::Columns::itemName, SkillLinkRecord::Columns::contentHash},
            {ofApp(targetAppID)})) {
        for (const QVariantList& row : *stored)
            recorded.insert(row[0].toString(),
                            row[1].isNull() ? std::nullopt : std::optional(row[1].toString()));
        return recorded;
    }
    for (const SkillLinkRecord* record : recordsOf(context, targetAppID))
        recorded.insert(record->itemName(), record->contentHash());
    return recorded;
}

QHash<QUuid, RecordedItems> LinkRecords::recordedByApp(const ModelContext& context, const QSet<QUuid>& apps)
{
    QHash<QUuid, RecordedItems> recorded;
    for (const SkillLinkRecord* record : context.records<SkillLinkRecord>())
        if (apps.contains(record->targetAppID()))
            recorded[record->targetAppID()].insert(record->itemName(), record->contentHash());
    return recorded;
}

bool LinkRecords::remove(const QUuid& targetAppID, const QString& itemName)
{
    const bool removed = removeRecordsWhere(
        m_context,
        [&](const SkillLinkRecord& record) {
            return record.targetAppID() == targetAppID && record.itemName() == itemName;
        },
        u"Failed to remove link record: "_s);
    if (removed)
        announce(targetAppID);
    return removed;
}

bool LinkRecords::removeAll(const QUuid& targetAppID)
{
    const bool removed = removeRecordsWhere(
        m_context, [&](const SkillLinkRecord& record) { return record.targetAppID() == targetAppID; },
        u"Failed to remove link records: "_s);
    if (removed)
        announce(targetAppID);
    return removed;
}
