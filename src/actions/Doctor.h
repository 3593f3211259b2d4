#pragma once

#include "linker/LinkRecords.h"
#include "linker/PlacementPlan.h"
#include "model/SkillManifest.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

struct AssistantPreset;
class TargetApp;
class Workspace;

// How much a problem the doctor finds weighs: an error keeps a skill from its assistant.
enum class DoctorLevel
{
    error,
    warning,
    info,
};

// One reason an assistant may not see a skill as the user expects.
struct DoctorFinding
{
    QString app;     // the app's name; empty for the hub
    QUuid appID;     // null for the hub
    QString entry;   // the entry of the app's folder; empty for the folder itself
    QString problem; // the stable id scripts filter on
    DoctorLevel level = DoctorLevel::info;
    // What the finding says, with what it names in `data`.
    enum class Says
    {
        hubMissing,
        folderMissing,        // data: the folder
        folderUnwritable,     // data: the folder
        brokenLinkRepairable, // the hub has an item of the link's name
        brokenLink,
        outdatedCopy,
        modifiedCopy,
        unmanaged,
        openRisk,
        linkNotFollowed, // data: the assistant
        linkedSkillFile, // data: the assistant
        noSkillFile,
        nameOrDescriptionMissing,
        nameDiffersFromFolder, // data: the name
        skillFormat,           // `format` holds the finding
        duplicateInFolder,     // data: the name, the entries
        alsoLoadedFrom,        // data: the assistant, the name, the other folder
        listingBudget,         // data: the assistant, its budget, the characters listed, the skills left out
        frontmatterRejected,   // data: the assistant, the keys it refuses, the keys it accepts
        overridesUserSkill,    // data: the assistant, the name, the user's folder
        overriddenInProject,   // data: the assistant, the name, the project's folder
        shadowedByOther,       // data: the assistant, the name, the other folder, which wins
        notReadHere,           // data: the assistant, the folders it reads
        linkLeavesRepository,  // data: the assistant, where the link leads
    };
    Says says = Says::unmanaged;
    QStringList data;
    std::optional<SkillFinding> format;
    std::optional<QString> fix; // the command that fixes it, where one does
    bool safeToFix = false;     // the fix leaves the user's own content alone: --fix and "Beheben…" do it

    bool operator==(const DoctorFinding&) const = default;
};

// What the doctor looks at, gathered where the records live: each app's folder (reached, its
// access scope open while this lives), its records and its assistant, the hub's items and what
// the user accepted. Examining it then touches files only, on any thread.
struct DoctorSubject
{
    struct App
    {
        QUuid id;
        QString name;                  // as shown
        QString folderPath;            // as stored, for messages
        std::optional<QString> folder; // reached; nothing when it cannot be
        PlacementKind placement = PlacementKind::link;
        const AssistantPreset* preset = nullptr;
        bool presetChosen = false;           // added as that assistant, not only found by its folder
        std::optional<QString> project = {}; // the repository's root, for a project's app
        RecordedItems recorded;
    };
    QList<App> apps;
    std::optional<QString> hub; // reached, when it is valid
    QString home;
    QHash<QString, QString> hubItems; // name -> path, as last scanned
    QSet<QString> acceptances;        // "ITEM\nCONTENT-HASH"
    std::shared_ptr<std::vector<ReachedFolder>> folders = std::make_shared<std::vector<ReachedFolder>>();
};

// Tells whether each assistant can really see each skill placed for it: from its folder as
// it stands, the skills' frontmatter, the assistant's habits (links, other folders it reads)
// and the audit. Reads only; the safe fixes come as plans, carried out as every plan is.
class Doctor
{
public:
    explicit Doctor(Workspace& workspace);

    // The findings for the apps, in their order (every app when empty), the hub's first.
    QList<DoctorFinding> examine(const QList<TargetApp*>& apps) const;
    // The same in two halves: what to look at, gathered here, and the examination of it,
    // which touches files only and so may run on a worker.
    DoctorSubject gather(const QList<TargetApp*>& apps) const;
    static QList<DoctorFinding> examine(const DoctorSubject& subject);
    // The plans of every safe fix among the findings: copies for an app whose assistant does
    // not follow links, and bringing the placements in line with the hub (outdated copies,
    // broken links Quorvane made). The user's own entries are left alone.
    std::vector<PlacementPlan> fixes(const QList<DoctorFinding>& findings) const;

    // The known assistant an app stands for: the preset it was added from, else the preset
    // whose folder (or project folder) it is.
    const AssistantPreset* presetOf(const TargetApp& app) const;
    // "error", "warning", "info".
    static QString levelName(DoctorLevel level);

private:
    Workspace& m_workspace;
};
