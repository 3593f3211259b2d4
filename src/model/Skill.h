#pragma once

#include "model/SkillManifest.h"

#include <QHashFunctions>
#include <QString>
#include <QUrl>

// One entry of the central hub folder, rebuilt by every scan. Its identity is its url.
struct Skill
{
    QUrl url;
    QString name;           // last path component without its extension
    QString contentSnippet; // "[Folder]", the first three non-blank lines, or empty
    QString fileExtension;  // without the dot; empty when there is none
    bool isDirectory = false;
    QString description;          // a folder's, from its SKILL.md
    QList<SkillFinding> findings; // what is wrong with a folder skill; empty for files

    const QUrl& id() const { return url; }

    bool operator==(const Skill&) const = default;
};

size_t qHash(const Skill& skill, size_t seed = 0);
