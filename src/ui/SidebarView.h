#pragma once

#include "ui/SidebarSelection.h"

#include <QList>
#include <QSet>
#include <QWidget>

#include <optional>

class QAction;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TargetApp;

// The sidebar list "Übersicht": the store, the central hub and one row per target app.
class SidebarView : public QWidget
{
    Q_OBJECT

public:
    explicit SidebarView(QWidget* parent = nullptr);

    // Rebuilds the "Apps" and "Projekte" sections, in the given order; project folders are
    // shown with "~" for the home folder, as app folders are.
    void setTargetApps(const QList<TargetApp*>& apps, const QString& homeFolder);
    // Marks the rows of the apps whose assistant cannot see some of their skills.
    void setAppsWithErrors(const QSet<QUuid>& apps);

    std::optional<SidebarSelection> selection() const;
    void setSelection(const std::optional<SidebarSelection>& selection);

    // Shows a name field in place of the app's name, focused, filled with `name`.
    void startRenaming(const QUuid& appID, const QString& name);
    void finishRenaming();

Q_SIGNALS:
    void selectionChanged(const std::optional<SidebarSelection>& selection);
    // What the user asks of an app row; the window does it.
    void renameRequested(const QUuid& appID);
    void renameCommitted(const QUuid& appID, const QString& text);
    void revealRequested(const QUuid& appID);
    void renewAccessRequested(const QUuid& appID);
    void deleteRequested(const QList<QUuid>& appIDs);
    // "Projekt hinzufügen…", from the row under "Projekte" or its shortcut.
    void addProjectRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* addSection(const QString& title);
    QTreeWidgetItem* addEntry(QTreeWidgetItem* section, const QString& label, const QString& symbolName,
                              const SidebarSelection& value);
    QTreeWidgetItem* itemFor(const SidebarSelection& selection) const;
    void takeSelectionFromTree();
    void showContextMenu(const QPoint& position);
    std::optional<QUuid> appIDOf(const QTreeWidgetItem* item) const;
    void rebuildAppRows();
    QLineEdit* renameField() const;
    // The app a row action is for: the row clicked for the context menu, else the selected one.
    std::optional<QUuid> actionAppID() const;
    QAction* makeAppAction(const QString& objectName, const QString& text,
                           void (SidebarView::*request)(const QUuid&));

    QTreeWidget* m_tree;
    QTreeWidgetItem* m_appsSection;
    QTreeWidgetItem* m_projectsSection;
    std::optional<SidebarSelection> m_selection;
    QList<TargetApp*> m_apps;
    QString m_homeFolder;
    QSet<QUuid> m_appsWithErrors;
    std::optional<QUuid> m_renamingAppID;
    std::optional<QUuid> m_contextMenuAppID;
    QAction* m_revealAction;
    QAction* m_renameAction;
    QAction* m_renewAccessAction;
    QAction* m_addProjectAction;
    QTreeWidgetItem* m_addProjectRow;
};
