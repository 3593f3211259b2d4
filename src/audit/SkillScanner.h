#pragma once

#include "access/FolderContent.h"
#include "audit/AuditFinding.h"
#include "audit/AuditRules.h"
#include "base/Result.h"

#include <QList>
#include <QString>

#include <memory>

// Reads a skill's files as an assistant would meet them, before it can: every file against the
// audit's rules (text rules on what a shell, an interpreter or the assistant reads, binary rules
// on the rest), what base64 and hex literals decode to, and the checks that are not patterns:
// hidden characters, NUL bytes in text, long encoded runs, typosquatted packages, execute bits,
// sizes and the skill format. Reads only; never runs anything.
namespace SkillScanner {

// Longer runs of base64 or hex than this, in scripts or SKILL.md, hide a payload.
constexpr qsizetype encodedRunBytes = 1024;
// SKILL.md beyond this many lines goes against the format's guidance.
constexpr qsizetype skillFileLines = 500;
// A matched text is cut to this many characters.
constexpr qsizetype shownCharacters = 120;

// Invisible characters that change what a reader sees, or carry text a reader cannot see.
bool isHiddenCharacter(char32_t codePoint);
// Whether a file is read as text: by its shebang, extension or name, or its bytes.
bool isReadAsText(const QString& relativePath, QByteArrayView bytes);

// Audits files in memory (a download before it reaches the hub). `isFolder`: a skill folder
// with its SKILL.md, rather than a single file named `item`.
AuditReport scan(const QString& item, const QList<ContentFile>& files, bool isFolder,
                 const AuditRules& rules = *AuditRules::standard());
// Audits a folder or a single file on disk; a link inside is audited by where it leads, never
// followed. A repository's .git is left out, and the folders of `leftOut` (relative paths).
Result<AuditReport> scanPath(const QString& item, const QString& path,
                             const AuditRules& rules = *AuditRules::standard(),
                             const QStringList& leftOut = {});

// Audits several items (name, path) at once, on as many threads as the machine has cores; the
// reports come in the order given.
QList<Result<AuditReport>> scanPaths(const QList<std::pair<QString, QString>>& items,
                                     const AuditRules& rules = *AuditRules::standard());

} // namespace SkillScanner
