#pragma once

#include "base/Result.h"
#include "model/SkillSourceRecord.h"

#include <QList>
#include <QString>

class Workspace;

// Why a source could not be added or found, for the window and the tool to word.
struct SourceError
{
    enum class Kind
    {
        notARepository, // detail: what the repository's reader found wrong
        notAnAddress,   // subject: the location given for a directory
        alreadyThere,   // subject: the location, as it would be kept
        notSaved,       // detail: the store's reason
        noSuchSource,   // subject: the id or location asked for
    };
    Kind kind;
    QString subject;
    QString detail;

    // In the words the window and the tool share.
    QString message() const;
};

// Adding and removing the places the store searches, for the window and the command line.
class SourceActions
{
public:
    explicit SourceActions(Workspace& workspace);

    // The sources in the order they were added.
    QList<SkillSourceRecord*> sources() const;
    // Checks the location (a repository as OWNER/REPO[@REF][:PATH], or a directory's
    // http(s) address) and refuses one that is already there.
    Result<SkillSourceRecord*, SourceError> add(SkillSourceRecord::Kind kind, const QString& location);
    Outcome remove(SkillSourceRecord& source);
    // The source of that id or location.
    Result<SkillSourceRecord*, SourceError> find(const QString& idOrLocation) const;

private:
    Workspace& m_workspace;
};
