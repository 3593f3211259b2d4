#pragma once

#include "model/Record.h"

// A place the store searches for skills: a GitHub repository ("OWNER/REPO[@REF][:PATH]"), any
// git remote ("URL[@REF][#PATH]") or a community directory's search service (its address).
class SkillSourceRecord : public RecordOf<SkillSourceRecord>
{
public:
    enum class Kind
    {
        github,
        directory,
        git
    };

    // Its table's columns, each named here once.
    struct Columns
    {
        static inline const Column id{QStringLiteral("id"), QStringLiteral("TEXT"), 3};
        static inline const Column kind{QStringLiteral("kind"), QStringLiteral("TEXT"), 3};
        static inline const Column location{QStringLiteral("location"), QStringLiteral("TEXT"), 3};
        static inline const Column addedAt{QStringLiteral("added_at"), QStringLiteral("INTEGER"), 3};
    };

    static constexpr RecordType type = RecordType::skillSource;
    static inline const TableName table{QStringLiteral("skill_sources"), 3};
    static const QList<Field<SkillSourceRecord>>& fields();
    // The sources a new installation starts with: public skill collections on GitHub.
    static const QStringList& defaultRepositories();

    SkillSourceRecord(Kind kind, const QString& location);

    const QUuid& id() const { return m_id; }
    Kind kind() const { return m_kind; }
    const QString& location() const { return m_location; }
    const QDateTime& addedAt() const { return m_addedAt; }

    static QString kindName(Kind kind);
    static std::optional<Kind> kindNamed(const QString& name);

private:
    QUuid m_id = QUuid::createUuid();
    Kind m_kind = Kind::github;
    QString m_location;
    QDateTime m_addedAt = QDateTime::currentDateTimeUtc();
};
