#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A coding assistant whose skills folder is known, so adding it needs no typing.
struct AssistantPreset
{
    QString id;     // for the command line: "claude-code", "cursor", ...
    QString name;   // as the user knows it
    QString folder; // below the home folder, written "~/..."
    // The assistant does not follow symbolic links in its skills folder: it needs copies.
    bool copyRecommended = false;
    // The skills folder it reads inside a repository, relative to the repository's root;
    // nothing where it has no project scope, or none we could confirm.
    std::optional<QString> projectFolder = std::nullopt;
    // What it does with what it finds there; nothing where that is not known.
    std::optional<bool> followsLinks = std::nullopt;           // an entry that is a link to a folder
    std::optional<bool> followsLinkedSkillFile = std::nullopt; // a SKILL.md that is itself a link
    std::optional<bool> skipsMisnamedSkill = std::nullopt;     // a frontmatter name other than the folder's
    // Other folders it loads skills from besides its own, written "~/...".
    QStringList alsoReads = {};
};

// Every known assistant, in the order the add sheet offers them.
const QList<AssistantPreset>& assistantPresets();
// The preset of that id, or nothing.
const AssistantPreset* assistantPreset(const QString& id);
