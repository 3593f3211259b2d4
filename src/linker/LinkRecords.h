#pragma once

#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

class ModelContext;

// A placement to record: the item's name and, for a copy, the content hash of what was copied.
struct PlacedItem
{
    QString name;
    std::optional<QString> contentHash;
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
    // The content hash recorded for a copy of the item; nothing for a link or no record.
    std::optional<QString> copiedHash(const QUuid& targetAppID, const QString& itemName) const;
    bool remove(const QUuid& targetAppID, const QString& itemName);
    // Every record of the app, as when the app is deleted.
    bool removeAll(const QUuid& targetAppID);

private:
    ModelContext& m_context;
};
