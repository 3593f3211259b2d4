#pragma once

#include "base/Result.h"
#include "model/StrictJson.h"

#include <QHashFunctions>
#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

// One hit of the community directory.
struct RemoteSkillItem
{
    QString id;                     // the hit's identity in the directory
    std::optional<QString> skillId; // the skill's folder name inside its repository
    QString name;
    qint64 installs = 0;
    std::optional<QString> source; // "owner/repository" on GitHub

    static RemoteSkillItem read(const JsonReader& object);
    nlohmann::json toJson() const;

    bool operator==(const RemoteSkillItem&) const = default;
};

inline size_t qHash(const RemoteSkillItem& item, size_t seed = 0)
{
    return qHash(item.id, seed);
}

// The directory's answer to a search.
struct SkillSearchResponse
{
    QString query;
    QString searchType;
    QList<RemoteSkillItem> skills;
    qint64 count = 0;

    static Result<SkillSearchResponse, DecodingError> decode(const QByteArray& body);
};

Q_DECLARE_METATYPE(RemoteSkillItem)
