#pragma once

#include "base/Result.h"
#include "model/Skill.h"

#include <QList>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <optional>

class FolderAccess;
class HubSettings;
class QObject;
class SecurityScopes;

// The hub's items as last scanned, sorted by name.
class HubCatalog
{
public:
    HubCatalog(const HubSettings& settings, const FolderAccess& access);
    ~HubCatalog();
    HubCatalog(const HubCatalog&) = delete;
    HubCatalog& operator=(const HubCatalog&) = delete;

    // Reads the hub folder anew through its bookmark; an unusable bookmark empties the list.
    void scanCentralRepository();
    // The same, with the folder read on a worker thread: the list changes, and `done`
    // runs, later on this thread, unless `context` has gone by then. A scan started
    // later wins over one still running.
    void scanInBackground(QObject* context, std::function<void()> done);
    bool isScanning() const { return m_runningScans > 0; }
    const QList<Skill>& availableSkills() const { return m_availableSkills; }
    // The items of a folder that is not (yet) the chosen hub, as a scan would list them:
    // the default folder before any other was chosen.
    static Result<QList<Skill>> itemsOfFolder(const QString& folder);

    // The scanned item whose file name (extension included) is this, if any.
    std::optional<Skill> itemNamed(const QString& fileName) const;
    // Whether the hub folder holds an entry of that name; nothing when it cannot be reached.
    std::optional<bool> containsItem(const QString& itemName) const;
    // The hub item of that file name read from the disk now, without a scan of the hub:
    // nothing when the hub cannot be reached or has no such item.
    std::optional<Skill> readItem(const QString& fileName) const;

private:
    std::optional<QString> reachForScan() const;
    void takeScan(Result<QList<Skill>> skills);

    const HubSettings& m_settings;
    const FolderAccess& m_access;
    QList<Skill> m_availableSkills;
    int m_scanGeneration = 0;
    int m_runningScans = 0;
    std::atomic<bool> m_stopping = false;
    QThreadPool m_workers;
};
