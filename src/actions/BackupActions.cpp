#include "actions/BackupActions.h"

#include "actions/Workspace.h"
#include "base/Log.h"

using namespace Qt::StringLiterals;

BackupActions::BackupActions(Workspace& workspace)
    : m_workspace(workspace)
{}

Result<QByteArray> BackupActions::prepareExport()
{
    auto document = m_workspace.backup().exportDocument();
    if (!document)
        Log::line(u"Failed to export backup: "_s + document.error().description);
    return document;
}

Outcome BackupActions::save(const QString& filePath, const QByteArray& document)
{
    Outcome written = BackupService::writeDocument(filePath, document);
    if (!written)
        Log::line(u"Failed to export backup: "_s + written.error().description);
    return written;
}

Outcome BackupActions::exportTo(const QString& filePath)
{
    const auto document = prepareExport();
    if (!document)
        return document.error();
    return save(filePath, document.value());
}
