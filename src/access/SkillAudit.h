#pragma once

#include "access/AuditRules.h"
#include "access/FolderContent.h"
#include "base/Result.h"

#include <QList>
#include <QString>

#include <optional>

// One thing the audit found in a skill.
struct AuditFinding
{
    QString item;            // the hub item (or the folder audited)
    QString file;            // relative to the item's folder; the item itself for a single file
    std::optional<int> line; // 1-based; nothing where a line makes no sense
    QString rule;
    AuditLevel level = AuditLevel::info;
    QString message;
    bool accepted = false; // the user accepted the item's findings at this content

    // "FILE:LINE", or FILE where no line makes sense.
    QString place() const;
    bool operator==(const AuditFinding&) const = default;
};

// A skill's files, audited: what was found, and the content hash it was found at.
struct AuditReport
{
    QString item;
    QList<AuditFinding> findings;
    QString contentHash; // as the provenance and the lock file keep it

    // Whether a finding of level high is open (not accepted).
    bool hasOpenHigh() const;
    // The findings of level high, open ones only.
    QList<AuditFinding> openHigh() const;
};

// Checks a skill's files against the audit's rules before an assistant can load them: hidden
// characters, instructions aimed at the assistant, downloads run at once, secrets read or
// sent, obfuscated or binary programs, and the format. Reads only; never runs anything.
namespace SkillAudit {

// "high", "error", "medium", "warning", "info".
QString levelName(AuditLevel level);
// Audits files in memory (a download before it reaches the hub). `isFolder`: a skill folder
// with its SKILL.md, rather than a single file named `item`.
AuditReport audit(const QString& item, const QList<ContentFile>& files, bool isFolder);
// Audits a folder or a single file on disk; a link inside is audited by where it leads, never
// followed.
Result<AuditReport> auditPath(const QString& item, const QString& path);

} // namespace SkillAudit
