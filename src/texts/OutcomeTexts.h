#pragma once

#include "linker/PlacementPlan.h"

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

} // namespace OutcomeTexts
