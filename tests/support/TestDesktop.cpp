#include "support/TestDesktop.h"

using namespace Qt::StringLiterals;

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
