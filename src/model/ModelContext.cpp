#include "model/ModelContext.h"

#include "base/Log.h"

#include "model/RecordTypes.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const RecordSchema& schemaOf(RecordType type)
{
    return recordTypeEntry(type).schema();
}

const QList<RecordType>& allTypes()
{
    static const QList<RecordType> types = [] {
        QList<RecordType> listed;
        for (const RecordTypeEntry& entry : recordTypes())
            listed.append(entry.type);
        return listed;
    }();
    return types;
}

// SQLite hands NULL back without the type the program wrote it with.
bool sameStoredValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

} // namespace

Result<std::unique_ptr<ModelContext>> ModelContext::open(const QString& filePath, Loading loading)
{
    // The window reads every record at once and checks every page with them; a command
    // checks them only before it writes.
    auto store = ModelStore::open(filePath, loading == Loading::everything
                                                ? ModelStore::Verification::atOpen
                                                : ModelStore::Verification::beforeFirstWrite);
    if (!store)
        return store.error();
    std::unique_ptr<ModelContext> context(new ModelContext(std::move(store).value()));
    if (loading == Loading::onDemand)
        return context;
    context->m_loadedTypes = QSet<RecordType>(allTypes().cbegin(), allTypes().cend());
    if (Outcome loaded = context->refresh(); !loaded)
        return loaded.error();
    return context;
}

Outcome ModelContext::load(RecordType type) const
{
    if (m_loadedTypes.contains(type))
        return {};
    auto& self = const_cast<ModelContext&>(*this); // see the declaration
    auto snapshot = m_store->readSnapshot({&schemaOf(type)});
    if (!snapshot)
        return snapshot.error();
    self.m_loadedTypes.insert(type);
    // Every record must be of one revision: when the file moved on since the other types
    // were read, they are read again with this one.
    if (m_seenRevision && snapshot->revision != *m_seenRevision)
        return self.refresh();
    // No announcement: nobody has seen records of this type yet, so none changed.
    self.takeInRows(type, snapshot->rowsByTable.begin()->second, nullptr);
    self.m_seenRevision = snapshot->revision;
    return {};
}

std::optional<QList<QVariantList>> ModelContext::storedColumnsWhere(RecordType type,
                                                                    const QList<Column>& wanted,
                                                                    const RowCondition& where) const
{
    if (m_loadedTypes.contains(type) || m_pendingRemovalsOfAll.contains(type))
        return std::nullopt;
    const auto isOfType = [&](const Record* record) {
        return record->recordType() == type;
    };
    if (std::ranges::any_of(m_records, isOfType) || std::ranges::any_of(m_pendingRemovals, isOfType))
        return std::nullopt;
    auto rows = m_store->readColumnsWhere(schemaOf(type), wanted, where);
    if (!rows) {
        Log::line(u"Cannot read the store: "_s + rows.error().description);
        return QList<QVariantList>();
    }
    return std::move(rows).value();
}

void ModelContext::loadWhere(RecordType type, const RowCondition& where) const
{
    auto rows = m_store->readWhere(schemaOf(type), where);
    if (!rows) {
        Log::line(u"Cannot read the store: "_s + rows.error().description);
        return;
    }
    auto& self = const_cast<ModelContext&>(*this); // see load()
    QSet<QString> held;
    for (const Record* record : std::as_const(m_records))
        if (record->recordType() == type)
            held.insert(record->storeKey());
    for (const Record* record : std::as_const(m_pendingRemovals))
        held.insert(record->storeKey());
    for (const StoredRow& row : rows.value()) {
        if (held.contains(row.storeKey) || m_pendingRemovalsOfAll.contains(type))
            continue;
        Record* record = makeStoredRecord(type, row);
        self.adopt(record);
        self.m_records.append(record);
    }
}

void ModelContext::loadForLooking(RecordType type) const
{
    if (Outcome loaded = load(type); !loaded)
        Log::line(u"Cannot read the store: "_s + loaded.error().description);
}

ModelContext::ModelContext(std::unique_ptr<ModelStore> store)
    : m_store(std::move(store))
{
    m_retirement.setInterval(0);
    connect(&m_retirement, &QTimer::timeout, this, &ModelContext::deleteRetiredSlice);
}

ModelContext::~ModelContext()
{
    for (Record* record : std::as_const(m_records))
        record->m_context = nullptr;
    for (Record* record : std::as_const(m_pendingRemovals))
        record->m_context = nullptr;
    qDeleteAll(m_records);
    qDeleteAll(m_pendingRemovals);
    qDeleteAll(m_retired);
}

// Records are owned without being QObject children: taking tens of thousands out of
// one parent's child list, as a backup import does, costs quadratic time.
void ModelContext::adopt(Record* record)
{
    Q_ASSERT(!record->parent());
    record->m_context = this;
}

void ModelContext::insert(Record* record)
{
    Q_ASSERT(record);
    // A record of this context is live unless it waits for removal; checked without a
    // search through all records, which made inserting thousands quadratic.
    if (record->m_context == this) {
        // Taken back before the save: it stays what it was, a stored row.
        if (m_pendingRemovals.removeOne(record)) {
            m_records.append(record);
            if (!record->m_changedColumns.isEmpty())
                m_recordsWithChanges.insert(record);
            announce(record->recordType());
        }
        return;
    }
    adopt(record);
    m_records.append(record);
    m_pendingInserts.insert(record);
    m_insertOrder.append(record);
    announce(record->recordType());
}

void ModelContext::remove(Record* record)
{
    Q_ASSERT(record);
    if (!m_records.removeOne(record))
        return;
    m_recordsWithChanges.remove(record);
    if (m_pendingInserts.remove(record)) {
        // Never stored: nothing to delete at the next save.
        retire(record);
    } else {
        m_pendingRemovals.append(record);
    }
    announce(record->recordType());
}

void ModelContext::removeAll(RecordType type)
{
    for (Record* record : std::as_const(m_records)) {
        if (record->recordType() != type)
            continue;
        m_recordsWithChanges.remove(record);
        if (m_pendingInserts.remove(record))
            retire(record);
        else
            m_pendingRemovals.append(record); // back in place on a rollback
    }
    m_records.removeIf([type](const Record* record) { return record->recordType() == type; });
    m_pendingRemovalsOfAll.insert(type);
    m_loadedTypes.insert(type); // there is nothing left to read
    announce(type);
}

bool ModelContext::hasChanges() const
{
    return !m_pendingInserts.isEmpty() || !m_pendingRemovals.isEmpty() || !m_pendingRemovalsOfAll.isEmpty() ||
           !m_recordsWithChanges.isEmpty();
}

QList<RowChange> ModelContext::pendingChanges() const
{
    QList<RowChange> changes;
    changes.reserve(m_pendingRemovals.size() + m_pendingInserts.size() + m_recordsWithChanges.size() + 8);
    for (RecordType type : allTypes()) {
        if (m_pendingRemovalsOfAll.contains(type))
            changes.append({RowChange::Kind::removeAll, &schemaOf(type), {}, {}, {}});
    }
    for (const Record* record : m_pendingRemovals) {
        if (!m_pendingRemovalsOfAll.contains(record->recordType()))
            changes.append(
                {RowChange::Kind::remove, &schemaOf(record->recordType()), record->storeKey(), {}, {}});
    }
    QSet<const Record*> written;
    written.reserve(m_pendingInserts.size());
    for (const Record* record : m_insertOrder) {
        if (m_pendingInserts.contains(record) && !written.contains(record)) {
            written.insert(record);
            changes.append({RowChange::Kind::insert,
                            &schemaOf(record->recordType()),
                            record->storeKey(),
                            record->columnValues(),
                            {}});
        }
    }
    for (const Record* record : m_recordsWithChanges) {
        if (written.contains(record))
            continue; // its insert writes every column
        // Only the changed columns: another process may have saved the others since.
        const RecordSchema& schema = schemaOf(record->recordType());
        const QVariantList all = record->columnValues();
        RowChange update{RowChange::Kind::update, &schema, record->storeKey(), {}, {}};
        for (qsizetype column = 0; column < schema.columns.size(); ++column)
            if (record->m_changedColumns.contains(schema.columns[column].name)) {
                update.values.append(all[column]);
                update.changedColumns.append(column);
            }
        changes.append(update);
    }
    return changes;
}

Outcome ModelContext::save()
{
    const QList<RowChange> changes = pendingChanges();
    if (changes.isEmpty())
        return {};
    const auto revision = m_store->apply(changes);
    if (!revision)
        return revision.error();
    // Only when nobody else committed in between are this context's rows the file's rows.
    if (m_seenRevision && revision.value() == *m_seenRevision + 1)
        m_seenRevision = revision.value();
    m_lastReplacement.reset();
    if (!m_pendingRemovalsOfAll.isEmpty())
        m_lastReplacement = Replacement{revision.value(), m_pendingRemovalsOfAll};

    m_pendingInserts.clear();
    m_insertOrder.clear();
    for (Record* record : std::exchange(m_recordsWithChanges, {}))
        record->m_changedColumns.clear();
    for (Record* record : std::as_const(m_pendingRemovals))
        retire(record);
    m_pendingRemovals.clear();
    m_pendingRemovalsOfAll.clear();
    return {};
}

Outcome ModelContext::rollback()
{
    for (Record* record : std::exchange(m_recordsWithChanges, {}))
        record->m_changedColumns.clear();
    for (Record* record : std::as_const(m_records)) {
        if (m_pendingInserts.contains(record))
            retire(record);
    }
    m_records.removeIf([this](const Record* record) { return m_pendingInserts.contains(record); });
    m_pendingInserts.clear();
    m_insertOrder.clear();
    m_records.append(m_pendingRemovals);
    m_pendingRemovals.clear();
    m_pendingRemovalsOfAll.clear();
    // Reading the file again puts the stored values back and announces every type.
    const AnnouncementBatch batch(*this);
    for (RecordType type : allTypes())
        m_typesChangedInBatch.insert(type);
    return refresh();
}

void ModelContext::noteRecordChanged(Record& record)
{
    if (!record.m_changedColumns.isEmpty())
        m_recordsWithChanges.insert(&record);
    announce(record.recordType());
}

void ModelContext::announce(RecordType type)
{
    if (m_batchDepth > 0)
        m_typesChangedInBatch.insert(type);
    else
        Q_EMIT recordsChanged(type);
}

ModelContext::AnnouncementBatch::AnnouncementBatch(ModelContext& context)
    : m_context(context)
    , m_changedBefore(context.m_typesChangedInBatch)
{
    ++m_context.m_batchDepth;
}

void ModelContext::AnnouncementBatch::discard()
{
    m_context.m_typesChangedInBatch = m_changedBefore;
}

ModelContext::AnnouncementBatch::~AnnouncementBatch()
{
    m_context.endAnnouncementBatch();
}

void ModelContext::endAnnouncementBatch()
{
    if (--m_batchDepth > 0)
        return;
    const QSet<RecordType> changedTypes = std::exchange(m_typesChangedInBatch, {});
    for (RecordType type : allTypes()) {
        if (changedTypes.contains(type))
            Q_EMIT recordsChanged(type);
    }
}

void ModelContext::retire(Record* record)
{
    m_recordsWithChanges.remove(record);
    record->m_context = nullptr;
    m_retired.append(record);
    if (!m_retirement.isActive())
        m_retirement.start();
}

void ModelContext::deleteRetiredSlice()
{
    constexpr qsizetype sliceSize = 2000;
    const qsizetype count = std::min(sliceSize, m_retired.size());
    for (qsizetype i = 0; i < count; ++i)
        delete m_retired[i];
    m_retired.remove(0, count);
    if (m_retired.isEmpty())
        m_retirement.stop();
}

ModelContext::RefreshDeferral::RefreshDeferral(ModelContext& context)
    : m_context(context)
{
    ++m_context.m_refreshDeferrals;
}

ModelContext::RefreshDeferral::~RefreshDeferral()
{
    --m_context.m_refreshDeferrals;
}

Outcome ModelContext::refreshIfStoreChanged()
{
    if (m_refreshDeferrals > 0)
        return {};
    auto revision = m_store->revision();
    if (!revision)
        return revision.error();
    if (m_seenRevision == revision.value())
        return {};
    return refresh();
}

const QString& ModelContext::storeFilePath() const
{
    return m_store->filePath();
}

Outcome ModelContext::refresh()
{
    QList<const RecordSchema*> tables;
    for (RecordType type : allTypes()) {
        if (m_loadedTypes.contains(type))
            tables.append(&schemaOf(type));
    }
    auto snapshot = m_store->readSnapshot(tables);
    if (!snapshot)
        return snapshot.error();
    m_seenRevision.reset(); // whatever was seen, these rows are the file's now
    takeIn(snapshot.value());
    return {};
}

void ModelContext::takeIn(const StoreSnapshot& snapshot)
{
    takeIn(snapshot, nullptr);
}

ModelContext::PreparedSnapshot::~PreparedSnapshot()
{
    qDeleteAll(m_records);
}

std::shared_ptr<ModelContext::PreparedSnapshot> ModelContext::handOverReplacedTypes(QThread* contextThread)
{
    std::shared_ptr<PreparedSnapshot> prepared(new PreparedSnapshot);
    if (!m_lastReplacement || hasChanges())
        return prepared; // revision 0: older than anything, so taking it in changes nothing
    // The save deleted every row of these types and wrote these records: at its revision
    // they are the tables' whole content. The rows carry no values, as their records hold
    // them and the keys are new to every other context.
    const Replacement replaced = *std::exchange(m_lastReplacement, std::nullopt);
    const QSet<RecordType>& types = replaced.types;
    prepared->m_snapshot.revision = replaced.revision;
    for (RecordType type : types)
        prepared->m_snapshot.rowsByTable[schemaOf(type).table];
    for (Record* record : std::as_const(m_records)) {
        if (!types.contains(record->recordType()))
            continue;
        prepared->m_snapshot.rowsByTable[schemaOf(record->recordType()).table].append(
            {record->storeKey(), {}});
        record->m_context = nullptr;
        record->moveToThread(contextThread);
        prepared->m_records.insert(record->storeKey(), record);
    }
    m_records.removeIf([&](const Record* record) { return types.contains(record->recordType()); });
    for (RecordType type : types)
        m_loadedTypes.remove(type);
    return prepared;
}

void ModelContext::takeIn(PreparedSnapshot& prepared)
{
    takeIn(prepared.m_snapshot, &prepared.m_records);
    // Rows this context already had, or had removed: their records are not needed.
    qDeleteAll(std::exchange(prepared.m_records, {}));
}

void ModelContext::takeIn(const StoreSnapshot& snapshot, QHash<QString, Record*>* prepared)
{
    if (m_seenRevision && snapshot.revision < *m_seenRevision)
        return;
    const AnnouncementBatch batch(*this);
    for (RecordType type : allTypes()) {
        // A snapshot of some tables says nothing about the others.
        const auto rows = snapshot.rowsByTable.find(schemaOf(type).table);
        if (rows == snapshot.rowsByTable.end())
            continue;
        m_loadedTypes.insert(type);
        if (takeInRows(type, rows->second, prepared))
            m_typesChangedInBatch.insert(type);
    }
    // Some tables are all of the file only when no other commit came between.
    const bool whole = std::ranges::all_of(
        allTypes(), [&](RecordType type) { return snapshot.rowsByTable.contains(schemaOf(type).table); });
    if (whole || (m_seenRevision && snapshot.revision == *m_seenRevision + 1))
        m_seenRevision = snapshot.revision;
}

Record* ModelContext::makeStoredRecord(RecordType type, const StoredRow& row)
{
    Record* record = recordTypeEntry(type).makeBlank();
    record->m_storeKey = row.storeKey;
    record->m_assigningStoredValues = true;
    record->assignColumnValues(row.values);
    record->m_assigningStoredValues = false;
    return record;
}

// Returns whether any record of the type was added, changed or deleted.
bool ModelContext::takeInRows(RecordType type, const QList<StoredRow>& storedRows,
                              QHash<QString, Record*>* prepared)
{
    bool changed = false;
    // Rows that the next save deletes wholesale are as good as gone already.
    static const QList<StoredRow> noRows;
    const QList<StoredRow>& rows = m_pendingRemovalsOfAll.contains(type) ? noRows : storedRows;

    QHash<QString, Record*> known;
    for (Record* record : std::as_const(m_records)) {
        if (record->recordType() == type)
            known.insert(record->storeKey(), record);
    }
    QSet<QString> removedHere;
    for (const Record* record : std::as_const(m_pendingRemovals))
        removedHere.insert(record->storeKey());

    QList<Record*> stored; // this type's records in store order
    for (const StoredRow& row : rows) {
        if (removedHere.contains(row.storeKey))
            continue;
        Record* record = known.take(row.storeKey);
        if (!record) {
            record = prepared ? prepared->take(row.storeKey) : nullptr;
            if (!record)
                record = makeStoredRecord(type, row);
            adopt(record);
            stored.append(record);
            changed = true;
            continue;
        }
        QVariantMap outsideChanges;
        const QList<Column>& columns = schemaOf(type).columns;
        const QVariantList current = record->columnValues();
        for (qsizetype column = 0; column < columns.size(); ++column) {
            const QString& name = columns[column].name;
            const auto value = row.values.constFind(name);
            if (value != row.values.cend() && !record->m_changedColumns.contains(name) &&
                !sameStoredValue(current[column], *value))
                outsideChanges.insert(name, *value);
        }
        if (!outsideChanges.isEmpty()) {
            record->m_assigningStoredValues = true;
            record->assignColumnValues(outsideChanges);
            record->m_assigningStoredValues = false;
            changed = true;
        }
        stored.append(record);
    }

    // What is left of the known records was saved once and has since been deleted elsewhere.
    for (Record* record : std::as_const(known)) {
        if (m_pendingInserts.contains(record))
            continue;
        retire(record);
        changed = true;
    }

    QList<Record*> reordered;
    for (Record* record : std::as_const(m_records)) {
        if (record->recordType() != type)
            reordered.append(record);
    }
    reordered.append(stored);
    for (Record* record : std::as_const(m_records)) {
        if (record->recordType() == type && m_pendingInserts.contains(record))
            reordered.append(record);
    }
    m_records = reordered;
    return changed;
}
