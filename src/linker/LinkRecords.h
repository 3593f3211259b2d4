#pragma once

#include <QString>
#include <QStringList>
#include <QUuid>

class ModelContext;

// The records that remember which links the program made, keyed by (targetAppID,
// itemName) and kept unique. Each change saves the store; a failure is logged.
class LinkRecords
{
public:
    explicit LinkRecords(ModelContext& context);

    bool upsert(const QUuid& targetAppID, const QString& itemName);
    // Many at once, with one save: records for `added`, none for `removed`.
    bool change(const QUuid& targetAppID, const QStringList& added, const QStringList& removed);
    bool remove(const QUuid& targetAppID, const QString& itemName);
    // Every record of the app, as when the app is deleted.
    bool removeAll(const QUuid& targetAppID);

private:
    ModelContext& m_context;
};
