#pragma once

#include "actions/BackgroundTask.h"
#include "actions/Doctor.h"
#include "actions/SkillInstall.h"
#include "audit/AuditFinding.h"
#include "base/Problem.h"
#include "linker/PlacementPlan.h"
#include "model/AssistantPresets.h"
#include "model/SkillManifest.h"

#include <QString>

// The words for what the core reports, shared by the window and the tool: the core returns
// kinds with their data, and these say them in the user's language (or, for machine-readable
// output, always in English).
namespace OutcomeTexts {

enum class Form
{
    shown,   // in the user's language
    english, // the same words whatever the locale: --json and other output for programs
};

// Why an entry or a folder stands in the way of a plan: "a folder that Quorvane did not make".
QString conflict(const PlanConflict& conflict, Form form = Form::shown);
// What is wrong with a skill's format: "'name' is missing."
QString skillFinding(const SkillFinding& finding, Form form = Form::shown);
// Why an assistant may not see a skill as the user expects: "The link leads nowhere."
QString doctorFinding(const DoctorFinding& finding, Form form = Form::shown);
// What an audit finding says: the rule's own words in the user's language where the rule has
// them, or the format check's.
QString auditMessage(const AuditFinding& finding, Form form = Form::shown);
// What a long task does, as the window's task strip names it: "Changing entries (12)..."
QString task(const BackgroundTask::Work& work, qint64 total);
// Why something failed, followed by its causes: "Download failed:\nNetwork error: …"
QString problem(const Problem& problem, Form form = Form::shown);
// Several, one to a line.
QString problems(const QList<Problem>& problems, Form form = Form::shown);
// What an install that went through did: "Skill 'x' was installed in the hub!"
QString installed(const InstallResult& result);
// What else the user should know of it, one paragraph each.
QStringList installNotes(const InstallResult& result);
// A known assistant's name: product names as they are, the names Quorvane gave (the shared
// folder) in the user's language.
QString presetName(const AssistantPreset& preset);

} // namespace OutcomeTexts
