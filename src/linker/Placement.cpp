#include "linker/Placement.h"

#include "access/FileSystem.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The path with "." and ".." removed and the links in it resolved as far as it exists.
QString standardisedResolvedPath(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    const QString canonical = QFileInfo(clean).canonicalFilePath();
    return canonical.isEmpty() ? clean : canonical;
}

} // namespace

Outcome SymbolicLinkPlacement::place(const QString& hubItemPath, const QString& place) const
{
    return FileSystem::createSymbolicLink(place, hubItemPath);
}

bool SymbolicLinkPlacement::isPlacementOf(const QString& place, const QString& hubItemPath) const
{
    if (!FileSystem::isSymbolicLink(place))
        return false;
    const auto destination = FileSystem::linkDestinationText(place);
    if (!destination)
        return false;
    const QString absolute = QDir::isAbsolutePath(destination.value())
                                 ? destination.value()
                                 : FileSystem::childPath(QFileInfo(place).path(), destination.value());
    return standardisedResolvedPath(absolute) == standardisedResolvedPath(hubItemPath);
}

bool SymbolicLinkPlacement::mayReplace(const QString& place) const
{
    return FileSystem::isSymbolicLink(place);
}

Outcome SymbolicLinkPlacement::remove(const QString& place) const
{
    return FileSystem::remove(place);
}
