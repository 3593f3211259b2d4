// Making and taking away links in target folders.
#include "FileLinkerService.h"

#include "Log.h"
#include "TargetApp.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The path with "." and ".." removed and the links in it resolved as far as it exists.
QString standardisedResolvedPath(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    const QString canonical = QFileInfo(clean).canonicalFilePath();
    return canonical.isEmpty() ? clean : canonical;
}

QString lastComponent(const QUrl& url)
{
    return QFileInfo(url.toLocalFile()).fileName();
}

} // namespace

bool FileLinkerService::isLinked(const QString& targetFolderPath, const QString& hubItemPath)
{
    const QString candidate = FileSystem::childPath(targetFolderPath, QFileInfo(hubItemPath).fileName());
    if (!FileSystem::isSymbolicLink(candidate))
        return false;
    const auto destination = FileSystem::linkDestinationText(candidate);
    if (!destination)
        return false;
    const QString absolute = QDir::isAbsolutePath(destination.value())
                                 ? destination.value()
                                 : FileSystem::childPath(targetFolderPath, destination.value());
    return standardisedResolvedPath(absolute).toLower() == standardisedResolvedPath(hubItemPath).toLower();
}

bool FileLinkerService::isSkillLinked(const Skill& skill, const TargetApp& app) const
{
    return withTargetFolderAccess(
               app, [&](const QString& folder) { return isLinked(folder, skill.url.toLocalFile()); })
        .value_or(false);
}

LinkToggleResult FileLinkerService::toggleLink(const Skill& skill, const TargetApp& app, bool linked)
{
    const QString itemPath = skill.url.toLocalFile();
    const auto current =
        withTargetFolderAccess(app, [&](const QString& folder) { return isLinked(folder, itemPath); });
    if ((!current && !linked) || current == linked)
        return current ? LinkToggleResult::alreadyInState : LinkToggleResult::folderUnreachable;

    const QString name = lastComponent(skill.url);
    bool created = false;
    bool removed = false;
    const auto ran = withTargetFolderAccess(app, [&](const QString& folder) {
        const QString place = FileSystem::childPath(folder, name);
        const auto fail = [&](const QString& description) {
            Log::line(u"Failed to toggle link at "_s + place + u": "_s + description);
        };
        if (!linked) {
            if (const Outcome gone = FileSystem::remove(place); gone)
                removed = true;
            else
                fail(gone.error().description);
            return true;
        }
        if (FileSystem::exists(place)) {
            // A working link of someone else's goes (never its destination); a real
            // file or folder stays: it is the user's content and can be imported instead.
            if (!FileSystem::isSymbolicLink(place)) {
                fail(u"A file or folder that is not a link already has this name; it was left as it is."_s);
                return true;
            }
            if (const Outcome gone = FileSystem::remove(place); !gone) {
                fail(gone.error().description);
                return true;
            }
        }
        if (const Outcome made = FileSystem::createSymbolicLink(place, itemPath); made)
            created = true;
        else
            fail(made.error().description);
        return true;
    });

    if (removed)
        removeLinkRecord(app.id(), name);
    else if (created)
        upsertLinkRecord(app.id(), name);
    Q_EMIT stateChanged();

    if (!ran)
        return LinkToggleResult::folderUnreachable;
    return created || removed ? LinkToggleResult::changed : LinkToggleResult::failed;
}

bool FileLinkerService::removeTargetItem(const QString& itemPath, const TargetApp& app)
{
    // The folder only opens the access; the item deleted is the given path itself.
    const bool deleted = withTargetFolderAccess(app, [&](const QString&) {
                             return FileSystem::remove(itemPath).ok();
                         }).value_or(false);
    removeLinkRecord(app.id(), QFileInfo(itemPath).fileName());
    Q_EMIT stateChanged();
    return deleted;
}
