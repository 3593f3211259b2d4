#pragma once

#include "backup/ProjectPolicy.h"

#include "linker/PlacementPlanner.h"
#include "model/TargetAppSkill.h"
#include "ui/DesktopServices.h"

#include <QPointer>
#include <QWidget>

#include <optional>

struct AssistantPreset;
class BackgroundTask;
class ElidedLabel;
class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QStackedWidget;
class QToolButton;
class TargetApp;
class Workspace;

// Everything in one target app's folder, with the action that fits each entry. Follows
// every change of the app, its folder and the hub.
class TargetAppSkillsListView : public QWidget
{
    Q_OBJECT

public:
    TargetAppSkillsListView(Workspace& workspace, DesktopServices desktop, QWidget* parent = nullptr);

    // Shows another app's folder (read at once).
    void setTargetApp(TargetApp* app);

    void setSelectedItem(const std::optional<TargetAppSkill>& item);
    // Off while a long task runs that the rows' actions would get in the way of.
    void setActionsEnabled(bool enabled);
    // Shows the remedy's plan for the entry and carries it out once agreed to.
    void applyRemedy(const TargetAppSkill& item, EntryRemedy remedy);

Q_SIGNALS:
    void selectedItemChanged(const std::optional<TargetAppSkill>& item);
    // An import went to the background; the window shows its progress.
    void taskStarted(BackgroundTask* task);
    // "Aus quorvane-lock.json wiederherstellen…" for the app's project.
    void restoreProjectRequested(const QString& project);

private:
    // The policy's rules in a sentence, for the project's apps.
    static QString policyText(const ProjectPolicy& policy);
    // What is known of the app's assistant, each fact with a link to its source.
    static QString factsText(const AssistantPreset& preset);

    void reload();
    QWidget* makeRow(const TargetAppSkill& item);
    void showContextMenu(const QPoint& position);
    void repair(const TargetAppSkill& item);
    void import(const TargetAppSkill& item);
    void confirmAndDelete(const TargetAppSkill& item);
    void refreshCopy(const TargetAppSkill& item);
    // Plans linking every hub item (or taking every link away), shows the plan, and
    // carries it out in the background when the user agrees.
    void changeAll(bool link);
    void syncCopies();
    // Plans converting the app's placements to the mode picked; a cancelled plan keeps the mode.
    void switchMode(int index);
    // Shows the plan and carries it out in the background when the user agrees; true then.
    bool review(const QString& title, std::optional<PlacementPlan> plan);

    Workspace& m_workspace;
    DesktopServices m_desktop;
    QPointer<TargetApp> m_app;
    QList<TargetAppSkill> m_items;
    std::optional<TargetAppSkill> m_selected;
    // The entry the user chose. It stays chosen while it is briefly gone, as when an import
    // moves it into the hub and puts a link in its place, and shows again when it is back.
    std::optional<QString> m_chosenPath;
    ElidedLabel* m_title;
    QStackedWidget* m_pages;
    QListWidget* m_list;
    QAction* m_deleteAction;
    QToolButton* m_linkAll;
    QToolButton* m_unlinkAll;
    QToolButton* m_sync;
    QToolButton* m_restoreProject;
    QLabel* m_policy; // the project's policy, where it has one
    QLabel* m_facts;  // what is known of the app's assistant
    QComboBox* m_mode;
    bool m_actionsEnabled = true;
};

// One entry of an app's folder, its state told in words.
class TargetSkillDetailView : public QWidget
{
    Q_OBJECT

public:
    TargetSkillDetailView(const TargetAppSkill& item, DesktopServices desktop, QWidget* parent = nullptr);

Q_SIGNALS:
    // The user asked for this remedy of the entry.
    void remedyRequested(EntryRemedy remedy);
};
