#pragma once

#include "SidebarSelection.h"

#include <QList>
#include <QWidget>

#include <optional>

class QTreeWidget;
class QTreeWidgetItem;
class TargetApp;

// The sidebar list "Übersicht": the store, the central hub and one row per target app.
class SidebarView : public QWidget
{
    Q_OBJECT

public:
    explicit SidebarView(QWidget* parent = nullptr);

    // Rebuilds the "Apps" section, in the given order.
    void setTargetApps(const QList<TargetApp*>& apps);

    std::optional<SidebarSelection> selection() const;
    void setSelection(const std::optional<SidebarSelection>& selection);

    QTreeWidget* tree() const { return m_tree; }

Q_SIGNALS:
    void selectionChanged(const std::optional<SidebarSelection>& selection);

private:
    QTreeWidgetItem* addSection(const QString& title);
    QTreeWidgetItem* addEntry(QTreeWidgetItem* section, const QString& label, const QString& symbolName,
                              const SidebarSelection& value);
    QTreeWidgetItem* itemFor(const SidebarSelection& selection) const;
    void takeSelectionFromTree();

    QTreeWidget* m_tree;
    QTreeWidgetItem* m_appsSection;
    std::optional<SidebarSelection> m_selection;
};
