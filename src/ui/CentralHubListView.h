#pragma once

#include "PlatformServices.h"
#include "Skill.h"

#include <QWidget>

#include <optional>

class FileLinkerService;
class HubSkillListModel;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;

// The hub's items as the linker last scanned them: searchable by name, with reveal,
// delete and refresh, and a single selection shared with the detail column.
class CentralHubListView : public QWidget
{
    Q_OBJECT

public:
    CentralHubListView(FileLinkerService& linker, PlatformServices platform, QWidget* parent = nullptr);

    const std::optional<Skill>& selectedSkill() const { return m_selectedSkill; }
    void setSelectedSkill(const std::optional<Skill>& skill);
    // Back to an empty search, as when the hub is shown anew.
    void clearSearch();

    // Asks first, then deletes the item from the hub.
    void confirmAndDelete(const Skill& skill);

Q_SIGNALS:
    void selectedSkillChanged(const std::optional<Skill>& skill);

private:
    void reload();
    void takeSelectionFromList();
    void showContextMenu(const QPoint& position);
    QList<Skill> visibleSkills() const;

    FileLinkerService& m_linker;
    PlatformServices m_platform;
    QLineEdit* m_search;
    QStackedWidget* m_pages;
    HubSkillListModel* m_model;
    QListView* m_list;
    QPushButton* m_chooseHub;
    QLabel* m_emptyHub;
    std::optional<Skill> m_selectedSkill;
};
