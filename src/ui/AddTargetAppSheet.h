#pragma once

#include "ui/DesktopServices.h"

#include "ui/Sheet.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class Workspace;
struct AppError;

// Registers a new target app: a known assistant picked from a list, or a name and a
// folder chosen in a panel.
class AddTargetAppSheet : public Sheet
{
    Q_OBJECT

public:
    AddTargetAppSheet(Workspace& workspace, DesktopServices desktop, QWidget* parent = nullptr);

private:
    // "Wählen...": asks for the folder.
    void chooseFolder();
    // "Hinzufügen": stores the app and closes; does nothing while the button is disabled.
    void add();
    void updateAddButton();
    // Fills name, folder and the recommended placement from the known assistant picked.
    void takePreset(int index);
    // The known assistant chosen, whose app it will be wherever its folder is; nothing for "Custom App".
    std::optional<QString> presetChosen() const;
    // Why adding the app failed, in the window's words.
    static QString reason(const AppError& error);

    Workspace& m_workspace;
    DesktopServices m_desktop;
    QComboBox* m_preset;
    QLineEdit* m_name;
    QLineEdit* m_folder;
    QComboBox* m_placement;
    QPushButton* m_add;
    std::optional<QString> m_chosenFolder;
};
