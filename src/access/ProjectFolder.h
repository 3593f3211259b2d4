#pragma once

#include <QString>

#include <optional>

// A project is a repository the user cloned, possibly from a stranger: nothing in it may lead
// Quorvane's writes outside it, through a linked folder or a linked lock file.
namespace ProjectFolder {

// The project's lock file, in its root.
QString lockFileName();
QString lockFilePath(const QString& project);

// The first entry on the way from the project folder down to `path` that is a link leading
// outside the project (or nowhere); nothing when every existing step stays inside. A path that
// does not lie below the project at all is itself returned.
std::optional<QString> linkLeaving(const QString& project, const QString& path);

// Whether the project's lock file may be written: absent, or a plain file. A link or anything
// other than a regular file is never written through.
bool isLockFileWritable(const QString& project);

} // namespace ProjectFolder
