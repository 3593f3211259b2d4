#pragma once

#include "base/Problem.h"
#include "base/Result.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// A project's rules on where its skills may come from, kept beside its lock file as
// "quorvane-policy.json": {"policyVersion": 1, "allowedSources": [patterns],
// "minimumCommitAgeDays": N, "auditMustPass": true, "rules": "DIR"}, every key but the version
// optional. Read strictly: a key this version does not know could be a rule it would not keep.
struct ProjectPolicy
{
    static constexpr int version = 1;
    static QString fileName();

    // Patterns of repositories ("owner/*", "https://git.example.com/team/*"); "*" stands for
    // any text. Nothing: any source.
    std::optional<QStringList> allowedSources;
    std::optional<int> minimumCommitAgeDays;
    bool auditMustPass = false;
    QString rules; // a folder of YARA rules, relative to the project; empty: none

    // The folders of the project's own audit rules: none, or `rules` inside `project`.
    QStringList ruleFolders(const QString& project) const
    {
        return rules.isEmpty() ? QStringList() : QStringList{project + u'/' + rules};
    }

    // Nothing when the project has no policy.
    static Result<std::optional<ProjectPolicy>, Problem> read(const QString& projectFolder);
    static Result<ProjectPolicy, Problem> decode(const QByteArray& bytes);

    // Why `skill` from `repository` may not come into the project, if it may not. A skill of no
    // recorded source (made by hand, committed with the project) is the project's own.
    std::optional<Problem> refusalOfSource(const QString& skill, const QString& repository) const;
    // Why a commit made at `madeAt` is too young, if it is; a date not known is too young.
    std::optional<Problem> refusalOfAge(const QString& skill, const QDateTime& madeAt,
                                        const QDateTime& now) const;
};
