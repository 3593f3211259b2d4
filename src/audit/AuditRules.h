#pragma once

#include "audit/AuditFinding.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

struct YR_RULES;

// What a scan tells the rules about the bytes in hand: rules test these as YARA variables.
struct ScanSubject
{
    bool isText = true;      // read as text by a shell, an interpreter or the assistant
    bool isMarkdown = false; // prose the assistant reads
    bool decoded = false;    // decoded from a base64 or hex literal
    QString fileName;        // relative to the skill's folder
};

// One rule's match: the rule's family, level and words, where it matched and what.
struct RuleMatch
{
    QString family;
    QString rule;
    AuditLevel level = AuditLevel::info;
    QString message;
    QString messageDe;
    qsizetype offset = 0;
    QByteArray text; // what matched, at most a few hundred bytes
};

// The audit's pattern rules, written in YARA: the files shipped with the program, the user's
// own in ~/.config/Quorvane/rules, and any further folders asked for (a project's, --rules).
// Each rule's meta names its family, its level ("high", "medium", "info") and its message in
// English and German; `unless` names a string of the rule whose matches excuse the others at
// the same place. A rule file that does not compile is named with YARA's message and line, and
// the other files still count. Compiled once, when first needed (a placement of items found
// clean before needs no rules at all), then shared by every thread.
class AuditRules
{
public:
    // A rule file that could not be used, or a rule whose meta is incomplete.
    struct Problem
    {
        QString file;
        int line = 0;
        QString message;
        bool operator==(const Problem&) const = default;
    };

    // The shipped rules with the user's own, compiled once per process and set of files.
    static std::shared_ptr<const AuditRules> standard();
    // The same with the rule files of further folders.
    static std::shared_ptr<const AuditRules> withFolders(const QStringList& folders);
    // Rules of these files' texts alone (name -> text), without the shipped ones: for tests.
    static std::shared_ptr<const AuditRules> fromTexts(const QList<std::pair<QString, QByteArray>>& files);
    // $XDG_CONFIG_HOME/Quorvane/rules
    static QString userFolder();

    ~AuditRules();
    AuditRules(const AuditRules&) = delete;
    AuditRules& operator=(const AuditRules&) = delete;

    const QList<Problem>& problems() const;
    // Tells this set of rule texts from any other: a verdict holds for the rules it came from.
    const QByteArray& fingerprint() const { return m_fingerprint; }
    // Every match of every rule in the bytes, in rule order.
    QList<RuleMatch> match(QByteArrayView bytes, const ScanSubject& subject) const;

private:
    explicit AuditRules(QList<std::pair<QString, QByteArray>> files);
    void compile() const;

    mutable QList<std::pair<QString, QByteArray>> m_files; // name and text, until compiled
    QByteArray m_fingerprint;
    mutable std::once_flag m_compiled;
    mutable YR_RULES* m_rules = nullptr;
    mutable QList<Problem> m_problems;
};
