#include "UserEnvironment.h"

#include <QDir>
#include <QFile>

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
