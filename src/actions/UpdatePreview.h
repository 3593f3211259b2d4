#pragma once

#include "access/FolderDiff.h"
#include "audit/SkillScanner.h"
#include "store/SkillSource.h"

#include <QObject>

#include <functional>
#include <optional>

class SkillSource;
class Workspace;

// What updating an installed hub item would change: its files, and the audit's findings that
// the new version would bring. Reads only.
struct UpdatePreviewResult
{
    QString item;
    QList<FileChange> changes;
    AuditReport audit;               // of the new version, with what the user accepted marked
    QList<AuditFinding> newFindings; // found in the new version and not in the installed one
    std::optional<Problem> error;    // why nothing could be compared
    std::optional<FetchedSkill> fetched = std::nullopt; // the new version, for the update to install
};

// Fetches an installed item's new version from where it came, beside the hub, and compares
// it with the installed folder on a worker. The window shows it before an update; the tool
// prints it for `update --diff`. Goes once it has answered.
class UpdatePreview : public QObject
{
    Q_OBJECT

public:
    // Starts at once; `done` comes later, never before this returns.
    static UpdatePreview* start(Workspace& workspace, SkillSource& source, const QString& item,
                                std::function<void(const UpdatePreviewResult&)> done);

private:
    UpdatePreview(Workspace& workspace, SkillSource& source, const QString& item,
                  std::function<void(const UpdatePreviewResult&)> done);
    void begin();
    void compare(const FetchedSkill& fetched);
    void finish(const UpdatePreviewResult& result);

    Workspace& m_workspace;
    SkillSource& m_source;
    QString m_item;
    std::function<void(const UpdatePreviewResult&)> m_done;
};
