#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

class Workspace;

// Saving the configuration to a backup file and replacing it with one.
class BackupActions
{
public:
    explicit BackupActions(Workspace& workspace);

    // The document to save, made before anyone is asked where to.
    Result<QByteArray> prepareExport();
    Outcome save(const QString& filePath, const QByteArray& document);
    // Both steps at once, for the command line.
    Outcome exportTo(const QString& filePath);

    // Replaces the configuration with the file's (nothing changes when the file cannot be
    // used), then reads the hub again and makes the recorded links that are missing, here
    // and now, as the command line wants it. The window does the same in the background.
    Outcome importFrom(const QString& filePath);

private:
    Workspace& m_workspace;
};
