#pragma once

#include "base/Result.h"
#include "model/ModelStore.h"
#include "model/Record.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

// The records of the store as the program works with them. An insert is visible to
// fetches at once; save() makes every pending insert, delete and field change durable in
// one transaction, and a failed save keeps them pending. Changes another process saved
// are taken in by refresh(), and by every fetch, without losing this context's own.
class ModelContext : public QObject
{
    Q_OBJECT

public:
    // How much open() reads: every record, as the window shows them all; or each type's
    // records when they are first asked for, as a command touches few of them.
    enum class Loading
    {
        everything,
        onDemand
    };
    static Result<std::unique_ptr<ModelContext>> open(const QString& filePath,
                                                      Loading loading = Loading::everything);

    ~ModelContext() override;

    // All records of type T that satisfy the predicate, in store order.
    template <typename T> Result<QList<T*>> fetch(const std::function<bool(const T&)>& predicate = {});

    // All records of type T as of now, without looking for outside changes first; for views.
    template <typename T> QList<T*> records() const;

    // The records of type T that meet the condition, which `holds` tells of a record in
    // memory. Until every record of the type is read, only these rows are read, so a
    // command that touches one app's records does not read everyone's.
    template <typename T>
    QList<T*> recordsWhere(const RowCondition& where, const std::function<bool(const T&)>& holds) const;
    // The stored values of the wanted columns in the rows of the type that meet the
    // condition, without making records of them; nothing while this context holds records
    // of the type, which may differ from the stored rows: the caller looks at those instead.
    std::optional<QList<QVariantList>> storedColumnsWhere(RecordType type, const QList<Column>& wanted,
                                                          const RowCondition& where) const;

    // Adds a new record; the context owns it from now on.
    void insert(Record* record);
    // Takes a record out; it is deleted from the store at the next save.
    void remove(Record* record);
    // Takes out every record of the type, read or not: all its rows are deleted at the
    // next save. A large configuration is thus replaced without reading it first.
    void removeAll(RecordType type);

    Outcome save();
    bool hasChanges() const;
    // Drops every unsaved insert, removal and field change: the records are as stored.
    Outcome rollback();

    // Takes in what other processes saved since the last look, for every type read so
    // far. Fields this context changed and has not saved yet keep their new values.
    Outcome refresh();
    // refresh(), but only when another connection committed since this context last looked.
    Outcome refreshIfStoreChanged();
    const QString& storeFilePath() const;
    // The same as refresh() with rows another connection read, e.g. on a worker thread after a large
    // write there, so this thread only merges. A snapshot older than what this context
    // has already seen changes nothing.
    void takeIn(const StoreSnapshot& snapshot);

    // Rows that are already records, made on a worker: the context's thread then only
    // adopts them, as creating tens of thousands of objects would hold that thread too long.
    class PreparedSnapshot
    {
    public:
        ~PreparedSnapshot();
        PreparedSnapshot(const PreparedSnapshot&) = delete;
        PreparedSnapshot& operator=(const PreparedSnapshot&) = delete;

    private:
        friend class ModelContext;
        PreparedSnapshot() = default;

        StoreSnapshot m_snapshot;
        QHash<QString, Record*> m_records; // by store key, until adopted
    };
    // On the worker, right after a save that replaced whole types (removeAll): their
    // records, as saved, for the context on `contextThread`, which so takes in the new rows
    // without anyone reading them again. This context lets go of them.
    std::shared_ptr<PreparedSnapshot> handOverReplacedTypes(QThread* contextThread);
    void takeIn(PreparedSnapshot& prepared);

    ModelStore& store() { return *m_store; }

    // Holds back announcements while it lives: every type that changed meanwhile is
    // announced once when the outermost batch ends, so views re-read once after many changes.
    class AnnouncementBatch
    {
    public:
        explicit AnnouncementBatch(ModelContext& context);
        ~AnnouncementBatch();
        AnnouncementBatch(const AnnouncementBatch&) = delete;
        AnnouncementBatch& operator=(const AnnouncementBatch&) = delete;

        // Announces nothing of what changed in this batch: for changes taken back by a
        // rollback, after which every record is as it was.
        void discard();

    private:
        ModelContext& m_context;
        QSet<RecordType> m_changedBefore;
    };

    // While one lives, fetches take the records as they are instead of reading the file
    // again: a worker is writing the store and will hand over its rows (takeIn), which
    // hold every commit until then. Reading them here meanwhile would only stall.
    class RefreshDeferral
    {
    public:
        explicit RefreshDeferral(ModelContext& context);
        ~RefreshDeferral();
        RefreshDeferral(const RefreshDeferral&) = delete;
        RefreshDeferral& operator=(const RefreshDeferral&) = delete;

    private:
        ModelContext& m_context;
    };

Q_SIGNALS:
    // Records of this type were inserted, removed or changed; live lists re-read.
    void recordsChanged(RecordType type);

private:
    friend class Record;

    explicit ModelContext(std::unique_ptr<ModelStore> store);

    // Reads a type's rows the first time they are asked for. The records are the file's
    // rows as of a revision, so filling them in changes nothing a caller could tell:
    // hence const, also for views that only look.
    Outcome load(RecordType type) const;
    void loadForLooking(RecordType type) const;
    // Reads the rows of a type not read yet whose column holds the value, and makes
    // records of those this context does not hold yet.
    void loadWhere(RecordType type, const RowCondition& where) const;
    void noteRecordChanged(Record& record);
    void adopt(Record* record);
    void announce(RecordType type);
    void endAnnouncementBatch();
    // Deletes a record that left the context once control is back in the event loop, as
    // deleteLater() would, a slice at a time so that many go without a stall.
    void retire(Record* record);
    void deleteRetiredSlice();
    static Record* makeStoredRecord(RecordType type, const StoredRow& row);
    void takeIn(const StoreSnapshot& snapshot, QHash<QString, Record*>* prepared);
    bool takeInRows(RecordType type, const QList<StoredRow>& storedRows, QHash<QString, Record*>* prepared);
    QList<RowChange> pendingChanges() const;

    std::unique_ptr<ModelStore> m_store;
    QList<Record*> m_records; // live records, in store order
    QSet<const Record*> m_pendingInserts;
    QList<Record*> m_insertOrder; // of the pending inserts, maybe with some taken out since
    // Stored records with changed columns, so a save looks at what changed, not at all.
    QSet<Record*> m_recordsWithChanges;
    QList<Record*> m_pendingRemovals;
    QSet<RecordType> m_pendingRemovalsOfAll; // types whose every stored row goes
    std::optional<qint64> m_seenRevision;    // of the rows last taken in
    // What the last save replaced whole, and the revision it made.
    struct Replacement
    {
        qint64 revision = 0;
        QSet<RecordType> types;
    };
    std::optional<Replacement> m_lastReplacement;
    QSet<RecordType> m_loadedTypes;
    int m_batchDepth = 0;
    int m_refreshDeferrals = 0;
    QSet<RecordType> m_typesChangedInBatch;
    QList<Record*> m_retired; // left the context, deleted soon
    QTimer m_retirement;
};

template <typename T> QList<T*> ModelContext::records() const
{
    loadForLooking(T::type);
    QList<T*> matching;
    for (Record* record : m_records) {
        if (record->recordType() == T::type)
            matching.append(static_cast<T*>(record));
    }
    return matching;
}

template <typename T>
QList<T*> ModelContext::recordsWhere(const RowCondition& where,
                                     const std::function<bool(const T&)>& holds) const
{
    if (!m_loadedTypes.contains(T::type))
        loadWhere(T::type, where);
    QList<T*> matching;
    for (Record* record : m_records) {
        if (record->recordType() == T::type && holds(*static_cast<const T*>(record)))
            matching.append(static_cast<T*>(record));
    }
    return matching;
}

template <typename T> Result<QList<T*>> ModelContext::fetch(const std::function<bool(const T&)>& predicate)
{
    if (Outcome loaded = load(T::type); !loaded)
        return loaded.error();
    if (Outcome current = refreshIfStoreChanged(); !current)
        return current.error();
    QList<T*> matching = records<T>();
    if (predicate)
        matching.removeIf([&](const T* record) { return !predicate(*record); });
    return matching;
}
