#include "actions/SourceActions.h"

#include "actions/Workspace.h"
#include "model/ModelContext.h"
#include "store/SkillIndex.h"

#include <QCoreApplication>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

struct SourceTexts
{
    Q_DECLARE_TR_FUNCTIONS(SourceActions)
};

} // namespace

QString SourceError::message() const
{
    switch (kind) {
    case Kind::notARepository:
    case Kind::notSaved:
        return detail;
    case Kind::notAnAddress:
        return SourceTexts::tr("'%1' ist keine http(s)-Adresse.").arg(subject);
    case Kind::alreadyThere:
        return SourceTexts::tr("Die Quelle '%1' gibt es schon.").arg(subject);
    case Kind::noSuchSource:
        return u"There is no source with the id or location \"%1\"."_s.arg(subject);
    }
    Q_UNREACHABLE();
}

SourceActions::SourceActions(Workspace& workspace)
    : m_workspace(workspace)
{}

QList<SkillSourceRecord*> SourceActions::sources() const
{
    return m_workspace.context().records<SkillSourceRecord>();
}

Result<SkillSourceRecord*, SourceError> SourceActions::add(SkillSourceRecord::Kind kind,
                                                           const QString& location)
{
    QString normalized = location.trimmed();
    if (kind == SkillSourceRecord::Kind::github) {
        if (const auto repository = GitHubRepository::parse(normalized); !repository)
            return SourceError{SourceError::Kind::notARepository, location, repository.error()};
    } else {
        const QUrl url(normalized, QUrl::StrictMode);
        if (!url.isValid() || (url.scheme() != u"https"_s && url.scheme() != u"http"_s) ||
            url.host().isEmpty())
            return SourceError{SourceError::Kind::notAnAddress, location, {}};
        while (normalized.endsWith(u'/'))
            normalized.chop(1);
    }
    for (const SkillSourceRecord* existing : sources())
        if (existing->location() == normalized)
            return SourceError{SourceError::Kind::alreadyThere, normalized, {}};
    auto* source = new SkillSourceRecord(kind, normalized);
    m_workspace.context().insert(source);
    if (const Outcome saved = m_workspace.context().save(); !saved)
        return SourceError{SourceError::Kind::notSaved, normalized, saved.error().description};
    return source;
}

Outcome SourceActions::remove(SkillSourceRecord& source)
{
    m_workspace.context().remove(&source);
    return m_workspace.context().save();
}

Result<SkillSourceRecord*, SourceError> SourceActions::find(const QString& idOrLocation) const
{
    const QUuid id = QUuid::fromString(idOrLocation);
    for (SkillSourceRecord* source : sources())
        if ((!id.isNull() && source->id() == id) || source->location() == idOrLocation)
            return source;
    return SourceError{SourceError::Kind::noSuchSource, idOrLocation, {}};
}
