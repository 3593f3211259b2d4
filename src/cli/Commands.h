#pragma once

#include "cli/Command.h"

// The tool's commands, one class each, grouped in a file per subject. Each declares its
// words, arguments and switches, and runs with the session (the store, the workspace and the
// switches given) and its arguments: it prints its results and returns the exit status.
namespace Commands {

// The hub, and the check of its skills
class HubCommand final : public Command
{
public:
    HubCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class HubSetCommand final : public Command
{
public:
    HubSetCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class CheckCommand final : public Command
{
public:
    CheckCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class AuditCommand final : public Command
{
public:
    AuditCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class DoctorCommand final : public Command
{
public:
    DoctorCommand();
    int run(CliSession& session, const QStringList& args) const override;
};

// The target apps
class AppsCommand final : public Command
{
public:
    AppsCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class AppsAddCommand final : public Command
{
public:
    AppsAddCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class AppsPresetsCommand final : public Command
{
public:
    AppsPresetsCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class AppsRenameCommand final : public Command
{
public:
    AppsRenameCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class AppsRemoveCommand final : public Command
{
public:
    AppsRemoveCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class AppsModeCommand final : public Command
{
public:
    AppsModeCommand();
    int run(CliSession& session, const QStringList& args) const override;
};

// Placing hub items into apps, and what is placed
class LinkCommand final : public Command
{
public:
    LinkCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class UnlinkCommand final : public Command
{
public:
    UnlinkCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class SyncCommand final : public Command
{
public:
    SyncCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class LinkedCommand final : public Command
{
public:
    LinkedCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class StatusCommand final : public Command
{
public:
    StatusCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class RestoreLinksCommand final : public Command
{
public:
    RestoreLinksCommand();
    int run(CliSession& session, const QStringList& args) const override;
};

// Single entries of an app's folder
class ImportEntryCommand final : public Command
{
public:
    ImportEntryCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class AdoptCommand final : public Command
{
public:
    AdoptCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class RepairCommand final : public Command
{
public:
    RepairCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class RemoveCommand final : public Command
{
public:
    RemoveCommand();
    int run(CliSession& session, const QStringList& args) const override;
};

// Searching, installing and updating skills
class SearchCommand final : public Command
{
public:
    SearchCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class InstallCommand final : public Command
{
public:
    InstallCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class UpdateCommand final : public Command
{
public:
    UpdateCommand();
    int run(CliSession& session, const QStringList& args) const override;
};

// The store's sources
class SourcesCommand final : public Command
{
public:
    SourcesCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class SourcesAddCommand final : public Command
{
public:
    SourcesAddCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class SourcesRemoveCommand final : public Command
{
public:
    SourcesRemoveCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class SourcesRefreshCommand final : public Command
{
public:
    SourcesRefreshCommand();
    int run(CliSession& session, const QStringList& args) const override;
};

// Projects: their lock files, restoring from them, and the content cache
class LockCommand final : public Command
{
public:
    LockCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class RestoreCommand final : public Command
{
public:
    RestoreCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class CacheCommand final : public Command
{
public:
    CacheCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class CacheClearCommand final : public Command
{
public:
    CacheClearCommand();
    int run(CliSession& session, const QStringList& args) const override;
};

// Backups
class BackupExportCommand final : public Command
{
public:
    BackupExportCommand();
    int run(CliSession& session, const QStringList& args) const override;
};
class BackupImportCommand final : public Command
{
public:
    BackupImportCommand();
    int run(CliSession& session, const QStringList& args) const override;
};

} // namespace Commands
