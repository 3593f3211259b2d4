#pragma once

#include "actions/BackgroundTask.h"
#include "actions/LockedFetch.h"
#include "base/Result.h"
#include "linker/PlacementPlan.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Workspace;
struct AppBackup;

// How replacing the configuration with a backup file's went.
struct BackupImportOutcome
{
    enum class Stage
    {
        unreadable, // the file could not be read or checked; nothing changed
        declined,   // the plan was not agreed to; nothing changed
        notSaved,   // the records could not be written; the old configuration stays
        restored,   // the records are in, and the links were made as planned
    };
    Stage stage = Stage::unreadable;
    std::optional<Error> error;   // for unreadable and notSaved
    PlanOutcome links;            // once restored
    QList<Problem> fetchFailures; // hub items that could not be brought back
};

// What importing a backup would do: bring back the hub items its provenance knows and the
// hub lacks, then make the links.
struct BackupImportPlan
{
    QList<RestoreFetch> fetches;
    std::vector<PlacementPlan> links;
    // Set by the consent: fetched folders with audit findings of level high come in, accepted.
    bool acceptRisk = false;
};

// Replacing the configuration with a backup file's, in the one order the window and the
// command line share: the file is read and checked, restoring its placements is planned
// against the disk (and, with access to GitHub, fetching the hub items the file's provenance
// knows and the hub lacks), the plan is put to the user, and only then are the records
// written, the items fetched and the missing links made. Declining, or a file that cannot
// be used, changes nothing.
class BackupImport : public QObject
{
    Q_OBJECT

public:
    // Shows the plans and answers whether to go on; it may consent to changes here on
    // them. Conflicts left in an agreed plan are skipped.
    using AskConsent = std::function<bool(BackupImportPlan& plan)>;

    // It belongs to the workspace and goes once finished. Without `fetching`, hub items are
    // not fetched.
    BackupImport(Workspace& workspace, const QString& filePath, AskConsent askConsent,
                 std::optional<FetchAccess> fetching = std::nullopt);

    // Once the caller is connected.
    void start();

Q_SIGNALS:
    // A step that shows progress began: writing the records, then making the links.
    void taskStarted(BackgroundTask* task);
    // The import goes right after.
    void finished(const BackupImportOutcome& outcome);

private:
    void plan(std::shared_ptr<const AppBackup> backup);
    void ask();
    void write();
    void fetch();
    void makeLinks();
    void finish(BackupImportOutcome outcome);

    Workspace& m_workspace;
    QString m_filePath;
    AskConsent m_askConsent;
    std::shared_ptr<const AppBackup> m_backup;
    std::vector<std::unique_ptr<TargetApp>> m_appsOfFile; // what the plans were made for
    std::optional<FetchAccess> m_fetching;
    BackupImportPlan m_plan;
    QList<Problem> m_fetchFailures;
    bool m_consentedToChangesHere = false;
};
