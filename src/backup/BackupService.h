#pragma once

#include "PlatformServices.h"

#include <QString>

class FileLinkerService;
class ModelContext;

// Saves the whole configuration (hub, target apps, link records) to a JSON file the
// user names, and replaces it with a file's content. Holds nothing between calls.
class BackupService
{
public:
    explicit BackupService(PlatformServices platform);

    // Asks for a file and writes the backup there atomically; failures are only logged.
    // True when a backup was written.
    bool exportBackup(ModelContext& context, FileLinkerService& linker);

    // Asks for a backup file and replaces every record with its content in one save,
    // then reloads the linker, rescans the hub and recreates missing links. A file that
    // cannot be read, or any later failure, leaves the store as it was and is shown in
    // an alert. True when the configuration was replaced.
    bool importBackup(ModelContext& context, FileLinkerService& linker);

    // The file name the save panel proposes, from the local date and time.
    static QString proposedFileName();

private:
    PlatformServices m_platform;
};
