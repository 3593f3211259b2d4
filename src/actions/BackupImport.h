#pragma once

#include "actions/BackgroundTask.h"
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
    std::optional<Error> error; // for unreadable and notSaved
    PlanOutcome links;          // once restored
};

// Replacing the configuration with a backup file's, in the one order the window and the
// command line share: the file is read and checked, restoring its placements is planned
// against the disk, the plan is put to the user, and only then are the records written
// and the missing links made. Declining, or a file that cannot be used, changes nothing.
class BackupImport : public QObject
{
    Q_OBJECT

public:
    // Shows the plans and answers whether to go on; it may consent to changes here on
    // them. Conflicts left in an agreed plan are skipped.
    using AskConsent = std::function<bool(std::vector<PlacementPlan>& plans)>;

    // It belongs to the workspace and goes once finished.
    BackupImport(Workspace& workspace, const QString& filePath, AskConsent askConsent);

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
    void makeLinks();
    void finish(BackupImportOutcome outcome);

    Workspace& m_workspace;
    QString m_filePath;
    AskConsent m_askConsent;
    std::shared_ptr<const AppBackup> m_backup;
    std::vector<std::unique_ptr<TargetApp>> m_appsOfFile; // what the plans were made for
    std::vector<PlacementPlan> m_plans;
};
