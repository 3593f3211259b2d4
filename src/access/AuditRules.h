#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

// How much a finding of the audit weighs. `error` and `warning` are the format check's levels.
enum class AuditLevel
{
    high,
    error,
    medium,
    warning,
    info,
};

// A pattern that marks one line of a text file: what attack it catches is its message.
struct AuditLinePattern
{
    QString rule; // the stable id scripts filter on
    AuditLevel level;
    QRegularExpression pattern;
    QString message; // German, for the user
    // Lowercase words of which a line must hold one for the pattern to be tried: most lines
    // hold none, and a look for a word costs far less than a match.
    QStringList triggers;
};

// The audit's rules, as data: each pattern with a note of the attack it catches.
namespace AuditRules {

// The patterns matched against each line of every text file, in the order they are tried.
const QList<AuditLinePattern>& linePatterns();
// Invisible characters that change what a reader sees, or carry text a reader cannot see.
bool isHiddenCharacter(char32_t codePoint);
// Whether the first bytes are those of a program for Linux, Windows or macOS.
bool startsAsExecutable(QByteArrayView bytes);

// Longer runs of base64 or hex than this, in scripts or SKILL.md, hide a payload.
constexpr qsizetype encodedRunBytes = 1024;
// SKILL.md beyond this many lines goes against the format's guidance.
constexpr qsizetype skillFileLines = 500;

} // namespace AuditRules
