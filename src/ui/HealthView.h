#pragma once

#include "actions/Doctor.h"
#include "linker/PlacementPlanner.h"
#include "ui/DesktopServices.h"

#include <QSet>
#include <QTimer>
#include <QUuid>
#include <QWidget>

class BackgroundTask;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class Workspace;

// The health page behind "Übersicht": per app whether its assistant can see each skill
// ("Alles in Ordnung", or the problems counted by level), each finding with its explanation,
// and "Beheben…", which shows the plan of every safe fix. It follows every change of the
// apps, their folders, the hub and the audit, so the sidebar's marks stay current too.
class HealthView : public QWidget
{
    Q_OBJECT

public:
    HealthView(Workspace& workspace, DesktopServices desktop, QWidget* parent = nullptr);

    const QList<DoctorFinding>& findings() const { return m_findings; }

Q_SIGNALS:
    // The apps with errors changed: the sidebar marks them.
    void appsWithErrorsChanged(const QSet<QUuid>& apps);
    void taskStarted(BackgroundTask* task);
    // An examination ran, whether or not it found anything new.
    void examined();

private:
    // Examines again once changes have settled, so a burst of events costs one examination.
    void examineSoon();
    void examine();
    // Shows what an examination found; nothing changes on screen when it is what was shown.
    void showFindings(const QList<DoctorFinding>& findings);
    void fix();
    // The remedies of the finding on that row, for its entry as it stands now.
    QList<EntryRemedy> remediesOf(const QTreeWidgetItem* row) const;
    // Buttons for the remedies of the selected finding.
    void offerRemedies();
    void applyRemedy(EntryRemedy remedy);

    Workspace& m_workspace;
    DesktopServices m_desktop;
    QTreeWidget* m_tree;
    QLabel* m_summary;
    QPushButton* m_fix;
    QWidget* m_remedies; // the selected finding's remedies
    QTimer m_settle;
    QList<DoctorFinding> m_findings;
    QStringList m_shownRows; // the apps the tree shows, as last examined
    bool m_shown = false;
    quint64 m_examination = 0; // only the latest examination's findings are shown
    QSet<QUuid> m_appsWithErrors;
};
