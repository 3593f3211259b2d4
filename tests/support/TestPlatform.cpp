#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

bool ScriptedSecurityScopes::startAccessing(const QString& folderPath)
{
    started.append(folderPath);
    if (m_refuseAll || m_refused.contains(folderPath))
        return false;
    granted.append(folderPath);
    return true;
}

void ScriptedSecurityScopes::stopAccessing(const QString& folderPath)
{
    stopped.append(folderPath);
}

std::optional<QString> FakeUserEnvironment::homeFolderOfUser(const QString& loginName) const
{
    if (!passwordHomes.contains(loginName))
        return std::nullopt;
    return passwordHomes.value(loginName);
}

std::optional<QString> InMemoryLegacyPreferences::string(const QString& key) const
{
    const QVariant value = values.value(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<QByteArray> InMemoryLegacyPreferences::bytes(const QString& key) const
{
    const QVariant value = values.value(key);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return value.toByteArray();
}
