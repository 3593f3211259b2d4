#pragma once

#include "ui/DesktopServices.h"

#include "ui/Sheet.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class Workspace;

// Registers a repository's assistant folders as project apps: first the project's folder,
// then the assistants, those whose folder the project already has preselected. Offers to
// restore the project's skills when it carries a lock file.
class AddProjectSheet : public Sheet
{
    Q_OBJECT

public:
    AddProjectSheet(Workspace& workspace, DesktopServices desktop, QWidget* parent = nullptr);

    // The project to restore from its lock file once the sheet closed, when the user asked.
    std::optional<QString> projectToRestore() const;

private:
    void chooseFolder();
    // Lists the assistants with a project folder, checked where the project has it already.
    void listAssistants();
    void updateAddButton();
    // "Hinzufügen": adds each checked assistant, making its folder; stops at the first failure.
    void add();

    Workspace& m_workspace;
    DesktopServices m_desktop;
    QLineEdit* m_folder;
    QListWidget* m_assistants;
    QComboBox* m_placement;
    QCheckBox* m_restore;
    QPushButton* m_add;
    std::optional<QString> m_project;
};
