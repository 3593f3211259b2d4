#pragma once

#include <QStringList>

class CliSession;

// The tool's commands, one function each, grouped in a file per subject. Each takes the
// session (the store, the workspace and the switches given) and the command's arguments,
// prints its results and returns the exit status.
namespace Commands {

// The hub, and the check of its skills
int hub(CliSession& session, const QStringList& args);
int hubSet(CliSession& session, const QStringList& args);
int check(CliSession& session, const QStringList& args);
int audit(CliSession& session, const QStringList& args);
int doctor(CliSession& session, const QStringList& args);

// The target apps
int apps(CliSession& session, const QStringList& args);
int appsAdd(CliSession& session, const QStringList& args);
int appsPresets(CliSession& session, const QStringList& args);
int appsRename(CliSession& session, const QStringList& args);
int appsRemove(CliSession& session, const QStringList& args);
int appsMode(CliSession& session, const QStringList& args);

// Placing hub items into apps, and what is placed
int link(CliSession& session, const QStringList& args);
int unlink(CliSession& session, const QStringList& args);
int sync(CliSession& session, const QStringList& args);
int linked(CliSession& session, const QStringList& args);
int status(CliSession& session, const QStringList& args);
int restoreLinks(CliSession& session, const QStringList& args);

// Single entries of an app's folder
int importEntry(CliSession& session, const QStringList& args);
int repair(CliSession& session, const QStringList& args);
int remove(CliSession& session, const QStringList& args);

// Searching, installing and updating skills
int search(CliSession& session, const QStringList& args);
int install(CliSession& session, const QStringList& args);
int update(CliSession& session, const QStringList& args);

// The store's sources
int sources(CliSession& session, const QStringList& args);
int sourcesAdd(CliSession& session, const QStringList& args);
int sourcesRemove(CliSession& session, const QStringList& args);
int sourcesRefresh(CliSession& session, const QStringList& args);

// Projects: their lock files, restoring from them, and the content cache
int lock(CliSession& session, const QStringList& args);
int restore(CliSession& session, const QStringList& args);
int cache(CliSession& session, const QStringList& args);
int cacheClear(CliSession& session, const QStringList& args);

// Backups
int backupExport(CliSession& session, const QStringList& args);
int backupImport(CliSession& session, const QStringList& args);

} // namespace Commands
