#include "actions/SourceActions.h"

#include "actions/Workspace.h"
#include "model/ModelContext.h"
#include "store/SkillIndex.h"

#include <QCoreApplication>
#include <QUrl>

using namespace Qt::StringLiterals;

SourceActions::SourceActions(Workspace& workspace)
    : m_workspace(workspace)
{}

QList<SkillSourceRecord*> SourceActions::sources() const
{
    return m_workspace.context().records<SkillSourceRecord>();
}

Result<SkillSourceRecord*, QString> SourceActions::add(SkillSourceRecord::Kind kind, const QString& location)
{
    QString normalized = location.trimmed();
    if (kind == SkillSourceRecord::Kind::github) {
        if (const auto repository = GitHubRepository::parse(normalized); !repository)
            return repository.error();
    } else {
        const QUrl url(normalized, QUrl::StrictMode);
        if (!url.isValid() || (url.scheme() != u"https"_s && url.scheme() != u"http"_s) ||
            url.host().isEmpty())
            return tr("'%1' ist keine http(s)-Adresse.").arg(location);
        while (normalized.endsWith(u'/'))
            normalized.chop(1);
    }
    for (const SkillSourceRecord* existing : sources())
        if (existing->location() == normalized)
            return tr("Die Quelle '%1' gibt es schon.").arg(normalized);
    auto* source = new SkillSourceRecord(kind, normalized);
    m_workspace.context().insert(source);
    if (const Outcome saved = m_workspace.context().save(); !saved)
        return saved.error().description;
    return source;
}

Outcome SourceActions::remove(SkillSourceRecord& source)
{
    m_workspace.context().remove(&source);
    return m_workspace.context().save();
}

Result<SkillSourceRecord*> SourceActions::find(const QString& idOrLocation) const
{
    const QUuid id = QUuid::fromString(idOrLocation);
    for (SkillSourceRecord* source : sources())
        if ((!id.isNull() && source->id() == id) || source->location() == idOrLocation)
            return source;
    return Error{u"There is no source with the id or location \"%1\"."_s.arg(idOrLocation)};
}
