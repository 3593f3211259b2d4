#pragma once

#include "base/Result.h"
#include "linker/PlacementPlan.h"

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
    // and now, leaving conflicts alone, as the command line wants it once it has shown the
    // plan. The window does the same in the background.
    Outcome importFrom(const QString& filePath);
    // What restoring the file's placements would do, one plan per app, before anything is
    // imported; the store is not touched. Fails when the file cannot be used.
    Result<std::vector<PlacementPlan>> planImport(const QString& filePath) const;

private:
    Workspace& m_workspace;
};
