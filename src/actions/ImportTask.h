#pragma once

#include "actions/BackgroundTask.h"
#include "backup/SharedSkillLock.h"
#include "linker/Linker.h"

#include <QList>
#include <QStringList>
#include <QUuid>

#include <optional>

// Entries of apps' folders moved into the hub in the background, one after another, each
// leaving a link or copy as its app places them: across file systems a tree is copied, with
// the bytes as progress. Stopping removes the copy being made and leaves the rest as it was.
// An entry that another installer's lock file names keeps its origin there, so updates reach it.
class ImportTask : public BackgroundTask
{
    Q_OBJECT

public:
    struct Entry
    {
        TargetAppSkill entry;
        QUuid appID;
        std::optional<SharedLockEntry> origin = std::nullopt; // where another installer recorded it came from
    };

    // Nothing when the folders cannot be reached or no entry has anything to bring in.
    static ImportTask* start(Workspace& workspace, const QList<Entry>& entries);

    Work work() const override;

Q_SIGNALS:
    // The hub and the apps' folders are announced as changed just before. True when every
    // entry was brought in.
    void finished(bool imported);

private:
    struct Planned
    {
        ImportPlan plan; // holds the folders' access scopes until the task ends
        QUuid appID;
        std::optional<SharedLockEntry> origin;
    };
    ImportTask(Workspace& workspace, std::vector<Planned> plans, qint64 bytes);
    void conclude(const QList<Outcome>& outcomes);
    // Keeps where another installer recorded the item came from.
    void recordOrigin(const Planned& planned);

    std::vector<Planned> m_plans;
};
