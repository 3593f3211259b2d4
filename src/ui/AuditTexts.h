#pragma once

#include "access/SkillAudit.h"

#include <QString>

class QLabel;

// How the window words the audit's findings, in the hub's detail and in an update's sheet.
namespace AuditTexts {

// "Hoch", "Mittel", "Fehler", "Hinweis", "Info".
QString level(AuditLevel level);
// "LEVEL · FILE:LINE – MESSAGE".
QString finding(const AuditFinding& finding);
// A label of `text` for the finding, in red while it is open and of level high.
QLabel* label(const AuditFinding& finding, const QString& text);

} // namespace AuditTexts
