#pragma once

#include "model/TargetApp.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Which of two folders an assistant reads wins when both hold a skill of the same name.
enum class FolderPrecedence
{
    unknown,
    ownWins,    // the assistant's own folder
    otherWins,  // the other folder
    bothListed, // it lists the skill twice
};

// A folder an assistant loads skills from besides its own: "~/..." below the home folder,
// otherwise relative to a project's root.
struct OtherSkillFolder
{
    QString folder;
    FolderPrecedence precedence = FolderPrecedence::unknown;

    bool isProjectFolder() const { return !folder.startsWith(u'~'); }
};

// Where a fact about an assistant was read, so the window can link to it.
struct PresetSource
{
    QString fact; // the fact's key, as `apps presets --json` names it: "folder", "listingBudget", ...
    QString url;
};

// A coding assistant whose skills folder and habits are known, so adding it needs no typing
// and the doctor knows what it will and will not see. Unknown stays unknown: nothing is guessed.
struct AssistantPreset
{
    QString id;     // for the command line: "claude-code", "cursor", ...
    QString name;   // as the user knows it
    QString folder; // below the home folder, written "~/..."
    // The skills folder it reads inside a repository, relative to the repository's root;
    // nothing where it has no project scope, or none we could confirm.
    std::optional<QString> projectFolder = std::nullopt;
    // What it does with what it finds there; nothing where that is not known.
    std::optional<bool> followsLinks = std::nullopt;           // an entry that is a link to a folder
    std::optional<bool> followsLinkedSkillFile = std::nullopt; // a SKILL.md that is itself a link
    std::optional<bool> skipsMisnamedSkill = std::nullopt;     // a frontmatter name other than the folder's
    // Drops every skill of a repository when one link there points outside it.
    std::optional<bool> dropsSkillsForLinkOutside = std::nullopt;
    // Other folders it loads skills from besides its own, and which wins a name they share.
    QList<OtherSkillFolder> alsoReads = {};
    // The frontmatter keys its loader accepts; nothing where it accepts any, or that is not known.
    std::optional<QStringList> acceptedFrontmatter = std::nullopt;
    // The characters of names and descriptions it lists to the model before it cuts the list.
    std::optional<int> listingBudget = std::nullopt;
    // Copies for an assistant that does not see links, links otherwise.
    PlacementKind recommendedPlacement = PlacementKind::link;
    QList<PresetSource> sources = {};

    bool copyRecommended() const { return recommendedPlacement == PlacementKind::copy; }
    // The folders it reads: its own, then the others, the project ones only inside a project.
    QStringList foldersRead(bool inProject) const;
};

// Every known assistant, in the order the add sheet offers them.
const QList<AssistantPreset>& assistantPresets();
// The preset of that id, or nothing.
const AssistantPreset* assistantPreset(const QString& id);
// "own-wins", "other-wins", "both-listed", "unknown".
QString precedenceName(FolderPrecedence precedence);
