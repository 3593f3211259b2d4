#pragma once

#include "access/LegacyPreferences.h"
#include "access/SecurityScopes.h"
#include "access/UserEnvironment.h"
#include "store/DirectorySkillSource.h"

#include <QStringList>

#include <functional>
#include <memory>

class ModelContext;
class QNetworkAccessManager;
class SkillInstall;
class SkillSources;
class SkillUpdates;
struct InstallResult;
struct PlacementPlan;
struct PlanConflict;
struct LocalChanges;
class SkillStoreService;
class TargetApp;
class Workspace;
struct TargetAppSkill;

// Exit codes of the tool.
namespace ExitCode {
constexpr int success = 0;
constexpr int failure = 1; // the operation failed, or changed nothing that was asked for
constexpr int usage = 2;
} // namespace ExitCode

// Switches that change what one command does; each command accepts its own.
struct CommandFlags
{
    bool check = false; // update: only tell
    bool all = false;   // update: every item with an update
    bool force =
        false; // install, update, bulk changes: replace what was changed here or is of unknown origin
    bool dryRun = false;           // update: tell what would change, change nothing
    bool create = false;           // apps add --preset: make a missing folder
    std::optional<QString> preset; // apps add: a known assistant's id
    bool skipConflicts = false;    // bulk changes: leave what is in the way, do the rest
    bool copy = false;             // apps add: place copies rather than links
};

// One run of the command-line tool: the same store and actions the window uses, driven
// by one command whose arguments answer what the window would ask. Results go to
// standard output, messages and log lines to standard error.
class CliSession
{
public:
    CliSession(bool json, StoreEndpoints endpoints, CommandFlags flags = {});
    ~CliSession();

    // Opens the store and loads the hub, as the window does when it opens; the hub's items
    // are read only for a command that shows or changes them.
    int open(bool readHubItems);

    int hub(const QStringList& args);
    int hubSet(const QStringList& args);
    int apps(const QStringList& args);
    int appsAdd(const QStringList& args);
    int appsPresets(const QStringList& args);
    int appsRename(const QStringList& args);
    int appsRemove(const QStringList& args);
    int appsMode(const QStringList& args);
    int sync(const QStringList& args);
    int link(const QStringList& args);
    int unlink(const QStringList& args);
    int linked(const QStringList& args);
    int status(const QStringList& args);
    int importEntry(const QStringList& args);
    int repair(const QStringList& args);
    int remove(const QStringList& args);
    int search(const QStringList& args);
    int install(const QStringList& args);
    int update(const QStringList& args);
    int backupExport(const QStringList& args);
    int backupImport(const QStringList& args);
    int restoreLinks(const QStringList& args);
    int check(const QStringList& args);
    int sources(const QStringList& args);
    int sourcesAdd(const QStringList& args);
    int sourcesRemove(const QStringList& args);
    int sourcesRefresh(const QStringList& args);

private:
    int fail(const QString& message) const;
    // Made on first use: most commands never go to the network.
    SkillStoreService& store();
    int toggle(const QStringList& args, bool linked);
    int toggleOne(const QString& itemName, TargetApp& app, bool linked);
    // --dry-run for named items: their plan, printed as the bulk changes print theirs.
    int showTogglePlan(const QStringList& itemNames, const TargetApp& app, bool linked);
    int refuseToggle(const PlanConflict& conflict, bool linked) const;
    // Prints the plan as asked (one line per entry, or JSON), then carries it out unless
    // it is a dry run or has conflicts that are not to be skipped.
    int runPlan(std::optional<PlacementPlan> plan, const TargetApp& app);
    // Prints the plans; true when they may be carried out (no dry run, no conflicts left).
    bool showPlans(std::vector<PlacementPlan>& plans, int& exitCode);
    int runPlans(std::vector<PlacementPlan> plans);
    // Runs one install or update to its end; prints nothing.
    InstallResult waitFor(SkillInstall* install);
    SkillUpdates& updates();
    // Tells why a folder stays as it is, with the files changed here.
    int refuseChangedFolder(const QString& item, const LocalChanges& changes) const;
    // Runs the action on the app and entry that args (APP ENTRY) name, or tells why not.
    int onEntry(const QStringList& args, const std::function<int(TargetApp&, const TargetAppSkill&)>& action);

    bool m_json;
    StoreEndpoints m_endpoints;
    CommandFlags m_flags;
    UnrestrictedSecurityScopes m_scopes;
    SystemUserEnvironment m_user;
    SettingsFileLegacyPreferences m_preferences;
    std::unique_ptr<ModelContext> m_context;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<SkillStoreService> m_store;
    SkillSources* m_sources = nullptr; // the store's source
    SkillUpdates* m_updates = nullptr; // made on first use, a child of the workspace
    // Waits for the sources' refresh; writes each failure to standard error.
    QStringList refreshSources(const std::optional<QString>& only, bool staleOnly);
};
