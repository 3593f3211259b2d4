#include "model/SkillSourceRecord.h"

using namespace Qt::StringLiterals;

const RecordSchema& SkillSourceRecord::schema()
{
    static const RecordSchema schema{
        u"skill_sources"_s, {Columns::id, Columns::kind, Columns::location, Columns::addedAt}, 3};
    return schema;
}

const QStringList& SkillSourceRecord::defaultRepositories()
{
    static const QStringList repositories = {u"anthropics/skills"_s, u"openai/skills"_s};
    return repositories;
}

SkillSourceRecord::SkillSourceRecord(Kind kind, const QString& location)
    : m_kind(kind)
    , m_location(location)
{}

QString SkillSourceRecord::kindName(Kind kind)
{
    return kind == Kind::github ? u"github"_s : u"directory"_s;
}

std::optional<SkillSourceRecord::Kind> SkillSourceRecord::kindNamed(const QString& name)
{
    if (name == u"github"_s)
        return Kind::github;
    if (name == u"directory"_s)
        return Kind::directory;
    return std::nullopt;
}

QVariantList SkillSourceRecord::columnValues() const
{
    return {storedUuid(m_id), kindName(m_kind), m_location, storedDate(m_addedAt)};
}

void SkillSourceRecord::assignColumnValues(const QVariantMap& values)
{
    // Sources never change once added, so there are no setters to announce through.
    if (values.contains(Columns::id.name))
        m_id = uuidFromStored(values[Columns::id.name]);
    if (values.contains(Columns::kind.name))
        m_kind = kindNamed(values[Columns::kind.name].toString()).value_or(Kind::github);
    if (values.contains(Columns::location.name))
        m_location = values[Columns::location.name].toString();
    if (values.contains(Columns::addedAt.name))
        m_addedAt = dateFromStored(values[Columns::addedAt.name]);
    noteFieldChanged(Columns::location.name);
}
