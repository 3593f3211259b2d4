#include "actions/SourceActions.h"

#include "actions/Workspace.h"
#include "model/ModelContext.h"
#include "store/GitRemote.h"
#include "store/SkillIndex.h"

#include <QUrl>

using namespace Qt::StringLiterals;

SourceActions::SourceActions(Workspace& workspace)
    : m_workspace(workspace)
{}

QList<SkillSourceRecord*> SourceActions::sources() const
{
    return m_workspace.context().records<SkillSourceRecord>();
}

Result<SkillSourceRecord*, Problem> SourceActions::add(SkillSourceRecord::Kind kind, const QString& location,
                                                       const QString& gitHubHost)
{
    QString normalized = location.trimmed();
    if (QString host = gitHubHost.trimmed(); kind == SkillSourceRecord::Kind::github && !host.isEmpty()) {
        while (host.endsWith(u'/'))
            host.chop(1);
        normalized = (host.contains(u"://"_s) ? host : u"https://"_s + host) + u'/' + normalized;
    }
    if (kind == SkillSourceRecord::Kind::github) {
        const auto repository = GitHubRepository::parse(normalized);
        if (!repository)
            return repository.error();
        // Another host is kept as "HOST/OWNER/REPO", as its hits and lock entries name it.
        if (!repository->host.isEmpty())
            normalized = repository->text();
    } else if (kind == SkillSourceRecord::Kind::git) {
        const auto remote = GitLocation::parse(normalized);
        if (!remote)
            return remote.error();
        normalized = remote->text();
    } else {
        const QUrl url(normalized, QUrl::StrictMode);
        if (!url.isValid() || (url.scheme() != u"https"_s && url.scheme() != u"http"_s) ||
            url.host().isEmpty())
            return Problem(Problem::Kind::notAnAddress, {location});
        while (normalized.endsWith(u'/'))
            normalized.chop(1);
    }
    for (const SkillSourceRecord* existing : sources())
        if (existing->location() == normalized)
            return Problem(Problem::Kind::sourceExists, {normalized});
    auto* source = new SkillSourceRecord(kind, normalized);
    m_workspace.context().insert(source);
    if (const Outcome saved = m_workspace.context().save(); !saved)
        return saved.error().shown();
    return source;
}

Outcome SourceActions::remove(SkillSourceRecord& source)
{
    m_workspace.context().remove(&source);
    return m_workspace.context().save();
}

Result<SkillSourceRecord*, Problem> SourceActions::find(const QString& idOrLocation) const
{
    const QUuid id = QUuid::fromString(idOrLocation);
    for (SkillSourceRecord* source : sources())
        if ((!id.isNull() && source->id() == id) || source->location() == idOrLocation)
            return source;
    return Problem(Problem::Kind::noSuchSource, {idOrLocation});
}
