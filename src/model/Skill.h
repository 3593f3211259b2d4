#pragma once

#include "model/SkillManifest.h"

#include <QHashFunctions>
#include <QString>

// One entry of the central hub folder, rebuilt by every scan. Its identity is its path.
struct Skill
{
    QString path;           // absolute, as the scan found it
    QString name;           // last path component without its extension
    QString contentSnippet; // "[Folder]", the first three non-blank lines, or empty
    QString fileExtension;  // without the dot; empty when there is none
    bool isDirectory = false;
    QString description;          // a folder's, from its SKILL.md
    QList<SkillFinding> findings; // what is wrong with a folder skill; empty for files

    const QString& id() const { return path; }
    // The last path component, extension included: the item's name in every folder.
    QString fileName() const { return path.mid(path.lastIndexOf(u'/') + 1); }

    bool operator==(const Skill&) const = default;
};

size_t qHash(const Skill& skill, size_t seed = 0);
