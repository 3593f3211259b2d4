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
class Workspace;

// The hub's items as last scanned: searchable by name, with reveal, delete and refresh,
// and a single selection shared with the detail column. Follows every change of the hub.
class CentralHubListView : public QWidget
{
    Q_OBJECT

public:
    CentralHubListView(Workspace& workspace, DesktopServices desktop, QWidget* parent = nullptr);

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

    Workspace& m_workspace;
    DesktopServices m_desktop;
    QLineEdit* m_search;
    QStackedWidget* m_pages;
    HubSkillListModel* m_model;
    QListView* m_list;
    QPushButton* m_chooseHub;
    QLabel* m_emptyHub;
    QAction* m_deleteAction;
    std::optional<Skill> m_selectedSkill;
};
