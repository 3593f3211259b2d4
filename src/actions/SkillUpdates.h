#pragma once

#include "access/FolderAccess.h"
#include "model/SkillProvenanceRecord.h"
#include "store/SkillFolderFetch.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class SkillInstall;
struct UpdatePreviewResult;
class SkillSource;
class Workspace;

// How an installed hub item stands against where it came from.
enum class UpdateState
{
    current,
    updateAvailable,
    modified, // changed here since it was installed
    unknown,  // imported or made by hand: nothing records where it came from
};

struct SkillUpdateStatus
{
    QString item;
    UpdateState state = UpdateState::unknown;
    QString source;           // where it came from, as the user knows it; empty when unknown
    QStringList changedFiles; // of a modified item
};

struct UpdateCheckResult
{
    QList<SkillUpdateStatus> skills; // by name
    QList<Problem> failures;         // each item or repository that could not be checked, with why
};

// What is known of the hub items' updates, and the actions on them. A check lists each
// repository once, however many of its skills are installed, and reads the installed
// folders on a worker. It belongs to the workspace, so a check always ends and reports.
class SkillUpdates : public QObject
{
    Q_OBJECT

public:
    SkillUpdates(Workspace& workspace, SkillSource& source);
    ~SkillUpdates() override;

    // Compares every hub item with its origin; `done` runs once it is over. A check asked
    // for while one runs joins it.
    void check(std::function<void(const UpdateCheckResult&)> done = {});
    bool isChecking() const { return m_hub.has_value(); }
    // As of the last check; nothing before one, or for an item it did not see.
    std::optional<SkillUpdateStatus> status(const QString& item) const;

    // Fetches the item again from where it came and puts it in place of the folder; a
    // folder changed here is replaced only with `replaceChanged`, one in which the audit finds
    // something of level high only with `acceptRisk`. Nothing for an item without an origin.
    // With `fetched`, the version a preview fetched is installed without fetching it again.
    SkillInstall* update(const QString& item, bool replaceChanged, bool acceptRisk = false,
                         const std::optional<FetchedSkill>& fetched = std::nullopt);

    // Fetches the item's new version and compares it with the installed one; reads only.
    void preview(const QString& item, std::function<void(const UpdatePreviewResult&)> done);

    static QString stateName(UpdateState state); // "current", "update-available", ...

Q_SIGNALS:
    void checkingChanged();
    // Statuses came from a check, or an update made an item current.
    void statusesChanged();

private:
    struct Installed
    {
        SkillProvenance provenance;
        std::optional<QString> localFailure;
        std::optional<QStringList> changedHere; // set when the content differs from what was installed
    };
    void readInstalledFolders(QList<Installed> installed, UpdateCheckResult result);
    void listRepositories(QList<Installed> installed, UpdateCheckResult result);
    void conclude(UpdateCheckResult result);

    Workspace& m_workspace;
    SkillSource& m_source;
    std::optional<ReachedFolder> m_hub; // while a check runs
    QList<std::function<void(const UpdateCheckResult&)>> m_waiting;
    QHash<QString, SkillUpdateStatus> m_statuses;
};
