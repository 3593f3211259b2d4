#pragma once

#include "audit/SkillScanner.h"
#include "cli/Output.h"

class CliSession;

#include <QByteArray>
#include <QList>

// How the tool shows the audit's findings: a line each, JSON, or SARIF for code-scanning tools.
namespace AuditOutput {

// "LEVEL ITEM/FILE:LINE RULE MESSAGE", with "[accepted]" after an accepted finding's message.
QString line(const AuditFinding& finding);
// Each finding as a line on standard output.
void print(const QList<AuditFinding>& findings);
// [{"item", "file", "line", "rule", "level", "message", "accepted"}]
Output::Json json(const QList<AuditFinding>& findings);
// What a refusal stopped.
enum class Step
{
    installing,
    placing,
};
// The findings of level high on standard error, and why nothing was installed or placed.
int refuse(const CliSession& session, const QList<AuditReport>& risks, Step step);
// A SARIF 2.1.0 log: high and errors as "error", medium and warnings as "warning", info as
// "note"; accepted findings carry a suppression. Locations are "ITEM/FILE", or FILE alone
// where `withItem` is false (a folder audited with --path).
QByteArray sarif(const QList<AuditFinding>& findings, bool withItem);

} // namespace AuditOutput
