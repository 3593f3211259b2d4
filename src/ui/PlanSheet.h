#pragma once

#include "linker/PlacementPlan.h"

#include "ui/Sheet.h"

class QLabel;
class QTableWidget;

// What a bulk change would do, shown before it does anything: the counts first, each
// entry on demand. With a conflict it can only go ahead by leaving the conflicts alone.
class PlanSheet : public Sheet
{
    Q_OBJECT

public:
    enum class Choice
    {
        cancel,
        carryOut,
        skipConflicts,
    };

    // What the plan is part of: a change of its own, or one step of a larger one (restoring
    // a backup) that goes on when the plan leaves every entry alone.
    enum class Scope
    {
        whole,
        step,
    };

    PlanSheet(const QString& title, const PlacementPlan& plan, QWidget* parent = nullptr,
              Scope scope = Scope::whole);

    // What the larger change does besides the plan's entries, above the counts.
    void setNote(const QString& text);

    Choice choice() const { return m_choice; }
    // Whether the user allowed copies changed here to be overwritten or removed.
    bool consentsToChangesHere() const { return m_consentsToChangesHere; }

    // "Anlegen: 2, Entfernen: 1." and the like, with the conflicts on a line of their own.
    static QString summary(const PlacementPlan& plan);
    // The plans of several apps as one, to be shown (it reaches no folder).
    static PlacementPlan combined(const std::vector<PlacementPlan>& plans);

    // The columns of the entries' table, in order.
    enum Column
    {
        entryColumn,  // the item's name
        actionColumn, // in the words of the counts
        placeColumn,  // the folder it happens in; the whole path as a tooltip
        reasonColumn, // why a conflict stays
        columnCount
    };

private:
    // One row per conflict and action, conflicts first.
    static void fillTable(QTableWidget& table, const QList<PlanConflict>& conflicts,
                          const QList<PlanAction>& actions);

    QLabel* m_note;
    Choice m_choice = Choice::cancel;
    bool m_consentsToChangesHere = false;
};
