#pragma once

#include "access/FolderAccess.h"
#include "access/FolderContent.h"
#include "base/Problem.h"
#include "base/Result.h"
#include "model/SkillProvenanceRecord.h"

#include <QList>
#include <QStringList>

#include <optional>
#include <vector>

class HubSettings;
class ModelContext;

// A fetched skill folder to put into the hub, in two halves like an import: the plan is
// made where the records live (the hub's scope stays open while it lives), the files are
// placed from plain paths on a worker.
struct SkillInstallTarget
{
    QString name;
    QString folder;                          // in the hub
    std::optional<SkillProvenance> recorded; // what was installed there before, if anything
};
struct SkillInstallPlan
{
    SkillInstallTarget target;
    std::vector<ReachedFolder> folders;
};

// How the folder an install would replace differs from what was installed there.
struct LocalChanges
{
    bool unknownOrigin = false; // nothing records where it came from
    QStringList files;          // changed here; for a folder of unknown origin, all it holds
};

// Why an install did not happen.
struct InstallRefusal
{
    Problem problem;
    std::optional<LocalChanges> changesHere; // set when only the user's consent is missing

    // The refusal to replace the item `name` without consent.
    static InstallRefusal withoutConsent(const QString& name, const LocalChanges& changes);
};

// Puts fetched skill folders into the hub, whole or not at all, and tells what an install
// would replace.
class HubInstaller
{
public:
    HubInstaller(const ModelContext& context, const HubSettings& hub, const FolderAccess& access);

    // Refuses a name that is not a plain visible folder name, and an unreachable hub.
    Result<SkillInstallPlan, Problem> planSkillInstall(const QString& name) const;
    // Nothing when the folder is missing or holds exactly what was installed. Reads files only.
    static Result<std::optional<LocalChanges>> changesHere(const SkillInstallTarget& target);
    // Writes the files into a hidden staging folder in the hub, then puts it in place: by a
    // move that never replaces, or, over an existing folder, by one exchange after which the
    // old folder is removed. A folder changed here or of unknown origin is replaced only
    // with `replaceChanged`. On any failure the staging folder goes and the hub stays as it was.
    static Result<FolderDigest, InstallRefusal>
    placeSkillFolder(const SkillInstallTarget& plan, const QList<ContentFile>& files, bool replaceChanged);

private:
    const ModelContext& m_context;
    const HubSettings& m_hub;
    const FolderAccess& m_access;
};
