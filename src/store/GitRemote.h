#pragma once

#include "base/Problem.h"
#include "base/Result.h"

#include <QString>

// Where a git source's skills are: any remote the user's own git reaches, at a ref, below a
// folder. Written "URL[@REF][#PATH]", as sources keep it and the user types it.
struct GitLocation
{
    QString url; // as git takes it: "https://…", "ssh://…", "file://…", "/path" or "user@host:path"
    QString ref = QStringLiteral("HEAD");
    QString path; // below the repository's root, without slashes at either end

    // Refuses what is not a usable remote, a ref or a path git would misread, and a URL that
    // carries a password.
    static Result<GitLocation, Problem> parse(const QString& text);
    QString text() const;

    // Whether `text` names a git remote rather than a GitHub "OWNER/REPO": anything with "://",
    // an absolute path, or "user@host:path".
    static bool isRemote(const QString& text);
    // Why git must not be pointed at `url`, if it must not.
    static std::optional<Problem> refusal(const QString& url);
    // Whether a ref is one git takes as a ref, never as an option.
    static bool isUsableRef(const QString& ref);
    // Whether a SKILL.md at this path of the repository belongs to the source.
    bool contains(const QString& treePath) const;
};
