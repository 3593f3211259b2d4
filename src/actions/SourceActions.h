#pragma once

#include "base/Problem.h"
#include "base/Result.h"
#include "model/SkillSourceRecord.h"

#include <QList>
#include <QString>

class Workspace;

// Adding and removing the places the store searches, for the window and the command line.
class SourceActions
{
public:
    explicit SourceActions(Workspace& workspace);

    // The sources in the order they were added.
    QList<SkillSourceRecord*> sources() const;
    // Checks the location (a repository as [HOST/]OWNER/REPO[@REF][:PATH], a git remote as
    // URL[@REF][#PATH], or a directory's http(s) address) and refuses one that is already there.
    // A GitHub source's host may come apart ("https://github.example.com", or without https://).
    Result<SkillSourceRecord*, Problem> add(SkillSourceRecord::Kind kind, const QString& location,
                                            const QString& gitHubHost = {});
    Outcome remove(SkillSourceRecord& source);
    // The source of that id or location.
    Result<SkillSourceRecord*, Problem> find(const QString& idOrLocation) const;

private:
    Workspace& m_workspace;
};
