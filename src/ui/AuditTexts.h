#pragma once

#include "audit/SkillScanner.h"

#include <QString>

class QLabel;

// How the window words the audit's findings, in the hub's detail and in an update's sheet.
namespace AuditTexts {

// "Hoch", "Mittel", "Fehler", "Hinweis", "Info".
QString level(AuditLevel level);
// The rule's own words, in German where it has them.
QString message(const AuditFinding& finding);
// A family in words: "Code aus dem Netz"; a family of the user's own rules as its id.
QString family(const QString& rule);
// "LEVEL · FILE:LINE – MESSAGE".
QString finding(const AuditFinding& finding);
// What the finding matched, or what a literal decoded to: "entschlüsselt: curl … | bash".
QString evidence(const AuditFinding& finding);
// A label of `text` for the finding, in red while it is open and of level high.
QLabel* label(const AuditFinding& finding, const QString& text);

} // namespace AuditTexts
