#include "TestPlatform.h"

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

std::optional<QString> ScriptedFilePanels::nextAnswer()
{
    return answers.isEmpty() ? std::nullopt : answers.takeFirst();
}

std::optional<QString> ScriptedFilePanels::chooseFolder(const FolderPanelRequest& request)
{
    folderRequests.append(request);
    return nextAnswer();
}

std::optional<QString> ScriptedFilePanels::chooseFileToOpen(const FilePanelRequest& request)
{
    fileRequests.append(request);
    return nextAnswer();
}

std::optional<QString> ScriptedFilePanels::chooseFileToSave(const FilePanelRequest& request)
{
    fileRequests.append(request);
    return nextAnswer();
}

void RecordingAlerts::inform(const QString& title, const QString& text, AlertStyle style)
{
    shown.append(title + u"|"_s + text);
    styles.append(style);
}

bool RecordingAlerts::confirmDestructive(const QString& title, const QString& text, const QString&,
                                         const QString&)
{
    shown.append(title + u"|"_s + text);
    return confirmations.isEmpty() ? false : confirmations.takeFirst();
}
