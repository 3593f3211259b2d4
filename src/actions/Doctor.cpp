#include "actions/Doctor.h"

#include "access/FileSystem.h"
#include "access/UserEnvironment.h"
#include "actions/Workspace.h"
#include "audit/SkillScanner.h"
#include "base/EnumNames.h"
#include "linker/TargetListing.h"
#include "model/AssistantPresets.h"
#include "model/AuditAcceptanceRecord.h"
#include "model/SkillManifest.h"
#include "model/TargetApp.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// "~/x" as the path below the home folder.
QString expandingHomeFolder(const QString& path, const QString& home)
{
    if (path == u"~"_s)
        return home;
    return path.startsWith(u"~/"_s) ? home + path.mid(1) : path;
}

QString quoted(const QString& text)
{
    // Names with blanks stay one word for the shell.
    return text.contains(u' ') || text.contains(u'\'')
               ? u"'"_s + QString(text).replace(u"'"_s, u"'\\''"_s) + u"'"_s
               : text;
}

QString command(const QString& words, const DoctorSubject::App& app, const QString& entry = {})
{
    return u"quorvane-cli %1 %2%3"_s.arg(words, quoted(app.name),
                                         entry.isEmpty() ? QString() : u' ' + quoted(entry));
}

// A skill folder's SKILL.md as read, nothing where there is none. Linked entries of many apps
// lead to the same hub item, which is read once.
using SkillFiles = QHash<QString, std::optional<Result<SkillManifest, SkillFinding>>>;

const std::optional<Result<SkillManifest, SkillFinding>>& manifestOf(const QString& folder, SkillFiles& read)
{
    if (const auto known = read.constFind(folder); known != read.cend())
        return known.value();
    const auto bytes = FileSystem::readBytes(folder + u'/' + SkillManifest::fileName);
    return read[folder] = bytes ? std::optional(SkillManifest::read(bytes.value())) : std::nullopt;
}

// The name an assistant knows a skill folder by: its frontmatter name, else the folder's.
QString skillNameOf(const QString& folder, SkillFiles& read)
{
    const auto& manifest = manifestOf(folder, read);
    return manifest && *manifest && (*manifest)->name ? *(*manifest)->name : QFileInfo(folder).fileName();
}

// A skill folder's problems with the skill format, weighed by whether the assistant skips
// such a skill: without SKILL.md, frontmatter, name or description every one does.
struct FormatProblem
{
    DoctorLevel level;
    DoctorFinding::Says says;
    QStringList data = {};
    std::optional<SkillFinding> format = std::nullopt;
};

QList<FormatProblem> formatProblems(const QString& folder, const QString& entry,
                                    const AssistantPreset* preset, SkillFiles& read)
{
    using Says = DoctorFinding::Says;
    const auto& file = manifestOf(folder, read);
    if (!file)
        return {{DoctorLevel::error, Says::noSkillFile}};
    const Result<SkillManifest, SkillFinding>& manifest = *file;
    if (!manifest)
        return {{DoctorLevel::error, Says::skillFormat, {}, manifest.error()}};
    QList<FormatProblem> problems;
    if (!manifest->name || !manifest->description)
        problems.append({DoctorLevel::error, Says::nameOrDescriptionMissing});
    if (manifest->name && *manifest->name != entry)
        problems.append(
            {preset && preset->skipsMisnamedSkill == true ? DoctorLevel::error : DoctorLevel::warning,
             Says::nameDiffersFromFolder,
             {*manifest->name}});
    // The rest of the format's findings, checked against the skill's own name, which is weighed
    // above: the assistant loads the skill all the same.
    if (manifest->name && manifest->description)
        for (const SkillFinding& finding : SkillManifest::check(manifest, *manifest->name))
            problems.append({DoctorLevel::warning, Says::skillFormat, {}, finding});
    return problems;
}

} // namespace

namespace {

// What one examination has read, so that what many apps share is read once.
struct Reading
{
    QHash<QString, bool> risks; // whether a hub item has open findings of level high
    SkillFiles skillFiles;      // by folder
    // The skill folders of a folder other assistants read as well (~/.agents/skills), listed once.
    QHash<QString, QStringList> skillFolders;
};

// Whether the hub item has open findings of level high, read once per examination.
bool hasOpenRisk(const DoctorSubject& subject, const QString& hubItem, Reading& reading)
{
    if (const auto known = reading.risks.constFind(hubItem); known != reading.risks.cend())
        return known.value();
    bool risky = false;
    if (const auto path = subject.hubItems.constFind(hubItem); path != subject.hubItems.cend())
        if (const auto report = SkillScanner::scanPath(hubItem, *path))
            risky =
                report->hasOpenHigh() && !subject.acceptances.contains(hubItem + u'\n' + report->contentHash);
    reading.risks.insert(hubItem, risky);
    return risky;
}

void examineApp(const DoctorSubject& subject, const DoctorSubject::App& app, Reading& reading,
                QList<DoctorFinding>& findings);

} // namespace

Doctor::Doctor(Workspace& workspace)
    : m_workspace(workspace)
{}

QString Doctor::levelName(DoctorLevel level)
{
    static constexpr EnumName<DoctorLevel> names[] = {
        {DoctorLevel::error, u"error"}, {DoctorLevel::warning, u"warning"}, {DoctorLevel::info, u"info"}};
    return nameIn<DoctorLevel>(names, level);
}

const AssistantPreset* Doctor::presetOf(const TargetApp& app) const
{
    if (app.preset())
        if (const AssistantPreset* preset = assistantPreset(*app.preset()))
            return preset;
    const QString home = m_workspace.platform().user.homeFolder();
    const QString folder = QDir::cleanPath(expandingHomeFolder(app.folderPath(), home));
    for (const AssistantPreset& preset : assistantPresets()) {
        if (QDir::cleanPath(expandingHomeFolder(preset.folder, home)) == folder)
            return &preset;
        if (app.project() && preset.projectFolder &&
            QDir::cleanPath(*app.project() + u'/' + *preset.projectFolder) == folder)
            return &preset;
    }
    return nullptr;
}

QList<DoctorFinding> Doctor::examine(const QList<TargetApp*>& apps) const
{
    return examine(gather(apps));
}

DoctorSubject Doctor::gather(const QList<TargetApp*>& apps) const
{
    DoctorSubject subject;
    const FolderAccess& access = m_workspace.folderAccess();
    subject.home = m_workspace.platform().user.homeFolder();
    if (m_workspace.hubSettings().hasValidCentralHub())
        if (auto hub = access.reach(m_workspace.hubSettings().location())) {
            subject.hub = hub->path;
            subject.folders->push_back(std::move(*hub));
        }
    for (const Skill& item : m_workspace.hubCatalog().availableSkills())
        subject.hubItems.insert(item.fileName(), item.path);
    for (const AuditAcceptanceRecord* accepted : m_workspace.context().records<AuditAcceptanceRecord>())
        subject.acceptances.insert(accepted->itemName() + u'\n' + accepted->contentHash());
    const QList<TargetApp*> examined = apps.isEmpty() ? m_workspace.apps() : apps;
    // The records of every app in one pass: looking them up app by app would read all of them each time.
    QSet<QUuid> wanted;
    for (const TargetApp* app : examined)
        wanted.insert(app->id());
    const QHash<QUuid, RecordedItems> recorded = LinkRecords::recordedByApp(m_workspace.context(), wanted);
    for (const TargetApp* app : examined) {
        const AssistantPreset* preset = presetOf(*app);
        DoctorSubject::App one{.id = app->id(),
                               .name = app->shownName(),
                               .folderPath = app->folderPath(),
                               .folder = std::nullopt,
                               .placement = app->placement(),
                               .preset = preset,
                               .presetChosen = preset && app->preset() == preset->id,
                               .project = app->project(),
                               .recorded = recorded.value(app->id())};
        if (auto folder = access.reach(folderOf(*app))) {
            one.folder = folder->path;
            subject.folders->push_back(std::move(*folder));
        }
        subject.apps.append(std::move(one));
    }
    return subject;
}

QList<DoctorFinding> Doctor::examine(const DoctorSubject& subject)
{
    QList<DoctorFinding> findings;
    if (!subject.hub)
        findings.append({QString(),
                         QUuid(),
                         QString(),
                         u"hub-missing"_s,
                         DoctorLevel::error,
                         DoctorFinding::Says::hubMissing,
                         {},
                         std::nullopt,
                         u"quorvane-cli hub set FOLDER"_s});
    Reading reading;
    for (const DoctorSubject::App& app : subject.apps)
        examineApp(subject, app, reading, findings);
    return findings;
}

namespace {

using Says = DoctorFinding::Says;

// The findings of one app, each added with the app's name and id.
struct AppFindings
{
    const DoctorSubject::App& app;
    QList<DoctorFinding>& findings;

    void add(const QString& entry, const QString& problem, DoctorLevel level, Says says,
             const QStringList& data = {}, std::optional<QString> fix = std::nullopt, bool safeToFix = false)
    {
        findings.append(
            {app.name, app.id, entry, problem, level, says, data, std::nullopt, std::move(fix), safeToFix});
    }
};

// A folder an assistant reads, written "~/..." or relative to the project, as a path; nothing
// for a project folder outside a project.
std::optional<QString> resolved(const QString& folder, const DoctorSubject& subject,
                                const DoctorSubject::App& app)
{
    if (folder.startsWith(u'~'))
        return QDir::cleanPath(expandingHomeFolder(folder, subject.home));
    if (!app.project)
        return std::nullopt;
    return QDir::cleanPath(*app.project + u'/' + folder);
}

QString ownFolder(const DoctorSubject& subject, const DoctorSubject::App& app)
{
    return QDir::cleanPath(expandingHomeFolder(app.folderPath, subject.home));
}

// Every folder the app's assistant reads where the app is: its own user folder, in a project
// its project folder, and the others it loads.
QStringList foldersReadBy(const AssistantPreset& preset, const DoctorSubject& subject,
                          const DoctorSubject::App& app)
{
    QStringList folders;
    for (const QString& folder : preset.foldersRead(app.project.has_value()))
        if (const auto path = resolved(folder, subject, app); path && !folders.contains(*path))
            folders.append(*path);
    return folders;
}

// Whether a link's destination lies outside the repository.
bool leavesRepository(const TargetAppSkill& item, const QString& repository)
{
    if (!item.symlinkDestination)
        return false;
    const QString destination =
        QDir::cleanPath(QDir(QFileInfo(item.path).path()).absoluteFilePath(*item.symlinkDestination));
    return destination != repository && !destination.startsWith(QDir::cleanPath(repository) + u'/');
}

// An assistant that drops a repository's skills for one link that leaves it, and reads this
// project folder: the app's own, or another that reads its folder too.
const AssistantPreset* dropsSkillsHere(const DoctorSubject& subject, const DoctorSubject::App& app)
{
    if (!app.project)
        return nullptr;
    const QString folder = ownFolder(subject, app);
    for (const AssistantPreset& preset : assistantPresets())
        if (preset.dropsSkillsForLinkOutside == true && foldersReadBy(preset, subject, app).contains(folder))
            return &preset;
    return nullptr;
}

// The folders in a folder an assistant reads: its skills, each a folder (or a link to one).
const QStringList& skillFoldersIn(const QString& folder, Reading& reading)
{
    if (const auto known = reading.skillFolders.constFind(folder); known != reading.skillFolders.cend())
        return known.value();
    QStringList skills;
    if (const auto entries = FileSystem::listFolder(folder))
        for (const QString& entryPath : entries.value())
            if (FileSystem::existsAsFolder(entryPath) == true)
                skills.append(entryPath);
    return reading.skillFolders[folder] = skills;
}

// Whether the entry of that folder is the hub's item of its name as Quorvane placed it: a
// link into the hub, or a copy an app's records know.
bool placedFromHub(const DoctorSubject& subject, const QString& folder, const QString& entry)
{
    if (const auto item = subject.hubItems.constFind(entry);
        item != subject.hubItems.cend() &&
        QFileInfo(folder + u'/' + entry).canonicalFilePath() == QFileInfo(*item).canonicalFilePath())
        return true;
    for (const DoctorSubject::App& app : subject.apps)
        if (app.folder && QDir::cleanPath(*app.folder) == QDir::cleanPath(folder))
            return app.recorded.contains(entry);
    return false;
}

// The skills named in other folders the assistant reads, which shadow or are shadowed by the
// app's own: a project's skill wins over the user's of the same name; elsewhere the
// assistant's documented order decides, and where it lists both, the name is listed twice.
void examineOtherFolders(const DoctorSubject& subject, const DoctorSubject::App& app,
                         const QHash<QString, QStringList>& reachedBy, Reading& reading, AppFindings& out)
{
    const AssistantPreset& preset = *app.preset;
    const QString own = ownFolder(subject, app);
    // Each skill name the other folder holds, with its entry there, set against the app's own
    // entries of that name. One hub item placed in both shadows only itself: that is no finding.
    const auto shadowing = [&](const QString& folder,
                               const std::function<void(const QString&, const QString&)>& found) {
        for (const QString& entryPath : skillFoldersIn(folder, reading)) {
            const QString name = skillNameOf(entryPath, reading.skillFiles);
            const QString otherEntry = QFileInfo(entryPath).fileName();
            for (const QString& entry : reachedBy.value(name))
                if (entry != otherEntry || !placedFromHub(subject, own, entry) ||
                    !placedFromHub(subject, folder, otherEntry))
                    found(entry, name);
        }
    };
    // In a project, the user's folders of the same assistant lose to the project's.
    if (app.project)
        for (const QString& folder : preset.foldersRead(false))
            if (const QString user = QDir::cleanPath(expandingHomeFolder(folder, subject.home)); user != own)
                shadowing(user, [&](const QString& entry, const QString& name) {
                    out.add(entry, u"shadowed"_s, DoctorLevel::warning, Says::overridesUserSkill,
                            {preset.name, name, folder});
                });
    // The user's folder loses, in each project of the same assistant the doctor looks at.
    if (!app.project)
        for (const DoctorSubject::App& other : subject.apps)
            if (other.project && other.preset == app.preset && other.folder)
                shadowing(*other.folder, [&](const QString& entry, const QString& name) {
                    out.add(entry, u"shadowed"_s, DoctorLevel::warning, Says::overriddenInProject,
                            {preset.name, name, other.folderPath});
                });
    for (const OtherSkillFolder& other : preset.alsoReads) {
        const auto folder = resolved(other.folder, subject, app);
        if (!folder || *folder == own || (other.isProjectFolder() != app.project.has_value()))
            continue;
        // An assistant that lists both lists one hub item twice all the same.
        if (other.precedence == FolderPrecedence::bothListed) {
            for (const QString& entryPath : skillFoldersIn(*folder, reading)) {
                const QString name = skillNameOf(entryPath, reading.skillFiles);
                for (const QString& entry : reachedBy.value(name))
                    out.add(entry, u"duplicate-skill"_s, DoctorLevel::warning, Says::alsoLoadedFrom,
                            {preset.name, name, other.folder});
            }
            continue;
        }
        shadowing(*folder, [&](const QString& entry, const QString& name) {
            out.add(entry, u"shadowed"_s, DoctorLevel::warning, Says::shadowedByOther,
                    {preset.name, name, other.folder, precedenceName(other.precedence)});
        });
    }
}

// The names and descriptions the assistant lists from every folder it reads, against its
// budget: past it, skills drop out of the list. They are counted in name order, as no
// assistant documents its own.
void examineListing(const DoctorSubject& subject, const DoctorSubject::App& app, Reading& reading,
                    AppFindings& out)
{
    const AssistantPreset& preset = *app.preset;
    if (!preset.listingBudget)
        return;
    QMap<QString, qsizetype> listed; // name -> its characters
    for (const QString& folder : foldersReadBy(preset, subject, app)) {
        for (const QString& entryPath : skillFoldersIn(folder, reading)) {
            const auto& manifest = manifestOf(entryPath, reading.skillFiles);
            if (!manifest || !*manifest || !(*manifest)->name || !(*manifest)->description)
                continue;
            listed.insert(*(*manifest)->name, (*manifest)->name->size() + (*manifest)->description->size());
        }
    }
    qsizetype total = 0;
    QStringList outside;
    for (auto it = listed.cbegin(); it != listed.cend(); ++it) {
        total += it.value();
        if (total > *preset.listingBudget)
            outside.append(it.key());
    }
    if (total > *preset.listingBudget)
        out.add(QString(), u"listing-budget"_s, DoctorLevel::warning, Says::listingBudget,
                {preset.name, QString::number(*preset.listingBudget), QString::number(total),
                 outside.join(u", "_s)});
}

void examineApp(const DoctorSubject& subject, const DoctorSubject::App& app, Reading& reading,
                QList<DoctorFinding>& findings)
{
    AppFindings out{app, findings};
    if (!app.folder) {
        out.add(QString(), u"folder-missing"_s, DoctorLevel::error, Says::folderMissing,
                QStringList{app.folderPath});
        return;
    }
    const QList<TargetAppSkill> items = TargetListing::listFolder(*app.folder, subject.hub, app.recorded);
    if (!FolderAccess::permitsWritingTo(*app.folder))
        out.add(QString(), u"folder-unwritable"_s, DoctorLevel::error, Says::folderUnwritable,
                QStringList{app.folderPath});
    const AssistantPreset* preset = app.preset;
    const RecordedItems& recorded = app.recorded;
    const bool ignoresLinks = preset && preset->followsLinks == false;
    const bool ignoresLinkedSkillFile = preset && preset->followsLinkedSkillFile == false;
    // Added as an assistant, in a folder that assistant does not read: nothing placed there reaches it.
    if (preset && app.presetChosen) {
        const QStringList read = foldersReadBy(*preset, subject, app);
        if (!read.contains(ownFolder(subject, app)))
            out.add(QString(), u"not-read-here"_s, DoctorLevel::error, Says::notReadHere,
                    QStringList{preset->name, preset->foldersRead(app.project.has_value()).join(u", "_s)});
    }
    const AssistantPreset* dropsSkills = dropsSkillsHere(subject, app);

    // Every skill name the assistant meets in the app's folder, and the entries that hold it.
    QHash<QString, QStringList> reachedBy;
    for (const TargetAppSkill& item : items) {
        const QString path = item.symlinkDestination.value_or(item.path);
        switch (item.state) {
        case TargetItemState::repairable:
            out.add(item.name, u"broken-link"_s, DoctorLevel::error, Says::brokenLinkRepairable, {},
                    command(u"repair"_s, app, item.name), true);
            continue;
        case TargetItemState::broken:
            // Only the user knows whether it is to go; it goes to the trash, where it can be had back.
            out.add(item.name, u"broken-link"_s, DoctorLevel::error, Says::brokenLink, {},
                    command(u"remove"_s, app, item.name));
            continue;
        case TargetItemState::copyOutdated:
            out.add(item.name, u"outdated-copy"_s, DoctorLevel::warning, Says::outdatedCopy, {},
                    command(u"sync"_s, app), true);
            break;
        case TargetItemState::copyModified:
            out.add(item.name, u"modified-copy"_s, DoctorLevel::warning, Says::modifiedCopy, {},
                    u"quorvane-cli link %1 %2 --force"_s.arg(quoted(item.name), quoted(app.name)));
            break;
        case TargetItemState::localItem:
        case TargetItemState::externalLink:
            out.add(item.name, u"unmanaged"_s, DoctorLevel::info, Says::unmanaged, {},
                    command(u"import"_s, app, item.name));
            break;
        case TargetItemState::linked:
        case TargetItemState::copyCurrent:
            break;
        }
        if ((item.state == TargetItemState::linked || isCopy(item.state)) &&
            hasOpenRisk(subject, item.name, reading))
            out.add(item.name, u"open-risk"_s, DoctorLevel::warning, Says::openRisk, {},
                    u"quorvane-cli audit "_s + quoted(item.name));
        // Only what Quorvane placed is turned into copies; the user's own links stay theirs.
        const std::optional<QString> toCopies =
            !recorded.contains(item.name)          ? std::nullopt
            : app.placement == PlacementKind::copy ? std::optional(command(u"sync"_s, app))
                                                   : std::optional(command(u"apps mode"_s, app) + u" copy"_s);
        if (item.isSymlink && ignoresLinks)
            out.add(item.name, u"link-not-followed"_s, DoctorLevel::error, Says::linkNotFollowed,
                    QStringList{preset->name}, toCopies, recorded.contains(item.name));
        if (item.isSymlink && dropsSkills && leavesRepository(item, *app.project))
            out.add(item.name, u"link-leaves-repository"_s, DoctorLevel::error, Says::linkLeavesRepository,
                    QStringList{dropsSkills->name, *item.symlinkDestination}, toCopies,
                    recorded.contains(item.name));
        if (FileSystem::existsAsFolder(path) != true)
            continue;
        if (ignoresLinkedSkillFile && FileSystem::isSymbolicLink(path + u'/' + SkillManifest::fileName))
            out.add(item.name, u"linked-skill-file"_s, DoctorLevel::error, Says::linkedSkillFile,
                    QStringList{preset->name});
        for (const FormatProblem& problem : formatProblems(path, item.name, preset, reading.skillFiles)) {
            out.add(item.name, u"invalid-skill"_s, problem.level, problem.says, problem.data);
            findings.last().format = problem.format;
        }
        if (preset && preset->acceptedFrontmatter)
            if (const auto& manifest = manifestOf(path, reading.skillFiles); manifest && *manifest) {
                QStringList refused;
                for (const QString& key : (*manifest)->keys)
                    if (!preset->acceptedFrontmatter->contains(key))
                        refused.append(key);
                if (!refused.isEmpty())
                    out.add(item.name, u"frontmatter-rejected"_s, DoctorLevel::error,
                            Says::frontmatterRejected,
                            QStringList{preset->name, refused.join(u", "_s),
                                        preset->acceptedFrontmatter->join(u", "_s)});
            }
        reachedBy[skillNameOf(path, reading.skillFiles)].append(item.name);
    }
    for (auto it = reachedBy.cbegin(); it != reachedBy.cend(); ++it)
        if (it.value().size() > 1)
            for (const QString& entry : it.value())
                out.add(entry, u"duplicate-skill"_s, DoctorLevel::warning, Says::duplicateInFolder,
                        QStringList{it.key(), it.value().join(u", "_s)});
    if (!preset)
        return;
    examineOtherFolders(subject, app, reachedBy, reading, out);
    examineListing(subject, app, reading, out);
}

} // namespace

std::vector<PlacementPlan> Doctor::fixes(const QList<DoctorFinding>& findings) const
{
    // The apps with something safe to fix, in the findings' order, and those that need copies.
    QList<QUuid> fixable;
    QSet<QUuid> toCopies;
    for (const DoctorFinding& finding : findings) {
        if (finding.appID.isNull() || !finding.safeToFix)
            continue;
        const bool copies =
            finding.problem == u"link-not-followed"_s || finding.problem == u"link-leaves-repository"_s;
        if (!fixable.contains(finding.appID))
            fixable.append(finding.appID);
        if (copies)
            toCopies.insert(finding.appID);
    }
    std::vector<PlacementPlan> plans;
    for (const QUuid& id : std::as_const(fixable)) {
        const TargetApp* app = m_workspace.app(id);
        if (!app)
            continue;
        auto plan = app->placement() == PlacementKind::link && toCopies.contains(id)
                        ? m_workspace.linker().planner.planSwitch(*app, PlacementKind::copy)
                        : m_workspace.linker().planner.planSync(*app);
        // What stands in the way is the user's (a copy changed here, an entry of their own): a
        // safe fix leaves it alone, and the findings still name it. A mode switch is whole or not at all.
        if (!plan || (plan->switchesTo && !plan->conflicts.isEmpty()))
            continue;
        plan->conflicts.clear();
        if (!plan->actions.isEmpty() || plan->switchesTo)
            plans.push_back(std::move(*plan));
    }
    return plans;
}
