#pragma once

#include <QString>
#include <QUuid>

class ModelContext;

// The records that remember which links the program made, keyed by (targetAppID,
// itemName) and kept unique. Each change saves the store; a failure is logged.
class LinkRecords
{
public:
    explicit LinkRecords(ModelContext& context);

    bool upsert(const QUuid& targetAppID, const QString& itemName);
    bool remove(const QUuid& targetAppID, const QString& itemName);
    // Every record of the app, as when the app is deleted.
    bool removeAll(const QUuid& targetAppID);

private:
    ModelContext& m_context;
};
