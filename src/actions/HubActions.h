#pragma once

#include "base/Result.h"

#include <QString>

#include <optional>

class Workspace;

// Choosing the hub folder and reading it again.
class HubActions
{
public:
    explicit HubActions(Workspace& workspace);

    // Makes the folder the hub: keeps its bookmark and path, then scans it.
    Outcome chooseHub(const QString& folderPath);
    // Whether the hub can be written; nothing when it cannot be reached.
    std::optional<bool> isHubWritable() const;

    // Reads the hub folder again.
    void rescan();
    // The same on a worker thread, so the window never waits on the disk: the hub's items
    // are announced as loading at once and again when they are in.
    void rescanInBackground();
    // Takes in what other programs changed meanwhile: records, the hub and every target folder.
    void takeOutsideChanges();

private:
    Workspace& m_workspace;
};
