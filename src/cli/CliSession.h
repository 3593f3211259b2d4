#pragma once

#include "CliPlatform.h"
#include "LegacyPreferences.h"
#include "PlatformServices.h"
#include "SecurityScopes.h"
#include "Skill.h"
#include "SkillStoreService.h"
#include "TargetAppSkill.h"
#include "UserEnvironment.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class FileLinkerService;
class ModelContext;
class TargetApp;

// Exit codes of the tool.
namespace ExitCode {
constexpr int success = 0;
constexpr int failure = 1; // the operation failed, or changed nothing that was asked for
constexpr int usage = 2;
} // namespace ExitCode

// One run of the command-line tool: the same store, linker, store client and backup
// service the window uses, driven by one command. Results go to standard output,
// messages and log lines to standard error.
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

private:
    PlatformServices platform();
    int fail(const QString& message) const;
    TargetApp* findApp(const QString& idOrName, QString& problem) const;
    std::optional<Skill> findHubItem(const QString& fileName) const;
    int toggle(const QStringList& args, bool linked);
    // The entry of the app's folder named on the command line, or a message why not.
    std::optional<TargetAppSkill> findEntry(const TargetApp& app, const QString& name,
                                            QString& problem) const;
    // Runs the action on the app and entry that args (APP ENTRY) name, or tells why not.
    int onEntry(const QStringList& args,
                const std::function<int(TargetApp&, const TargetAppSkill&)>& action) const;

    bool m_json;
    StoreEndpoints m_endpoints;
    UnrestrictedSecurityScopes m_scopes;
    SystemUserEnvironment m_user;
    SettingsFileLegacyPreferences m_preferences;
    ArgumentPanels m_panels;
    StandardErrorAlerts m_alerts;
    NoFileReveal m_reveal;
    NoClipboard m_clipboard;
    std::unique_ptr<ModelContext> m_context;
    std::unique_ptr<FileLinkerService> m_linker;
};
