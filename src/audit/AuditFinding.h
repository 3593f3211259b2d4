#pragma once

#include "model/SkillManifest.h"

#include <QList>
#include <QString>

#include <optional>

// How much a finding of the audit weighs. `error` and `warning` are the format check's levels.
enum class AuditLevel
{
    high,
    error,
    medium,
    warning,
    info,
};
// "high", "error", "medium", "warning", "info", and the way back.
QString auditLevelName(AuditLevel level);
std::optional<AuditLevel> auditLevelNamed(const QString& name);

// One thing the audit found in a skill.
struct AuditFinding
{
    QString item = {};            // the hub item (or the folder audited)
    QString file = {};            // relative to the item's folder; the item itself for a single file
    std::optional<int> line = {}; // 1-based; nothing where a line makes no sense
    QString rule = {};            // the family, the stable id scripts filter on: "remote-code", ...
    AuditLevel level = AuditLevel::info;
    QString message = {};   // the rule's own words, in English; empty for a check of the program's own
    bool accepted = false;  // the user accepted the item's findings at this content
    QString ruleName = {};  // which rule of the family matched: a YARA rule, or a check's name
    QString messageDe = {}; // the rule's own words, in German
    QString matched = {};   // what it matched, one line cut to a readable length
    bool decoded = false;   // `matched` was decoded from a base64 or hex literal on `line`
    std::optional<SkillFinding> format = std::nullopt; // for the family "format": what is wrong

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
