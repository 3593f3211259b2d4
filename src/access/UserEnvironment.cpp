#include "access/UserEnvironment.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

#include <pwd.h>
#include <unistd.h>

QString SystemUserEnvironment::homeFolder() const
{
    return QDir::homePath();
}

QString SystemUserEnvironment::loginName() const
{
    if (const passwd* entry = ::getpwuid(::getuid()))
        return QFile::decodeName(entry->pw_name);
    return qEnvironmentVariable("USER");
}

std::optional<QString> SystemUserEnvironment::homeFolderOfUser(const QString& loginName) const
{
    if (const passwd* entry = ::getpwnam(QFile::encodeName(loginName).constData()))
        return QFile::decodeName(entry->pw_dir);
    return std::nullopt;
}

QString expandingTilde(const QString& path, const UserEnvironment& user)
{
    if (!path.startsWith(u'~'))
        return path;
    const qsizetype slash = path.indexOf(u'/');
    const QString name = path.mid(1, slash < 0 ? -1 : slash - 1);
    const QString rest = slash < 0 ? QString() : path.mid(slash);
    if (name.isEmpty())
        return user.homeFolder() + rest;
    if (const auto home = user.homeFolderOfUser(name))
        return *home + rest;
    return path;
}

QString abbreviatingHomeFolder(const QString& path, const QString& homeFolder)
{
    const QString home = QDir::cleanPath(homeFolder);
    if (home.isEmpty() || home == u"/"_s)
        return path;
    if (path == home)
        return u"~"_s;
    if (path.startsWith(home + u'/'))
        return u"~"_s + path.mid(home.size());
    return path;
}
