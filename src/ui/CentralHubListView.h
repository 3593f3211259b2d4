#pragma once

#include "Skill.h"

#include <QWidget>

#include <optional>

class FileLinkerService;
class QListWidget;

// The hub's items as the linker last scanned them, with a single selection.
class CentralHubListView : public QWidget
{
    Q_OBJECT

public:
    explicit CentralHubListView(FileLinkerService& linker, QWidget* parent = nullptr);

    const std::optional<Skill>& selectedSkill() const { return m_selectedSkill; }
    void setSelectedSkill(const std::optional<Skill>& skill);

Q_SIGNALS:
    void selectedSkillChanged(const std::optional<Skill>& skill);

private:
    void reload();
    void takeSelectionFromList();

    FileLinkerService& m_linker;
    QListWidget* m_list;
    std::optional<Skill> m_selectedSkill;
};
