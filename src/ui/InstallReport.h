#pragma once

#include "audit/AuditGate.h"
#include "ui/DesktopServices.h"

#include <QString>

#include <functional>

class QObject;
class SkillInstall;
struct InstallResult;

// What a risk question is asked before.
enum class RiskStep
{
    installing, // "Trotzdem installieren"
    linking,    // "Trotzdem verknüpfen"
};

// The gate's question, answered with a sheet that lists the findings of level high.
RiskConsent riskQuestion(Alerts& alerts, RiskStep step);

// How an install ended, with what else the user should know, one paragraph each.
QString installMessage(const InstallResult& result);

// Tells the user how an install or update ended. Where it stopped before a folder that was
// changed here or is of unknown origin, asks first, listing the files, and with the user's yes
// runs `again` to replace it, and tells how that ended. A risk was asked about on the way.
void reportInstall(SkillInstall* install, QObject* context, DesktopServices desktop, const QString& title,
                   std::function<SkillInstall*(bool replaceChanged)> again, bool replaceAgreed = false);
