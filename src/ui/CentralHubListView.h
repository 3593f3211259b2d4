#pragma once

#include "model/Skill.h"
#include "ui/DesktopServices.h"

#include <QWidget>

#include <optional>

class HubSkillListModel;
class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;
class SkillUpdates;
class HubAudit;
class Workspace;

// The hub's items as last scanned: searchable by name, with reveal, delete, refresh and
// the update check, each item with an update marked, and a single selection shared with
// the detail column. Follows every change of the hub.
class CentralHubListView : public QWidget
{
    Q_OBJECT

public:
    CentralHubListView(Workspace& workspace, DesktopServices desktop, SkillUpdates& updates,
                       const HubAudit& audit, QWidget* parent = nullptr);

    void setSelectedSkill(const std::optional<Skill>& skill);
    // Back to an empty search, as when the hub is shown anew.
    void clearSearch();

Q_SIGNALS:
    void selectedSkillChanged(const std::optional<Skill>& skill);

private:
    void reload();
    QWidget* makeLoadingPage();
    // Asks first, then deletes the item from the hub.
    void confirmAndDelete(const Skill& skill);
    void takeSelectionFromList();
    void showContextMenu(const QPoint& position);
    QList<Skill> visibleSkills() const;
    // Asks every installed skill's repository, then tells what it found.
    void checkForUpdates();

    Workspace& m_workspace;
    DesktopServices m_desktop;
    SkillUpdates& m_updates;
    const HubAudit& m_audit;
    QLineEdit* m_search;
    QStackedWidget* m_pages;
    HubSkillListModel* m_model;
    QListView* m_list;
    QPushButton* m_chooseHub;
    QLabel* m_emptyHub;
    QAction* m_deleteAction;
    std::optional<Skill> m_selectedSkill;
};
