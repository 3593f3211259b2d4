#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

class Workspace;

// Saving the configuration to a backup file; BackupImport replaces it with one.
class BackupActions
{
public:
    explicit BackupActions(Workspace& workspace);

    // The document to save, made before anyone is asked where to.
    Result<QByteArray> prepareExport();
    Outcome save(const QString& filePath, const QByteArray& document);
    // Both steps at once, for the command line.
    Outcome exportTo(const QString& filePath);

private:
    Workspace& m_workspace;
};
