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
class SkillSources;
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

// One run of the command-line tool: the same store and actions the window uses, driven
// by one command whose arguments answer what the window would ask. Results go to
// standard output, messages and log lines to standard error.
class CliSession
{
public:
    CliSession(bool json, StoreEndpoints endpoints);
    ~CliSession();

    // Opens the store and loads the hub, as the window does when it opens.
    int open();

    int hub(const QStringList& args);
    int hubSet(const QStringList& args);
    int apps(const QStringList& args);
    int appsAdd(const QStringList& args);
    int appsRename(const QStringList& args);
    int appsRemove(const QStringList& args);
    int link(const QStringList& args);
    int unlink(const QStringList& args);
    int linked(const QStringList& args);
    int status(const QStringList& args);
    int importEntry(const QStringList& args);
    int repair(const QStringList& args);
    int remove(const QStringList& args);
    int search(const QStringList& args);
    int install(const QStringList& args);
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
    // Runs the action on the app and entry that args (APP ENTRY) name, or tells why not.
    int onEntry(const QStringList& args, const std::function<int(TargetApp&, const TargetAppSkill&)>& action);

    bool m_json;
    StoreEndpoints m_endpoints;
    UnrestrictedSecurityScopes m_scopes;
    SystemUserEnvironment m_user;
    SettingsFileLegacyPreferences m_preferences;
    std::unique_ptr<ModelContext> m_context;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<SkillStoreService> m_store;
    SkillSources* m_sources = nullptr; // the store's source
    // Waits for the sources' refresh; writes each failure to standard error.
    QStringList refreshSources(const std::optional<QString>& only, bool staleOnly);
};
