#pragma once

#include "PlatformServices.h"

#include <QDialog>

#include <optional>

class ModelContext;
class QLineEdit;
class QPushButton;

// Registers a new target app: a name and a folder chosen in a panel, with its bookmark.
class AddTargetAppSheet : public QDialog
{
    Q_OBJECT

public:
    AddTargetAppSheet(ModelContext& context, PlatformServices platform, QWidget* parent = nullptr);

    // "Wählen...": asks for the folder and makes its bookmark.
    void chooseFolder();
    // "Hinzufügen": stores the app and closes; does nothing while the button is disabled.
    void add();

    QLineEdit* nameField() const { return m_name; }
    QLineEdit* folderField() const { return m_folder; }
    QPushButton* addButton() const { return m_add; }

private:
    void updateAddButton();

    ModelContext& m_context;
    PlatformServices m_platform;
    QLineEdit* m_name;
    QLineEdit* m_folder;
    QPushButton* m_add;
    std::optional<QByteArray> m_bookmark;
};
