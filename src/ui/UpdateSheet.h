#pragma once

#include "actions/UpdatePreview.h"
#include "ui/Sheet.h"

class QListWidget;
class QPlainTextEdit;

// The confirmation of an update: the files it changes, each one's diff, and the audit's
// findings in the new version, those it would newly bring marked "neu". Where the new version
// holds an open finding of level high, agreeing accepts it ("Trotzdem aktualisieren").
class UpdateSheet : public Sheet
{
    Q_OBJECT

public:
    UpdateSheet(const UpdatePreviewResult& preview, QWidget* parent = nullptr);

    // Whether agreeing also accepts the new version's risk.
    bool acceptsRisk() const { return m_acceptsRisk; }

private:
    void showDiff(int row);

    QList<FileChange> m_changes;
    QListWidget* m_files;
    QPlainTextEdit* m_diff;
    bool m_acceptsRisk;
};
