#pragma once

#include "actions/LockedFetch.h"
#include "linker/PlacementPlan.h"
#include "model/Skill.h"
#include "model/TargetAppSkill.h"
#include "store/RemoteSkillItem.h"
#include "ui/DesktopServices.h"
#include "ui/SidebarSelection.h"

#include <QList>
#include <QWidget>

#include <optional>
#include <vector>

class CentralHubListView;
class HealthView;
class SkillUpdates;
class HubAudit;
class FolderWatch;
class StoreWatch;
class PlaceholderView;
class QStackedWidget;
class SidebarView;
class SkillStoreListView;
class SkillStoreService;
class TargetApp;
class TargetAppSkillsListView;
class TaskStrip;
class QSplitter;
class Workspace;
class WindowCommands;

// The main window: the sidebar, a content column (a list) and a detail column (the
// selected item), each column filled according to the sidebar selection. The window's
// commands are WindowCommands'; the views follow the action layer's change notifications.
class ContentView : public QWidget
{
    Q_OBJECT

public:
    ContentView(Workspace& workspace, SkillStoreService& store, DesktopServices desktop,
                QWidget* parent = nullptr);

    // Takes in what other programs changed while the user was away.
    void applicationStateChanged(Qt::ApplicationState state);

    // The widths of the three columns, to be restored in a later run.
    QByteArray columnsState() const;
    bool restoreColumns(const QByteArray& state);
    // The sidebar's section; an app that no longer exists shows the hub.
    std::optional<SidebarSelection> section() const { return m_selection; }
    void showSection(const SidebarSelection& section);
    // How a project's restore reaches GitHub; without it, only the content cache serves.
    void setFetchAccess(const FetchAccess& access);
    // Offers the skills other installers placed for adoption, when there are any; true then.
    bool offerAdoption();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeSidebarColumn();
    void setSelection(const std::optional<SidebarSelection>& selection);
    void reloadTargetApps();
    void updateColumns();
    void updateContentColumn(const TargetApp* app);
    void updateDetailColumn(const TargetApp* app);
    const TargetApp* selectedApp() const;
    void showSelectedSkill();
    void showSelectedTargetSkill();
    void showSelectedStoreSkill();
    void replaceDetailPage(QWidget*& page, QWidget* replacement);

    Workspace& m_workspace;
    SkillStoreService& m_store;
    DesktopServices m_desktop;

    QList<TargetApp*> m_targetApps;
    std::optional<SidebarSelection> m_selection = SidebarSelection::centralHub();
    std::optional<RemoteSkillItem> m_selectedStoreSkill;
    std::optional<Skill> m_selectedSkill;
    std::optional<TargetAppSkill> m_selectedTargetSkill;
    bool m_wasShown = false;
    bool m_wasInactiveSinceShown = false;

    SkillUpdates* m_updates; // the workspace's child: checks and updates outlive the window
    HubAudit* m_audit;       // the workspace's child, read again as the hub changes
    FolderWatch* m_folderWatch;
    StoreWatch* m_storeWatch; // another process's commits, taken in while the window is open
    SidebarView* m_sidebar;
    QSplitter* m_columns;
    QStackedWidget* m_content;
    PlaceholderView* m_contentPlaceholder;
    CentralHubListView* m_hubList;
    SkillStoreListView* m_storeList;
    TargetAppSkillsListView* m_appSkillsList;
    HealthView* m_health;
    QStackedWidget* m_detail;
    PlaceholderView* m_detailPlaceholder;
    QWidget* m_emptyDetail;
    QWidget* m_skillDetail = nullptr;
    QWidget* m_targetSkillDetail = nullptr;
    QWidget* m_storeSkillDetail = nullptr;
    TaskStrip* m_taskStrip;
    WindowCommands* m_commands;
};
