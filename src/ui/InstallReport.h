#pragma once

#include "ui/DesktopServices.h"

#include <QString>

#include <functional>

class QObject;
class SkillInstall;

// Tells the user how an install or update ended. Where it stopped before a folder that was
// changed here or is of unknown origin, asks first, listing the files, and with the user's
// yes runs `replacing`, an install that may replace it, and tells how that ended.
void reportInstall(SkillInstall* install, QObject* context, DesktopServices desktop, const QString& title,
                   std::function<SkillInstall*()> replacing);
