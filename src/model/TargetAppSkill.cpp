#include "model/TargetAppSkill.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isSameOrBelow(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

QString canonicalOrClean(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

} // namespace

bool TargetAppSkill::pointsIntoHub(const QString& hubPath) const
{
    if (!symlinkDestination || hubPath.isEmpty())
        return false;
    const QString destination = QDir::cleanPath(symlinkDestination->toLocalFile());
    // The paths as written match for links the program made; only others need the
    // links on their way resolved.
    return isSameOrBelow(destination, QDir::cleanPath(hubPath)) ||
           isSameOrBelow(canonicalOrClean(destination), canonicalOrClean(hubPath));
}

TargetItemState TargetAppSkill::classified(const QString& hubPath) const
{
    if (isBroken)
        return hasNamesakeInHub ? TargetItemState::repairable : TargetItemState::broken;
    if (!isSymlink)
        return TargetItemState::localItem;
    return pointsIntoHub(hubPath) ? TargetItemState::linked : TargetItemState::externalLink;
}

size_t qHash(const TargetAppSkill& skill, size_t seed)
{
    seed = qHashMulti(seed, skill.url.toString(), skill.name, skill.isSymlink);
    seed = skill.symlinkDestination ? qHashMulti(seed, 1, skill.symlinkDestination->toString())
                                    : qHashMulti(seed, 0);
    return qHashMulti(seed, skill.isBroken, skill.hasNamesakeInHub, static_cast<int>(skill.state));
}
