#include "model/SkillSourceRecord.h"

#include "base/EnumNames.h"

using namespace Qt::StringLiterals;

const QList<Field<SkillSourceRecord>>& SkillSourceRecord::fields()
{
    using R = SkillSourceRecord;
    static const QList<Field<R>> fields{
        {Columns::id, [](const R& r) { return storedUuid(r.m_id); },
         [](R& r, const QVariant& v) {
             r.m_id = uuidFromStored(v);
         }},
        {Columns::kind, [](const R& r) { return QVariant(kindName(r.m_kind)); },
         [](R& r, const QVariant& v) {
             r.m_kind = kindNamed(v.toString()).value_or(Kind::github);
         }},
        {Columns::location, [](const R& r) { return QVariant(r.m_location); },
         [](R& r, const QVariant& v) {
             r.m_location = v.toString();
         }},
        {Columns::addedAt, [](const R& r) { return storedDate(r.m_addedAt); },
         [](R& r, const QVariant& v) {
             r.m_addedAt = dateFromStored(v);
         }},
    };
    return fields;
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

namespace {

constexpr EnumName<SkillSourceRecord::Kind> kindNames[] = {{SkillSourceRecord::Kind::github, u"github"},
                                                           {SkillSourceRecord::Kind::directory, u"directory"},
                                                           {SkillSourceRecord::Kind::git, u"git"}};

} // namespace

QString SkillSourceRecord::kindName(Kind kind)
{
    return nameIn<Kind>(kindNames, kind);
}

std::optional<SkillSourceRecord::Kind> SkillSourceRecord::kindNamed(const QString& name)
{
    return valueNamed<Kind>(kindNames, name);
}
