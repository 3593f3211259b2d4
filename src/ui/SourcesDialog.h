#pragma once

#include "ui/Sheet.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class SkillStoreService;
class Workspace;

// "Quellen": the places the store searches, listed with their skill counts, added,
// removed and read again. Opened from the store's header; it asks nothing of its own.
class SourcesDialog : public Sheet
{
    Q_OBJECT

public:
    SourcesDialog(Workspace& workspace, SkillStoreService& store, QWidget* parent = nullptr);

private:
    void reload();
    void addSource();
    void removeSelected();
    void refreshAll();
    void tell(const QString& message);

    Workspace& m_workspace;
    SkillStoreService& m_store;
    QListWidget* m_list;
    QComboBox* m_kind;
    QLineEdit* m_location;
    QLineEdit* m_host; // a GitHub source's host, when it is not github.com
    QPushButton* m_remove;
    QPushButton* m_refresh;
    QLabel* m_message;
};
