#include "linker/Placement.h"

#include "access/FileSystem.h"
#include "access/FolderContent.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

// The path with "." and ".." removed and the links in it resolved as far as it exists.
QString standardisedResolvedPath(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    const QString canonical = QFileInfo(clean).canonicalFilePath();
    return canonical.isEmpty() ? clean : canonical;
}

// A hub item may itself be a link to a folder elsewhere: a copy holds what it leads to.
QString followed(const QString& hubItemPath)
{
    auto resolved = FileSystem::resolveLink(hubItemPath);
    return resolved ? std::move(resolved).value() : hubItemPath;
}

} // namespace

Outcome Placement::replace(const QString& hubItemPath, const QString& place) const
{
    const QString staging = FileSystem::childPath(
        QFileInfo(place).path(), u".quorvane-place-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (Outcome made = this->place(hubItemPath, staging); !made)
        return made;
    if (Outcome exchanged = FileSystem::exchange(place, staging); !exchanged) {
        (void)FileSystem::remove(staging);
        return exchanged;
    }
    // The old entry now stands under the hidden name.
    return FileSystem::remove(staging);
}

Outcome Placement::remove(const QString& place)
{
    return FileSystem::remove(place);
}

Outcome SymbolicLinkPlacement::place(const QString& hubItemPath, const QString& place) const
{
    return FileSystem::createSymbolicLink(place, hubItemPath);
}

bool SymbolicLinkPlacement::isPlacementOf(const QString& place, const QString& hubItemPath) const
{
    // Reading the link answers "is it a link" too: anything else fails.
    const auto destination = FileSystem::linkDestinationText(place);
    if (!destination)
        return false;
    const QString absolute = QDir::isAbsolutePath(destination.value())
                                 ? destination.value()
                                 : FileSystem::childPath(QFileInfo(place).path(), destination.value());
    // The links Quorvane makes hold the hub item's path as it is; only others need resolving.
    return QDir::cleanPath(absolute) == QDir::cleanPath(hubItemPath) ||
           standardisedResolvedPath(absolute) == standardisedResolvedPath(hubItemPath);
}

bool SymbolicLinkPlacement::mayReplace(const QString& place) const
{
    return FileSystem::isSymbolicLink(place);
}

Outcome CopyPlacement::place(const QString& hubItemPath, const QString& place) const
{
    return FileSystem::copy(followed(hubItemPath), place);
}

bool CopyPlacement::isPlacementOf(const QString& place, const QString& hubItemPath) const
{
    if (FileSystem::isSymbolicLink(place) || !FileSystem::exists(place))
        return false;
    const auto here = FolderContent::contentHashOf(place);
    const auto there = FolderContent::contentHashOf(followed(hubItemPath));
    return here && there && here.value() == there.value();
}

bool CopyPlacement::mayReplace(const QString&) const
{
    return false;
}

Result<std::optional<QString>> CopyPlacement::fingerprint(const QString& place) const
{
    auto hash = FolderContent::contentHashOf(place);
    if (!hash)
        return hash.error();
    return std::optional(hash.value());
}

CopyState copyStateOf(const QString& place, const QString& hubItemPath, const QString& copiedHash)
{
    const auto here = FolderContent::contentHashOf(place);
    if (!here || here.value() != copiedHash)
        return CopyState::modified;
    const auto there = FolderContent::contentHashOf(followed(hubItemPath));
    return there && there.value() == copiedHash ? CopyState::current : CopyState::outdated;
}
