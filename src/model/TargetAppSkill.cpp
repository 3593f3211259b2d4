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

FolderContainment::FolderContainment(const QString& folder)
    : m_folder(folder.isEmpty() ? QString() : QDir::cleanPath(folder))
{}

QString FolderContainment::canonicalOf(const QString& cleanPath) const
{
    // The last component is no link, so only the folder it lies in needs resolving.
    const qsizetype slash = cleanPath.lastIndexOf(u'/');
    if (slash <= 0)
        return canonicalOrClean(cleanPath);
    const QString parent = cleanPath.left(slash);
    auto known = m_canonicalParents.constFind(parent);
    if (known == m_canonicalParents.cend())
        known = m_canonicalParents.insert(parent, canonicalOrClean(parent));
    return *known + QStringView(cleanPath).mid(slash);
}

bool FolderContainment::contains(const QString& path) const
{
    if (m_folder.isEmpty())
        return false;
    const QString cleaned = QDir::cleanPath(path);
    // The paths as written match for links the program made; only others need the
    // links on their way resolved.
    if (isSameOrBelow(cleaned, m_folder))
        return true;
    if (!m_canonicalFolder)
        m_canonicalFolder = canonicalOrClean(m_folder);
    return isSameOrBelow(canonicalOf(cleaned), *m_canonicalFolder);
}

bool TargetAppSkill::pointsIntoHub(const QString& hubPath) const
{
    return symlinkDestination && FolderContainment(hubPath).contains(*symlinkDestination);
}

TargetItemState TargetAppSkill::classified(const QString& hubPath) const
{
    return classified(FolderContainment(hubPath));
}

TargetItemState TargetAppSkill::classified(const FolderContainment& hub) const
{
    if (isBroken)
        return hasNamesakeInHub ? TargetItemState::repairable : TargetItemState::broken;
    if (!isSymlink)
        return TargetItemState::localItem;
    return symlinkDestination && hub.contains(*symlinkDestination) ? TargetItemState::linked
                                                                   : TargetItemState::externalLink;
}

size_t qHash(const TargetAppSkill& skill, size_t seed)
{
    seed = qHashMulti(seed, skill.path, skill.name, skill.isSymlink);
    seed = skill.symlinkDestination ? qHashMulti(seed, 1, *skill.symlinkDestination) : qHashMulti(seed, 0);
    return qHashMulti(seed, skill.isBroken, skill.hasNamesakeInHub, static_cast<int>(skill.state));
}
