#pragma once

#include "base/Result.h"
#include "model/StrictJson.h"

#include <QHashFunctions>
#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

// One hit of a search: from the community directory, or from a GitHub source's index.
struct RemoteSkillItem
{
    QString id;                     // the hit's identity in the directory
    std::optional<QString> skillId; // the skill's folder name inside its repository
    QString name;
    qint64 installs = 0;
    std::optional<QString> source; // "owner/repository" on GitHub

    // Only for hits of a GitHub source, which the directory's answers never carry.
    struct FromIndex
    {
        QString ref;       // the branch, tag or commit it was listed at
        QString skillPath; // the skill folder inside the repository
        QString description;

        bool operator==(const FromIndex&) const = default;
    };
    std::optional<FromIndex> fromIndex;
    QString sourceName; // the source that found it, as the user knows it

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
