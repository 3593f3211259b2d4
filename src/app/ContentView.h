#pragma once

#include "BackupService.h"
#include "PlatformServices.h"
#include "RemoteSkillItem.h"
#include "SidebarSelection.h"
#include "Skill.h"
#include "SkillStoreService.h"
#include "StoreViews.h"
#include "TargetAppSkill.h"

#include <QList>
#include <QWidget>

#include <optional>

class CentralHubListView;
class FileLinkerService;
class ModelContext;
class PlaceholderView;
class QStackedWidget;
class QToolButton;
class SidebarView;
class TargetAppSkillsListView;
class TargetApp;

// The main window: the sidebar, a content column (a list) and a detail column (the
// selected item), each column filled according to the sidebar selection.
class ContentView : public QWidget
{
    Q_OBJECT

public:
    ContentView(FileLinkerService& linker, ModelContext& modelContext, PlatformServices platform,
                StoreEndpoints storeEndpoints = StoreEndpoints::defaults(), QWidget* parent = nullptr);

    std::optional<SidebarSelection> selection() const { return m_selection; }
    void setSelection(const std::optional<SidebarSelection>& selection);

    // The target apps as the sidebar lists them: all records, by name.
    const QList<TargetApp*>& targetApps() const { return m_targetApps; }

    // Rescans the hub when the user comes back to the program.
    void applicationStateChanged(Qt::ApplicationState state);

    // --- What the user does with target apps in the sidebar
    void showAddAppSheet();
    void startRenamingApp(const QUuid& appID);
    void commitRenamingApp(const QUuid& appID, const QString& text);
    void revealApp(const QUuid& appID);
    // Checks the hub and the app's folder and lets the user pick them again; tells the outcome.
    void renewAppAccess(const QUuid& appID);
    // Deletes the apps and their link records (links on disk stay), saving once.
    void deleteApps(const QList<QUuid>& appIDs);

    SidebarView* sidebar() const { return m_sidebar; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeSidebarColumn();
    void reloadTargetApps();
    void updateColumns();
    void updateContentColumn(const TargetApp* app);
    void updateDetailColumn(const TargetApp* app);
    const TargetApp* selectedApp() const;
    TargetApp* appWithID(const QUuid& appID) const;
    void showSelectedSkill();
    void showSelectedTargetSkill();
    void showSelectedStoreSkill();
    void replaceDetailPage(QWidget*& page, QWidget* replacement);

    FileLinkerService& m_linker;
    ModelContext& m_modelContext;
    PlatformServices m_platform;
    BackupService m_backup;

    QList<TargetApp*> m_targetApps;
    std::optional<SidebarSelection> m_selection = SidebarSelection::centralHub();
    SkillStoreService m_storeService;
    std::optional<RemoteSkillItem> m_selectedStoreSkill;
    std::optional<Skill> m_selectedSkill;
    std::optional<TargetAppSkill> m_selectedTargetSkill;
    bool m_wasShown = false;
    bool m_wasInactiveSinceShown = false;

    SidebarView* m_sidebar;
    QStackedWidget* m_content;
    PlaceholderView* m_contentPlaceholder;
    CentralHubListView* m_hubList;
    SkillStoreListView* m_storeList;
    TargetAppSkillsListView* m_appSkillsList;
    QStackedWidget* m_detail;
    PlaceholderView* m_detailPlaceholder;
    QWidget* m_emptyDetail;
    QWidget* m_skillDetail = nullptr;
    QWidget* m_targetSkillDetail = nullptr;
    QWidget* m_storeSkillDetail = nullptr;
};
