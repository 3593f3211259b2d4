#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <functional>

#include <optional>

class ModelContext;

// What an app's records say: each placed item's name, with a copy's content hash (nothing for a link).
using RecordedItems = QHash<QString, std::optional<QString>>;

// A placement to record: the item's name and, for a copy, the content hash of what was copied.
struct PlacedItem
{
    QString name;
    std::optional<QString> contentHash;
};

// What carrying out a plan in one app's folder changed: records for `added`, none for `removed`.
struct AppRecordChange
{
    QUuid targetAppID;
    QList<PlacedItem> added;
    QStringList removed;
};

// The records that remember which links the program made, keyed by (targetAppID,
// itemName) and kept unique. Each change saves the store; a failure is logged.
class LinkRecords
{
public:
    explicit LinkRecords(ModelContext& context);

    // A record for the item, with what was copied (an existing record takes it over).
    bool upsert(const QUuid& targetAppID, const QString& itemName,
                const std::optional<QString>& contentHash = std::nullopt);
    // Many at once, with one save: records for `added`, none for `removed`.
    bool change(const QUuid& targetAppID, const QList<PlacedItem>& added, const QStringList& removed);
    // The changes of many apps, in order, with one save.
    bool change(const QList<AppRecordChange>& changes);
    // Every item recorded for the app; the one place the records are read by app.
    static RecordedItems recordedIn(const ModelContext& context, const QUuid& targetAppID);
    // The same for many apps, in one pass over the records.
    static QHash<QUuid, RecordedItems> recordedByApp(const ModelContext& context, const QSet<QUuid>& apps);
    bool remove(const QUuid& targetAppID, const QString& itemName);
    // Every record of the app, as when the app is deleted.
    bool removeAll(const QUuid& targetAppID);

    // Called with each app whose records a change saved, as a project's lock file must hear.
    void setOnChange(std::function<void(const QUuid& targetAppID)> onChange)
    {
        m_onChange = std::move(onChange);
    }

private:
    void announce(const QUuid& targetAppID) const
    {
        if (m_onChange)
            m_onChange(targetAppID);
    }

    // `failureLine` starts the log line of a failed save.
    bool apply(const QList<AppRecordChange>& changes, const QString& failureLine);

    ModelContext& m_context;
    std::function<void(const QUuid&)> m_onChange;
};
