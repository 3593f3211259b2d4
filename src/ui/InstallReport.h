#pragma once

#include "ui/DesktopServices.h"

#include <QString>

#include <functional>

class QObject;
class SkillInstall;

// What the user agreed to once an install stopped to ask.
struct InstallConsent
{
    bool replaceChanged = false; // replace a folder changed here or of unknown origin
    bool acceptRisk = false;     // place a folder with findings of level high, accepting them
};

// Tells the user how an install or update ended. Where it stopped before a folder that was
// changed here or is of unknown origin, or before a folder in which the audit found something
// of level high, asks first, listing the files or the findings, and with the user's yes runs
// `again` with what was agreed to, and tells how that ended.
void reportInstall(SkillInstall* install, QObject* context, DesktopServices desktop, const QString& title,
                   std::function<SkillInstall*(InstallConsent)> again, InstallConsent given = {});
