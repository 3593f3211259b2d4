#pragma once

#include "base/Problem.h"
#include "base/Result.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

#include <nlohmann/json_fwd.hpp>

// A text field of a JSON object; empty when it is missing or not text. GitHub's answers
// and the index cache are read leniently: an odd entry is skipped, not fatal.
QString jsonText(const nlohmann::json& object, const char* key);

// Whether a path inside a repository stays inside it: relative, and no empty, "." or ".."
// component. Paths from the user, a source or a hit are checked before any address is built.
bool isPlainRepositoryPath(const QString& path);

// Where a GitHub source's skills are: "[HOST/]OWNER/REPO[@REF][:PATH]". HOST names another
// GitHub host, reached over https; "http://HOST/…" is taken for a host on this machine only.
struct GitHubRepository
{
    QString host; // "NAME[:PORT]" of another GitHub host; empty for the default one
    bool plainHttp = false;
    QString owner;
    QString name;
    QString ref = QStringLiteral("HEAD");
    QString path; // below the repository's root, without slashes at either end

    // Refuses what is not of that form.
    static Result<GitHubRepository, Problem> parse(const QString& location);
    // "OWNER/REPO", or "HOST/OWNER/REPO" on another host: how hits, origins and lock files name it.
    QString fullName() const;
    // The host's address, "https://HOST"; empty for the default host.
    QString hostBase() const;
    // The location as a source keeps it.
    QString text() const;
    // Whether a SKILL.md at this path of the tree belongs to the source.
    bool contains(const QString& treePath) const;
};

// One skill of a source's index: a folder holding a SKILL.md.
struct IndexedSkill
{
    QString path;    // the skill folder, from the repository's root ("" for the root)
    QString blobSha; // of its SKILL.md, to see whether it changed
    QString name;    // from the frontmatter, or the folder's name
    QString description;

    bool operator==(const IndexedSkill&) const = default;
};

// What is known of one GitHub source: its skills as of a tree listing, kept in the
// cache folder so a search needs no network and a refresh reads only changed files.
class SkillIndex
{
public:
    QString treeSha;
    std::optional<QDateTime> refreshedAt;
    bool truncated = false; // GitHub cut the listing short; some skills may be missing
    QList<IndexedSkill> skills;

    // The cache file of a source's index (under XDG_CACHE_HOME).
    static QString cacheFilePath(const QString& location);
    // Nothing when there is no cache yet or it cannot be read.
    static std::optional<SkillIndex> load(const QString& location);
    Outcome save(const QString& location) const;

    bool isOlderThan(std::chrono::hours age, const QDateTime& now) const;

    // The skills whose name, description or path holds every word of the query, ignoring
    // case; those whose name holds them all come first, then by name.
    QList<IndexedSkill> search(const QString& query) const;
};
