#include "app/WindowCommands.h"

#include "access/UserEnvironment.h"
#include "actions/Adoption.h"
#include "actions/AppActions.h"
#include "actions/BackgroundTask.h"
#include "actions/BackupActions.h"
#include "actions/BackupImport.h"
#include "actions/ImportTask.h"
#include "actions/ProjectRestore.h"
#include "actions/Workspace.h"
#include "backup/BackupService.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"
#include "ui/AddProjectSheet.h"
#include "ui/AddTargetAppSheet.h"
#include "ui/FolderPrompts.h"
#include "ui/PlanSheet.h"
#include "ui/SymbolIcons.h"
#include "ui/TaskStrip.h"

#include <QAction>
#include <QWidget>

using namespace Qt::StringLiterals;

WindowCommands::WindowCommands(Workspace& workspace, DesktopServices desktop, TaskStrip& tasks,
                               QWidget& window)
    : QObject(&window)
    , m_workspace(workspace)
    , m_desktop(desktop)
    , m_tasks(tasks)
    , m_window(window)
    , m_exportAction(new QAction(tr("Export Backup"), &window))
    , m_importAction(new QAction(tr("Restore Backup"), &window))
    , m_addAppAction(new QAction(symbolIcon(u"plus"_s), tr("Add App"), &window))
    , m_adoptAction(new QAction(tr("Adopt Skills of Other Installers…"), &window))
    , m_quitAction(new QAction(tr("Quit"), &window))
{
    m_adoptAction->setObjectName(u"adoptSkillsAction"_s);
    connect(m_adoptAction, &QAction::triggered, this, [this] { adoptSkills(); });
    m_exportAction->setObjectName(u"exportBackupAction"_s);
    m_exportAction->setShortcut(Qt::CTRL | Qt::Key_E);
    connect(m_exportAction, &QAction::triggered, this, &WindowCommands::exportBackup);
    m_importAction->setObjectName(u"importBackupAction"_s);
    connect(m_importAction, &QAction::triggered, this, &WindowCommands::importBackup);
    m_addAppAction->setObjectName(u"addAppAction"_s);
    m_addAppAction->setShortcut(QKeySequence::New);
    connect(m_addAppAction, &QAction::triggered, this, &WindowCommands::addApp);
    // Ctrl+Q, the desktop's key for leaving a program; closing the window is how it ends.
    m_quitAction->setObjectName(u"quitAction"_s);
    m_quitAction->setShortcut(Qt::CTRL | Qt::Key_Q); // the standard key is unbound on some desktops
    m_quitAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_quitAction, &QAction::triggered, this, [this] { m_window.window()->close(); });
}

void WindowCommands::setBusy(bool busy)
{
    m_exportAction->setEnabled(!busy && !m_backupImport);
    m_importAction->setEnabled(!busy && !m_backupImport);
    m_adoptAction->setEnabled(!busy);
}

bool WindowCommands::adoptSkills(bool quietWhenNone)
{
    const Adoption adoption(m_workspace);
    const auto candidates = adoption.survey();
    if (!candidates) {
        m_desktop.alerts.inform(tr("The skills of other installers cannot be adopted."),
                                OutcomeTexts::problem(candidates.error()), AlertStyle::critical);
        return false;
    }
    QStringList lines;
    for (const AdoptionCandidate& candidate : candidates.value())
        if (!candidate.nameTaken)
            lines.append(candidate.origin && candidate.origin->isGitHub()
                             ? tr("%1 in %2, from %3")
                                   .arg(candidate.entry.name, candidate.folder, candidate.origin->source)
                             : tr("%1 in %2").arg(candidate.entry.name, candidate.folder));
    if (lines.isEmpty()) {
        if (!quietWhenNone)
            m_desktop.alerts.inform(
                tr("There is nothing to adopt."),
                tr("Every skill in the known assistants' folders is managed by Quorvane."));
        return false;
    }
    if (!m_desktop.alerts.confirmDestructive(
            tr("Adopt %n skill(s) into the hub?", nullptr, int(lines.size())),
            tr("Each moves into the hub, with its origin where another installer recorded it, and a link or "
               "copy stays in its place:\n%1")
                .arg(lines.join(u'\n')),
            tr("Not Now"), tr("Adopt")))
        return true;
    const auto task = adoption.start(candidates.value());
    if (!task)
        m_desktop.alerts.inform(tr("The skills of other installers cannot be adopted."),
                                OutcomeTexts::problem(task.error()), AlertStyle::critical);
    else if (task.value())
        m_tasks.follow(*task.value());
    return true;
}

void WindowCommands::addApp()
{
    AddTargetAppSheet sheet(m_workspace, m_desktop, &m_window);
    sheet.exec();
}

void WindowCommands::addProject()
{
    AddProjectSheet sheet(m_workspace, m_desktop, &m_window);
    sheet.exec();
    if (const auto project = sheet.projectToRestore())
        restoreProject(*project);
}

void WindowCommands::exportBackup()
{
    BackupActions backups(m_workspace);
    const auto document = backups.prepareExport();
    if (!document)
        return;
    FilePanelRequest request;
    request.title = tr("Export Backup");
    request.prompt = tr("Export");
    request.proposedName = BackupService::proposedFileName();
    request.startFolder = m_workspace.platform().user.homeFolder();
    request.nameFilters = {tr("JSON (*.json)")};
    if (const auto file = m_desktop.panels.chooseFileToSave(request))
        (void)backups.save(*file, document.value()); // a failure is logged
}

void WindowCommands::importBackup()
{
    FilePanelRequest request;
    request.title = tr("Restore Backup");
    request.prompt = tr("Import");
    request.startFolder = m_workspace.platform().user.homeFolder();
    request.nameFilters = {tr("JSON (*.json)")};
    const auto file = m_desktop.panels.chooseFileToOpen(request);
    if (!file)
        return;
    // With GitHub reachable, the hub items the backup knows and the hub lacks come back too.
    auto* import = new BackupImport(
        m_workspace, *file,
        [commands = QPointer(this)](BackupImportPlan& plan) {
            return commands && commands->agreeToRestore(plan);
        },
        m_fetchAccess.network ? std::optional(m_fetchAccess) : std::nullopt);
    connect(import, &BackupImport::taskStarted, &m_tasks,
            [this](BackgroundTask* task) { m_tasks.follow(*task); });
    m_backupImport = import;
    m_exportAction->setEnabled(false);
    m_importAction->setEnabled(false);
    connect(import, &BackupImport::finished, this, [this](const BackupImportOutcome& outcome) {
        m_backupImport = nullptr;
        setBusy(m_tasks.isBusy());
        if (outcome.stage == BackupImportOutcome::Stage::unreadable ||
            outcome.stage == BackupImportOutcome::Stage::notSaved)
            m_desktop.alerts.inform(tr("Import Failed"),
                                    tr("The backup file could not be read: %1")
                                        .arg(OutcomeTexts::problem(outcome.error->shown())),
                                    AlertStyle::critical);
    });
    import->start();
}

bool WindowCommands::agreeToRestore(BackupImportPlan& plan)
{
    const PlacementPlan shown = PlanSheet::combined(plan.links);
    if (shown.actions.isEmpty() && shown.conflicts.isEmpty() && plan.fetches.isEmpty())
        return true;
    PlanSheet sheet(tr("Restore Links"), shown, &m_window, PlanSheet::Scope::step);
    if (!plan.fetches.isEmpty())
        sheet.setNote(tr("To be fetched from their sources: %1.").arg(plan.fetches.size()));
    sheet.exec();
    if (sheet.choice() == PlanSheet::Choice::cancel)
        return false;
    if (sheet.consentsToChangesHere())
        for (PlacementPlan& links : plan.links)
            links.consentToChangesHere();
    return true;
}

void WindowCommands::restoreProject(const QString& project)
{
    auto* restoring = new ProjectRestore(m_workspace, m_fetchAccess, project, {},
                                         [commands = QPointer(this)](RestorePlan& plan) {
                                             return commands && commands->agreeToProjectRestore(plan);
                                         });
    connect(restoring, &ProjectRestore::taskStarted, &m_tasks,
            [this](BackgroundTask* task) { m_tasks.follow(*task); });
    connect(restoring, &ProjectRestore::finished, this, [this](const RestoreOutcome& outcome) {
        if (outcome.stage == RestoreOutcome::Stage::unreadable)
            m_desktop.alerts.inform(tr("Restoring Is Not Possible"), OutcomeTexts::problem(*outcome.error),
                                    AlertStyle::critical);
        else if (outcome.stage == RestoreOutcome::Stage::refused)
            m_desktop.alerts.inform(tr("Restoring Is Not Possible"), OutcomeTexts::problems(outcome.failures),
                                    AlertStyle::critical);
        else if (!outcome.failures.isEmpty())
            m_desktop.alerts.inform(tr("Not Everything Was Restored"),
                                    OutcomeTexts::problems(outcome.failures), AlertStyle::critical);
    });
    restoring->start();
}

bool WindowCommands::agreeToProjectRestore(RestorePlan& plan)
{
    PlacementPlan shown = PlanSheet::combined(plan.placements);
    shown.conflicts = plan.conflicts + shown.conflicts;
    if (plan.fetches.isEmpty() && plan.apps.isEmpty() && plan.keeps.isEmpty() && shown.actions.isEmpty() &&
        shown.conflicts.isEmpty()) {
        m_desktop.alerts.inform(tr("Restore from quorvane-lock.json"), tr("There is nothing to change."));
        return false;
    }
    PlanSheet sheet(tr("Restore from quorvane-lock.json"), shown, &m_window, PlanSheet::Scope::step);
    QString note = tr("To fetch: %1. Apps to add: %2. Already present and taken over: %3.")
                       .arg(plan.fetches.size())
                       .arg(plan.apps.size())
                       .arg(plan.keeps.size());
    QStringList hubKeeps;
    for (const RestoreFetch& fetch : std::as_const(plan.fetches))
        if (!fetch.intoHub)
            hubKeeps.append(fetch.name);
    if (!hubKeeps.isEmpty())
        note += u' ' + tr("The hub keeps its own version of %1; the project gets the one from the lock file.")
                           .arg(hubKeeps.join(u", "_s));
    if (!plan.unpinned.isEmpty())
        note += u' ' + tr("Not pinned to a commit, hence fetched as it stands today: %1.")
                           .arg(plan.unpinned.join(u", "_s));
    sheet.setNote(note);
    sheet.exec();
    if (sheet.choice() == PlanSheet::Choice::cancel)
        return false;
    if (sheet.consentsToChangesHere())
        for (PlacementPlan& placements : plan.placements)
            placements.consentToChangesHere();
    return true;
}

void WindowCommands::renameApp(const QUuid& appID, const QString& text)
{
    if (TargetApp* app = m_workspace.app(appID))
        (void)AppActions(m_workspace).rename(*app, text); // a name of only blanks changes nothing
}

void WindowCommands::revealApp(const QUuid& appID)
{
    if (const TargetApp* app = m_workspace.app(appID))
        m_desktop.reveal.reveal(expandingTilde(app->folderPath(), m_workspace.platform().user));
}

bool WindowCommands::renewAppAccess(const QUuid& appID)
{
    TargetApp* app = m_workspace.app(appID);
    return app && FolderPrompts(m_workspace, m_desktop).renewAccess(*app);
}

void WindowCommands::deleteApps(const QList<QUuid>& appIDs)
{
    QList<TargetApp*> apps;
    for (const QUuid& appID : appIDs) {
        if (TargetApp* app = m_workspace.app(appID))
            apps.append(app);
    }
    (void)AppActions(m_workspace).remove(apps); // a failure keeps the removals pending; nothing to tell
}
