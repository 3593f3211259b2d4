#include "TargetAppSkill.h"

#include <QDir>

namespace {

// Removes "." and ".." components and duplicate separators, as a standardised file URL does.
QString normalisedLowerCasePath(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path)).toLower();
}

} // namespace

bool TargetAppSkill::pointsIntoHub(const QString& hubPath) const
{
    if (!symlinkDestination)
        return false;
    const QString destination = normalisedLowerCasePath(symlinkDestination->toLocalFile());
    return destination.startsWith(normalisedLowerCasePath(hubPath));
}

bool operator==(const TargetAppSkill& a, const TargetAppSkill& b)
{
    const auto sameDestination = [&] {
        if (a.symlinkDestination.has_value() != b.symlinkDestination.has_value())
            return false;
        return !a.symlinkDestination || a.symlinkDestination->toString() == b.symlinkDestination->toString();
    };
    return a.url.toString() == b.url.toString() && a.name == b.name && a.isSymlink == b.isSymlink &&
           sameDestination() && a.isBroken == b.isBroken && a.hasNamesakeInHub == b.hasNamesakeInHub;
}

size_t qHash(const TargetAppSkill& skill, size_t seed)
{
    seed = qHashMulti(seed, skill.url.toString(), skill.name, skill.isSymlink);
    seed = skill.symlinkDestination ? qHashMulti(seed, 1, skill.symlinkDestination->toString())
                                    : qHashMulti(seed, 0);
    return qHashMulti(seed, skill.isBroken, skill.hasNamesakeInHub);
}

TargetItemState targetItemState(const TargetAppSkill& item, const QString& hubPath)
{
    if (item.isBroken)
        return item.hasNamesakeInHub ? TargetItemState::repairable : TargetItemState::broken;
    if (item.pointsIntoHub(hubPath))
        return TargetItemState::linked;
    return TargetItemState::importable;
}
