#pragma once

#include "model/Record.h"

#include <QObject>
#include <QUuid>

class ModelContext;

// The one place that says what changed, so every view showing that data updates itself.
// Record changes come from the store context as they happen; changes on disk are
// announced by the actions that make them.
class ChangeFeed : public QObject
{
    Q_OBJECT

public:
    explicit ChangeFeed(ModelContext& context, QObject* parent = nullptr);

    void announceHubItems() { Q_EMIT hubItemsChanged(); }
    void announceTargetFolder(const QUuid& appID) { Q_EMIT targetFolderChanged(appID); }
    void announceEveryTargetFolder() { Q_EMIT targetFolderChanged(QUuid()); }

Q_SIGNALS:
    // The hub moved, or items came, went or changed in it.
    void hubItemsChanged();
    // Entries of that app's folder changed; a null id stands for every app's folder.
    void targetFolderChanged(const QUuid& appID);
    // Target app records came, went or changed (a rename, a new folder).
    void appsChanged();
    void linkRecordsChanged();
    // Skill sources were added or removed, or their index was read again.
    void sourcesChanged();
    // What is known of where hub items came from, or of their updates, changed.
    void provenanceChanged();
    // The user accepted an item's audit findings.
    void auditAcceptancesChanged();
};
