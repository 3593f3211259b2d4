#include "access/ProjectFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

bool isSameOrInside(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

} // namespace

namespace ProjectFolder {

QString lockFileName()
{
    return u"quorvane-lock.json"_s;
}

QString lockFilePath(const QString& project)
{
    return QDir(project).filePath(lockFileName());
}

std::optional<QString> linkLeaving(const QString& project, const QString& path)
{
    const QString root = QDir::cleanPath(project);
    const QString target = QDir::cleanPath(path);
    if (!isSameOrInside(target, root))
        return target;
    // The project itself may be reached through a link the user chose: only what lies below counts.
    const QString canonicalRoot = QFileInfo(root).canonicalFilePath();
    if (canonicalRoot.isEmpty())
        return std::nullopt; // nothing exists yet that could lead anywhere
    QString step = root;
    const QStringList parts = target.mid(root.size()).split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        step += u'/' + part;
        struct stat info
        {};
        if (::lstat(QFile::encodeName(step).constData(), &info) != 0)
            return std::nullopt; // the rest is made as plain folders, inside
        if (!S_ISLNK(info.st_mode))
            continue;
        const QString leadsTo = QFileInfo(step).canonicalFilePath();
        if (leadsTo.isEmpty() || !isSameOrInside(leadsTo, canonicalRoot))
            return step;
    }
    return std::nullopt;
}

bool isLockFileWritable(const QString& project)
{
    struct stat info
    {};
    if (::lstat(QFile::encodeName(lockFilePath(project)).constData(), &info) != 0)
        return errno == ENOENT;
    return S_ISREG(info.st_mode);
}

} // namespace ProjectFolder
