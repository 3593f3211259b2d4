#pragma once

#include "base/Result.h"
#include "model/SkillSourceRecord.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class Workspace;

// Adding and removing the places the store searches, for the window and the command line.
class SourceActions
{
    Q_DECLARE_TR_FUNCTIONS(SourceActions)

public:
    explicit SourceActions(Workspace& workspace);

    // The sources in the order they were added.
    QList<SkillSourceRecord*> sources() const;
    // Checks the location (a repository as OWNER/REPO[@REF][:PATH], or a directory's
    // http(s) address) and refuses one that is already there; the error is German, for the user.
    Result<SkillSourceRecord*, QString> add(SkillSourceRecord::Kind kind, const QString& location);
    Outcome remove(SkillSourceRecord& source);
    // The source of that id or location.
    Result<SkillSourceRecord*> find(const QString& idOrLocation) const;

private:
    Workspace& m_workspace;
};
