#include "actions/Workspace.h"

#include "actions/BackgroundTask.h"

#include "model/ModelContext.h"
#include "model/TargetApp.h"

Workspace::Workspace(ModelContext& context, PlatformServices platform, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_platform(platform)
    , m_access(platform.scopes, platform.user)
    , m_hub(context, platform.preferences, platform.user)
    , m_catalog(m_hub, m_access)
    , m_listing(context, m_hub, m_access)
    , m_records(context)
    , m_linker(context, m_hub, m_access, m_records, {m_linkPlacement, m_copyPlacement})
    , m_backup(context, m_hub)
    , m_changes(context)
    , m_lockFiles(*this)
{
    // A project's lock file follows Quorvane's placements in its apps: the records they leave,
    // not the folders, which a pull or a checkout may change on purpose.
    m_records.setOnChange([this](const QUuid& appID) { m_lockFiles.recordsChanged(appID); });
}

Workspace::~Workspace()
{
    for (BackgroundTask* task : findChildren<BackgroundTask*>(Qt::FindDirectChildrenOnly))
        task->cancel();
    m_workers.waitForDone();
}

void Workspace::runInBackground(std::function<void()> work)
{
    m_workers.start(std::move(work));
}

void Workspace::open(bool scanHub)
{
    m_hub.load();
    if (!scanHub)
        return;
    m_catalog.scanCentralRepository();
    m_changes.announceHubItems();
}

QList<TargetApp*> Workspace::apps() const
{
    return TargetApp::sortedByName(m_context.records<TargetApp>());
}

TargetApp* Workspace::app(const QUuid& id) const
{
    for (TargetApp* app : m_context.records<TargetApp>()) {
        if (app->id() == id)
            return app;
    }
    return nullptr;
}
