#pragma once

#include "access/LegacyPreferences.h"
#include "access/SecurityScopes.h"
#include "access/UserEnvironment.h"
#include "actions/LockedFetch.h"
#include "cli/Command.h"
#include "store/DirectorySkillSource.h"

#include <QEventLoop>
#include <QStringList>

#include <functional>
#include <memory>

class BackgroundTask;
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
// One run of the command-line tool: the same store and actions the window uses, with the
// switches given, and what every command needs of them. Results go to standard output,
// messages and log lines to standard error. The commands themselves are in Commands.h.
class CliSession
{
public:
    CliSession(bool json, StoreEndpoints endpoints, GivenSwitches switches = {});
    ~CliSession();

    // Opens the store and loads the hub, as the window does when it opens; the hub's items
    // are read only for a command that shows or changes them.
    int open(bool readHubItems);

    Workspace& workspace() { return *m_workspace; }
    bool json() const { return m_json; }
    bool isSet(const QCommandLineOption& option) const { return m_switches.isSet(option); }
    std::optional<QString> valueOf(const QCommandLineOption& option) const
    {
        return m_switches.value(option);
    }
    const StoreEndpoints& endpoints() const { return m_endpoints; }

    // Writes the message to standard error; the exit status of a failure.
    int fail(const QString& message) const;
    // Made on first use: most commands never go to the network.
    // The network and GitHub's hosts, for fetching folders at a commit.
    FetchAccess fetchAccess();
    SkillStoreService& store();
    SkillSources& sources();
    SkillUpdates& updates();
    // Waits for the sources' refresh; writes each failure to standard error.
    QStringList refreshSources(const std::optional<QString>& only, bool staleOnly);
    // Runs one install or update to its end; prints nothing.
    InstallResult waitFor(SkillInstall* install);
    // Shows a task's progress on a terminal, as the window's strip does.
    void showProgress(BackgroundTask& task);
    // Waits for a task, showing its progress.
    void waitFor(BackgroundTask& task);
    // Starts a sequence of tasks with a question between them (a backup import, a restore)
    // and waits for its outcome, showing each task's progress.
    template <typename Outcome, typename Sequence> Outcome runToEnd(Sequence* sequence)
    {
        Outcome outcome;
        bool ended = false;
        QEventLoop waiting;
        QObject::connect(sequence, &Sequence::taskStarted, &waiting,
                         [this](BackgroundTask* task) { showProgress(*task); });
        QObject::connect(sequence, &Sequence::finished, &waiting, [&](const Outcome& result) {
            outcome = result;
            ended = true;
            waiting.quit();
        });
        sequence->start();
        if (!ended) // a sequence may end before anything runs in the background
            waiting.exec();
        return outcome;
    }
    // Tells why a folder stays as it is, with the files changed here.
    int refuseChangedFolder(const QString& item, const LocalChanges& changes) const;

private:
    bool m_json;
    StoreEndpoints m_endpoints;
    GivenSwitches m_switches;
    UnrestrictedSecurityScopes m_scopes;
    SystemUserEnvironment m_user;
    SettingsFileLegacyPreferences m_preferences;
    std::unique_ptr<ModelContext> m_context;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<SkillStoreService> m_store;
    SkillSources* m_sources = nullptr; // the store's source
    SkillUpdates* m_updates = nullptr; // made on first use, a child of the workspace
};
