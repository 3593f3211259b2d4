#include "cli/CliSession.h"

#include "access/FileSystem.h"
#include "access/ItemName.h"
#include "actions/AppActions.h"
#include "actions/BackupActions.h"
#include "actions/HubActions.h"
#include "actions/LinkActions.h"
#include "actions/SkillInstall.h"
#include "actions/SkillUpdates.h"
#include "actions/SourceActions.h"
#include "actions/Workspace.h"
#include "linker/HubCatalog.h"
#include "model/AssistantPresets.h"
#include "model/ModelContext.h"
#include "model/ModelStore.h"
#include "model/TargetApp.h"
#include "store/SkillSources.h"
#include "store/SkillStoreService.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QTextStream>

#include <nlohmann/json.hpp>

using namespace Qt::StringLiterals;
using Json = nlohmann::ordered_json;

namespace {

void print(const QString& text)
{
    QTextStream(stdout) << text << '\n';
}

void printJson(const Json& value)
{
    QTextStream(stdout) << QString::fromStdString(value.dump(2)) << '\n';
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QString stateName(TargetItemState state)
{
    switch (state) {
    case TargetItemState::repairable:
        return u"repairable"_s;
    case TargetItemState::broken:
        return u"broken"_s;
    case TargetItemState::linked:
        return u"linked"_s;
    case TargetItemState::copyCurrent:
        return u"copied"_s;
    case TargetItemState::copyOutdated:
        return u"outdated"_s;
    case TargetItemState::copyModified:
        return u"modified"_s;
    case TargetItemState::externalLink:
    case TargetItemState::localItem:
        break;
    }
    return u"importable"_s;
}

QString absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString idText(const TargetApp& app)
{
    return app.id().toString(QUuid::WithoutBraces);
}

} // namespace

CliSession::CliSession(bool json, StoreEndpoints endpoints, CommandFlags flags)
    : m_json(json)
    , m_endpoints(std::move(endpoints))
    , m_flags(flags)
{}

CliSession::~CliSession()
{
    m_workspace.reset(); // before the context it works on
}

int CliSession::fail(const QString& message) const
{
    QTextStream(stderr) << "quorvane-cli: " << message << '\n';
    return ExitCode::failure;
}

int CliSession::open(bool readHubItems)
{
    // A command reads only the records it touches.
    auto context = ModelContext::open(ModelStore::defaultFilePath(), ModelContext::Loading::onDemand);
    if (!context)
        return fail(u"The store cannot be opened; it was left unchanged. "_s + context.error().description);
    m_context = std::move(context).value();
    m_workspace = std::make_unique<Workspace>(*m_context, PlatformServices{m_scopes, m_user, m_preferences});
    m_workspace->open(readHubItems);
    return ExitCode::success;
}

int CliSession::hub(const QStringList&)
{
    QList<Skill> skills = m_workspace->hubCatalog().availableSkills();
    QString hubPath = m_workspace->hubSettings().centralRepositoryPath();
    bool exists = true;
    // Until another is chosen, the default folder is the hub: its items are shown as they are.
    if (!m_workspace->hubSettings().hasValidCentralHub()) {
        hubPath = m_workspace->folderAccess().resolvePath(hubPath);
        exists = FileSystem::existsAsFolder(hubPath) == true;
        if (exists) {
            auto listed = HubCatalog::itemsOfFolder(hubPath);
            if (!listed)
                return fail(
                    u"The hub folder %1 cannot be read: %2"_s.arg(hubPath, listed.error().description));
            skills = std::move(listed).value();
        }
    }
    if (m_json) {
        Json items = Json::array();
        for (const Skill& skill : skills)
            items.push_back({{"name", utf8(skill.name)},
                             {"fileName", utf8(skill.fileName())},
                             {"kind", skill.isDirectory ? "folder" : "file"},
                             {"snippet", utf8(skill.contentSnippet)},
                             {"path", utf8(skill.path)}});
        printJson({{"path", utf8(hubPath)}, {"exists", exists}, {"items", items}});
    } else {
        print(hubPath);
        for (const Skill& skill : skills)
            print(u"  %1\t%2\t%3\t%4"_s.arg(skill.fileName(), skill.name,
                                            skill.isDirectory ? u"folder"_s : u"file"_s,
                                            skill.contentSnippet.section(u'\n', 0, 0)));
    }
    if (!exists)
        QTextStream(stderr)
            << "The hub folder " << hubPath
            << " does not exist yet: create it, or choose another with quorvane-cli hub set FOLDER\n";
    return ExitCode::success;
}

int CliSession::hubSet(const QStringList& args)
{
    if (const Outcome chosen = HubActions(*m_workspace).chooseHub(absolute(args.first())); !chosen)
        return fail(chosen.error().description);
    print(u"Hub: %1 (%2 items)"_s.arg(m_workspace->hubSettings().centralRepositoryPath())
              .arg(m_workspace->hubCatalog().availableSkills().size()));
    return ExitCode::success;
}

int CliSession::apps(const QStringList&)
{
    const QList<TargetApp*> apps = m_workspace->apps();
    if (m_json) {
        Json list = Json::array();
        for (const TargetApp* app : apps)
            list.push_back({{"id", utf8(idText(*app))},
                            {"name", utf8(app->name())},
                            {"folderPath", utf8(app->folderPath())},
                            {"placement", utf8(placementKindName(app->placement()))}});
        printJson(list);
        return ExitCode::success;
    }
    for (const TargetApp* app : apps)
        print(u"%1\t%2\t%3"_s.arg(idText(*app), app->name(), app->folderPath()));
    return ExitCode::success;
}

int CliSession::appsAdd(const QStringList& args)
{
    if (m_flags.preset.has_value() == (args.size() == 2))
        return fail(u"Say either NAME FOLDER or --preset ID."_s);
    Result<TargetApp*> added = Error{};
    if (m_flags.preset) {
        const AssistantPreset* preset = assistantPreset(*m_flags.preset);
        if (!preset)
            return fail(u"No known assistant has the id %1; `quorvane-cli apps presets` lists them."_s.arg(
                *m_flags.preset));
        added = AppActions(*m_workspace)
                    .addPreset(*preset, m_flags.create,
                               m_flags.copy ? std::optional(PlacementKind::copy) : std::nullopt);
        if (!added && !m_flags.create &&
            FileSystem::existsAsFolder(AppActions(*m_workspace).presetFolder(*preset)) != true)
            return fail(added.error().description + u" --create makes it."_s);
    } else {
        added = AppActions(*m_workspace)
                    .add(args.at(0), absolute(args.at(1)),
                         m_flags.copy ? PlacementKind::copy : PlacementKind::link);
    }
    if (!added)
        return fail(added.error().description);
    print(idText(*added.value()));
    return ExitCode::success;
}

int CliSession::appsPresets(const QStringList&)
{
    AppActions actions(*m_workspace);
    Json list = Json::array();
    for (const AssistantPreset& preset : assistantPresets()) {
        const bool exists = FileSystem::existsAsFolder(actions.presetFolder(preset)) == true;
        if (m_json)
            list.push_back({{"id", utf8(preset.id)},
                            {"name", utf8(preset.name)},
                            {"folder", utf8(preset.folder)},
                            {"exists", exists},
                            {"copyRecommended", preset.copyRecommended}});
        else
            print(u"%1\t%2\t%3\t%4%5"_s.arg(preset.id, preset.name, preset.folder,
                                            exists ? u"exists"_s : u"missing"_s,
                                            preset.copyRecommended ? u"\tcopy recommended"_s : QString()));
    }
    if (m_json)
        printJson(list);
    return ExitCode::success;
}

int CliSession::appsRename(const QStringList& args)
{
    AppActions actions(*m_workspace);
    const auto app = actions.find(args.at(0));
    if (!app)
        return fail(app.error().description);
    const Outcome renamed = actions.rename(*app.value(), args.at(1));
    return renamed ? ExitCode::success : fail(renamed.error().description);
}

int CliSession::appsRemove(const QStringList& args)
{
    AppActions actions(*m_workspace);
    QList<TargetApp*> doomed;
    for (const QString& argument : args) {
        const auto app = actions.find(argument);
        if (!app)
            return fail(app.error().description); // nothing is removed unless every app is known
        doomed.append(app.value());
    }
    const Outcome removed = actions.remove(doomed);
    return removed ? ExitCode::success
                   : fail(u"The apps could not be removed: "_s + removed.error().description);
}

int CliSession::toggle(const QStringList& args, bool linked)
{
    // ITEM... APP: the app comes last; every item is tried, and a failure with one does
    // not keep the others from their place.
    const auto app = AppActions(*m_workspace).find(args.last());
    if (!app)
        return fail(app.error().description);
    const QStringList itemNames = args.first(args.size() - 1);
    if (m_flags.dryRun)
        return showTogglePlan(itemNames, *app.value(), linked);
    int exitCode = ExitCode::success;
    for (const QString& itemName : itemNames) {
        if (const int toggled = toggleOne(itemName, *app.value(), linked); toggled != ExitCode::success)
            exitCode = toggled;
    }
    return exitCode;
}

int CliSession::showTogglePlan(const QStringList& itemNames, const TargetApp& app, bool linked)
{
    QStringList hubItems;
    for (const QString& itemName : itemNames) {
        const auto skill = m_workspace->hubCatalog().readItem(itemName);
        if (!skill)
            return fail(u"The hub has no item \"%1\"."_s.arg(itemName));
        hubItems.append(skill->path);
    }
    std::optional<PlacementPlan> plan = m_workspace->linker().planner.planToggle(hubItems, app, linked);
    if (!plan)
        return fail(u"The folder of \"%1\" cannot be reached."_s.arg(app.name()));
    std::vector<PlacementPlan> plans;
    plans.push_back(std::move(*plan));
    int exitCode = ExitCode::success;
    showPlans(plans, exitCode);
    return exitCode;
}

int CliSession::toggleOne(const QString& itemName, TargetApp& app, bool linked)
{
    // Only the named item is read from the hub, not the whole hub.
    const auto skill = m_workspace->hubCatalog().readItem(itemName);
    if (!skill)
        return fail(u"The hub has no item \"%1\"."_s.arg(itemName));
    const LinkToggle toggled = LinkActions(*m_workspace).setLinked(*skill, app, linked, m_flags.force);
    switch (toggled.result) {
    case LinkToggleResult::changed:
        return ExitCode::success;
    case LinkToggleResult::alreadyInState:
        QTextStream(stderr) << (linked ? "Already linked: " : "Not linked: ") << itemName << '\n';
        return ExitCode::success;
    case LinkToggleResult::folderUnreachable:
        return fail(u"The folder of \"%1\" cannot be reached."_s.arg(app.name()));
    case LinkToggleResult::refused:
        return refuseToggle(*toggled.refusal, linked);
    case LinkToggleResult::failed:
        break;
    }
    return fail(linked ? u"\"%1\" could not be linked into \"%2\"."_s.arg(itemName, app.name())
                       : u"\"%1\" could not be unlinked from \"%2\"."_s.arg(itemName, app.name()));
}

int CliSession::refuseToggle(const PlanConflict& conflict, bool linked) const
{
    if (m_flags.skipConflicts) {
        QTextStream(stderr) << "Skipped " << conflict.path << ": " << conflict.reason << '\n';
        return ExitCode::success;
    }
    // Only a copy changed here can be overwritten with consent; the user's own entries never.
    const QString consent = !conflict.withConsent ? QString()
                            : linked              ? u" --force replaces it."_s
                                                  : u" --force removes it."_s;
    return fail(u"%1: %2; nothing was changed.%3"_s.arg(conflict.path, conflict.reason, consent));
}

int CliSession::link(const QStringList& args)
{
    if (!m_flags.all)
        return toggle(args, true);
    if (args.size() != 1)
        return fail(u"--all takes only the app."_s);
    const auto app = AppActions(*m_workspace).find(args.first());
    if (!app)
        return fail(app.error().description);
    return runPlan(m_workspace->linker().planner.planLinkAll(*app.value()), *app.value());
}

int CliSession::unlink(const QStringList& args)
{
    if (!m_flags.all)
        return toggle(args, false);
    if (args.size() != 1)
        return fail(u"--all takes only the app."_s);
    const auto app = AppActions(*m_workspace).find(args.first());
    if (!app)
        return fail(app.error().description);
    return runPlan(m_workspace->linker().planner.planUnlinkAll(*app.value()), *app.value());
}

int CliSession::runPlan(std::optional<PlacementPlan> plan, const TargetApp& app)
{
    if (!plan)
        return fail(u"The folder of \"%1\" cannot be reached."_s.arg(app.name()));
    std::vector<PlacementPlan> plans;
    plans.push_back(std::move(*plan));
    return runPlans(std::move(plans));
}

bool CliSession::showPlans(std::vector<PlacementPlan>& plans, int& exitCode)
{
    qsizetype conflictCount = 0;
    qsizetype changedHere = 0;
    Json actions = Json::array();
    Json conflicts = Json::array();
    // One write for the whole plan: it may be thousands of lines. Only the form asked for is made.
    QString lines;
    for (PlacementPlan& plan : plans) {
        if (m_flags.force)
            plan.consentToChangesHere();
        conflictCount += plan.conflicts.size();
        changedHere += plan.changesHere();
        for (const PlanAction& action : plan.actions) {
            if (m_json) {
                actions.push_back(
                    {{"op", utf8(PlanAction::opName(action.op))},
                     {"path", utf8(action.path)},
                     {"destination",
                      action.destination.isEmpty() ? Json(nullptr) : Json(utf8(action.destination))}});
                continue;
            }
            switch (action.op) {
            case PlanAction::Op::create:
                lines += u"create %1 -> %2\n"_s.arg(action.path, action.destination);
                break;
            case PlanAction::Op::copy:
                lines += u"copy %1 -> %2\n"_s.arg(action.destination, action.path);
                break;
            case PlanAction::Op::replace:
            case PlanAction::Op::remove:
                lines += PlanAction::opName(action.op) + u' ' + action.path + u'\n';
                break;
            }
        }
        for (const PlanConflict& conflict : plan.conflicts) {
            if (m_json)
                conflicts.push_back({{"path", utf8(conflict.path)}, {"reason", utf8(conflict.reason)}});
            else
                lines += u"conflict %1: %2\n"_s.arg(conflict.path, conflict.reason);
        }
    }
    if (m_json)
        printJson({{"actions", actions}, {"conflicts", conflicts}});
    else
        QTextStream(stdout) << lines;
    if (conflictCount > 0 && !m_flags.skipConflicts) {
        exitCode = fail(
            u"%1 conflict(s); nothing was changed. --skip-conflicts does the rest%2."_s.arg(conflictCount)
                .arg(changedHere > 0 ? u"; --force also replaces copies changed here"_s : QString()));
        return false;
    }
    exitCode = ExitCode::success;
    return !m_flags.dryRun;
}

int CliSession::runPlans(std::vector<PlacementPlan> plans)
{
    int exitCode = ExitCode::success;
    if (!showPlans(plans, exitCode))
        return exitCode;
    const std::vector<PlanOutcome> outcomes = LinkActions(*m_workspace).carryOutAll(plans);
    const bool allDone = std::all_of(outcomes.cbegin(), outcomes.cend(),
                                     [](const PlanOutcome& outcome) { return outcome.failures.isEmpty(); });
    return allDone ? ExitCode::success : ExitCode::failure;
}

int CliSession::sync(const QStringList& args)
{
    const auto app = AppActions(*m_workspace).find(args.first());
    if (!app)
        return fail(app.error().description);
    return runPlan(m_workspace->linker().planner.planSync(*app.value()), *app.value());
}

int CliSession::appsMode(const QStringList& args)
{
    const auto app = AppActions(*m_workspace).find(args.first());
    if (!app)
        return fail(app.error().description);
    const auto kind = placementKindNamed(args.at(1));
    if (!kind)
        return fail(u"The mode is link or copy, not \"%1\"."_s.arg(args.at(1)));
    return runPlan(m_workspace->linker().planner.planSwitch(*app.value(), *kind), *app.value());
}

int CliSession::linked(const QStringList& args)
{
    const auto skill = m_workspace->hubCatalog().itemNamed(args.at(0));
    if (!skill)
        return fail(u"The hub has no item \"%1\"."_s.arg(args.at(0)));
    Json list = Json::array();
    for (const TargetApp* app : m_workspace->apps()) {
        if (!m_workspace->linker().links.isSkillLinked(*skill, *app))
            continue;
        if (m_json)
            list.push_back({{"id", utf8(idText(*app))}, {"name", utf8(app->name())}});
        else
            print(u"%1\t%2"_s.arg(idText(*app), app->name()));
    }
    if (m_json)
        printJson(list);
    return ExitCode::success;
}

int CliSession::status(const QStringList& args)
{
    const auto app = AppActions(*m_workspace).find(args.at(0));
    if (!app)
        return fail(app.error().description);
    const auto items = m_workspace->targetListing().list(*app.value());
    if (!items)
        return fail(u"The folder of \"%1\" cannot be reached."_s.arg(app.value()->name()));
    Json list = Json::array();
    QString lines;
    for (const TargetAppSkill& item : *items) {
        const QString state = stateName(item.state);
        const QString destination = item.symlinkDestination.value_or(QString());
        if (m_json)
            list.push_back(
                {{"name", utf8(item.name)},
                 {"path", utf8(item.path)},
                 {"state", utf8(state)},
                 {"isSymlink", item.isSymlink},
                 {"destination", item.symlinkDestination ? Json(utf8(destination)) : Json(nullptr)},
                 {"hasNamesakeInHub", item.hasNamesakeInHub},
                 {"placement", isCopy(item.state) ? Json("copy")
                               : item.isSymlink   ? Json("link")
                                                  : Json(nullptr)}});
        else
            lines += u"%1\t%2%3\n"_s.arg(state, item.name,
                                         destination.isEmpty() ? QString() : u" -> "_s + destination);
    }
    if (m_json)
        printJson(list);
    else
        QTextStream(stdout) << lines; // one write: a folder may hold thousands of entries
    return ExitCode::success;
}

int CliSession::onEntry(const QStringList& args,
                        const std::function<int(TargetApp&, const TargetAppSkill&)>& action)
{
    const auto app = AppActions(*m_workspace).find(args.at(0));
    if (!app)
        return fail(app.error().description);
    const QString& name = args.at(1);
    if (const Outcome valid = checkItemName(name); !valid)
        return fail(valid.error().description);
    const auto entry = m_workspace->targetListing().entry(*app.value(), name);
    if (!entry)
        return fail(u"The folder of \"%1\" cannot be reached."_s.arg(app.value()->name()));
    if (!*entry)
        return fail(u"There is no entry \"%1\" in the folder of \"%2\"."_s.arg(name, app.value()->name()));
    return action(*app.value(), **entry);
}

int CliSession::importEntry(const QStringList& args)
{
    return onEntry(args, [this](TargetApp& app, const TargetAppSkill& entry) {
        if (!isImportable(entry.state))
            return fail(
                u"\"%1\" is not a local item or a link outside the hub; there is nothing to import."_s.arg(
                    entry.name));
        return LinkActions(*m_workspace).importEntry(entry, app)
                   ? ExitCode::success
                   : fail(u"\"%1\" could not be imported."_s.arg(entry.name));
    });
}

int CliSession::repair(const QStringList& args)
{
    return onEntry(args, [this](TargetApp& app, const TargetAppSkill& entry) {
        if (entry.state != TargetItemState::repairable)
            return fail(
                u"\"%1\" is not a broken link with an item of the same name in the hub."_s.arg(entry.name));
        return LinkActions(*m_workspace).repairEntry(entry, app)
                   ? ExitCode::success
                   : fail(u"\"%1\" could not be repaired."_s.arg(entry.name));
    });
}

int CliSession::remove(const QStringList& args)
{
    return onEntry(args, [this](TargetApp& app, const TargetAppSkill& entry) {
        const auto removed = LinkActions(*m_workspace).removeEntry(entry, app);
        if (!removed)
            return fail(u"\"%1\" could not be removed."_s.arg(entry.name));
        // Said on standard error: the result of the command is the removal itself.
        QTextStream(stderr) << (removed->inTrash
                                    ? u"Moved \"%1\" to the trash: %2\n"_s.arg(entry.name, *removed->inTrash)
                                    : u"Deleted \"%1\" (there is no trash for this folder).\n"_s.arg(
                                          entry.name));
        return ExitCode::success;
    });
}

SkillStoreService& CliSession::store()
{
    if (!m_store) {
        m_network = std::make_unique<QNetworkAccessManager>();
        auto sources = std::make_unique<SkillSources>(*m_network, m_workspace->context(), m_endpoints);
        m_sources = sources.get();
        m_store = std::make_unique<SkillStoreService>(std::move(sources));
    }
    return *m_store;
}

QStringList CliSession::refreshSources(const std::optional<QString>& only, bool staleOnly)
{
    store();
    QStringList failures;
    QEventLoop waiting;
    QObject context;
    m_sources->refresh(only, staleOnly, &context, [&](const QStringList& failed) {
        failures = failed;
        waiting.quit();
    });
    waiting.exec();
    for (const QString& failure : std::as_const(failures))
        QTextStream(stderr) << failure << '\n';
    return failures;
}

int CliSession::search(const QStringList& args)
{
    // Indexes older than a day are read again first; a source that cannot be reached
    // still answers from what it had.
    const QStringList refreshFailures = refreshSources(std::nullopt, true);
    SkillStoreService& service = store();
    QEventLoop waiting;
    QObject::connect(&service, &SkillStoreService::isSearchingChanged, &waiting, [&] {
        if (!service.isSearching())
            waiting.quit();
    });
    if (!service.source().isConfigured())
        return fail(u"There is no source to search: quorvane-cli sources add github OWNER/REPO"_s);
    service.search(args.first());
    if (service.isSearching())
        waiting.exec();
    // What the refresh said already is not said twice.
    const auto tellNew = [&](const QStringList& failures) {
        for (const QString& failure : failures)
            if (!refreshFailures.contains(failure))
                QTextStream(stderr) << failure << '\n';
    };
    if (service.errorMessage()) {
        tellNew(service.errorMessage()->split(u'\n'));
        return ExitCode::failure;
    }
    tellNew(service.source().lastFailures());
    if (m_json) {
        Json list = Json::array();
        for (const RemoteSkillItem& hit : service.searchResults()) {
            const bool indexed = hit.fromIndex.has_value();
            list.push_back({{"name", utf8(hit.name)},
                            {"description", indexed ? Json(utf8(hit.fromIndex->description)) : Json(nullptr)},
                            {"source", utf8(hit.sourceName)},
                            {"skillPath", indexed ? Json(utf8(hit.fromIndex->skillPath))
                                                  : (hit.skillId ? Json(utf8(*hit.skillId)) : Json(nullptr))},
                            {"kind", indexed ? "github" : "directory"},
                            {"installs", indexed ? Json(nullptr) : Json(hit.installs)}});
        }
        printJson(list);
        return ExitCode::success;
    }
    for (const RemoteSkillItem& hit : service.searchResults())
        print(u"%1\t%2\t%3\t%4"_s.arg(
            hit.name, hit.sourceName,
            hit.fromIndex ? hit.fromIndex->skillPath : hit.skillId.value_or(QString()),
            hit.fromIndex ? hit.fromIndex->description : QString::number(hit.installs)));
    return ExitCode::success;
}

int CliSession::sources(const QStringList&)
{
    store();
    Json list = Json::array();
    for (const SkillSourceRecord* source : SourceActions(*m_workspace).sources()) {
        const auto index = source->kind() == SkillSourceRecord::Kind::github
                               ? m_sources->index(source->location())
                               : std::nullopt;
        const QString refreshed =
            index && index->refreshedAt ? index->refreshedAt->toUTC().toString(Qt::ISODate) : QString();
        if (m_json) {
            list.push_back({{"id", utf8(source->id().toString(QUuid::WithoutBraces))},
                            {"kind", utf8(SkillSourceRecord::kindName(source->kind()))},
                            {"location", utf8(source->location())},
                            {"skillCount", index ? Json(index->skills.size()) : Json(nullptr)},
                            {"refreshedAt", refreshed.isEmpty() ? Json(nullptr) : Json(utf8(refreshed))}});
            continue;
        }
        print(u"%1\t%2\t%3\t%4\t%5"_s.arg(source->id().toString(QUuid::WithoutBraces),
                                          SkillSourceRecord::kindName(source->kind()), source->location(),
                                          index ? QString::number(index->skills.size()) : u"-"_s,
                                          refreshed.isEmpty() ? u"-"_s : refreshed));
    }
    if (m_json)
        printJson(list);
    return ExitCode::success;
}

int CliSession::sourcesAdd(const QStringList& args)
{
    const auto kind = SkillSourceRecord::kindNamed(args.at(0));
    if (!kind)
        return fail(u"A source is \"github\" or \"directory\", not \"%1\"."_s.arg(args.at(0)));
    const auto added = SourceActions(*m_workspace).add(*kind, args.at(1));
    if (!added)
        return fail(added.error());
    print(added.value()->id().toString(QUuid::WithoutBraces));
    return ExitCode::success;
}

int CliSession::sourcesRemove(const QStringList& args)
{
    const auto source = SourceActions(*m_workspace).find(args.first());
    if (!source)
        return fail(source.error().description);
    if (const Outcome removed = SourceActions(*m_workspace).remove(*source.value()); !removed)
        return fail(removed.error().description);
    return ExitCode::success;
}

int CliSession::sourcesRefresh(const QStringList& args)
{
    std::optional<QString> only;
    if (!args.isEmpty()) {
        const auto source = SourceActions(*m_workspace).find(args.first());
        if (!source)
            return fail(source.error().description);
        only = source.value()->location();
    }
    const QStringList failures = refreshSources(only, false);
    for (const SkillSourceRecord* source : SourceActions(*m_workspace).sources()) {
        if (source->kind() != SkillSourceRecord::Kind::github || (only && source->location() != *only))
            continue;
        const auto index = m_sources->index(source->location());
        print(u"%1\t%2 skills%3"_s.arg(source->location())
                  .arg(index ? index->skills.size() : 0)
                  .arg(index && index->truncated ? u" (listing cut short by GitHub)"_s : QString()));
    }
    return failures.isEmpty() ? ExitCode::success : ExitCode::failure;
}

int CliSession::install(const QStringList& args)
{
    // args: OWNER/REPO[@REF], the skill's path or id (may be empty), the hub folder's name (may be empty)
    const auto repository = GitHubRepository::parse(args.at(0));
    if (!repository || !repository->path.isEmpty())
        return fail(u"Say which repository: OWNER/REPO or OWNER/REPO@REF."_s);
    const QString& pathOrId = args.at(1);
    if (pathOrId.isEmpty())
        return fail(u"Say which skill to install: --skill-id PATH-OR-ID."_s);
    if (!m_workspace->hubSettings().hasValidCentralHub())
        return fail(u"Choose the hub folder first: quorvane-cli hub set FOLDER"_s);

    RemoteSkillItem item;
    item.id = repository->fullName() + u'/' + pathOrId;
    item.skillId = pathOrId.mid(pathOrId.lastIndexOf(u'/') + 1);
    item.name = *item.skillId;
    item.source = repository->fullName();
    item.sourceName = repository->fullName();
    // A path names the folder; a bare id is looked for where skills usually lie.
    if (pathOrId.contains(u'/'))
        item.fromIndex = RemoteSkillItem::FromIndex{repository->ref, pathOrId, {}};
    InstallOptions options;
    options.replaceChanged = m_flags.force;
    if (!args.at(2).isEmpty())
        options.folderName = args.at(2);
    const InstallResult result = waitFor(SkillInstall::start(*m_workspace, store().source(), item, options));
    if (result.needsConsent)
        return refuseChangedFolder(options.folderName.value_or(*item.skillId), *result.needsConsent);
    if (!result.succeeded)
        return fail(QString(result.message).replace(u'\n', u' '));
    // What else the install has to say (files left out, a SKILL.md alone) is for the reader.
    const qsizetype note = result.message.indexOf(u"\n\n"_s);
    if (note >= 0)
        QTextStream(stderr) << result.message.mid(note + 2) << '\n';
    print(result.folderPath);
    return ExitCode::success;
}

InstallResult CliSession::waitFor(SkillInstall* install)
{
    InstallResult result;
    QEventLoop waiting;
    QObject::connect(install, &SkillInstall::finished, &waiting, [&](const InstallResult& finished) {
        result = finished;
        waiting.quit();
    });
    waiting.exec();
    return result;
}

SkillUpdates& CliSession::updates()
{
    if (!m_updates)
        m_updates = new SkillUpdates(*m_workspace, store().source());
    return *m_updates;
}

int CliSession::refuseChangedFolder(const QString& item, const LocalChanges& changes) const
{
    return fail(u"%1 %2 (%3); --force replaces it."_s.arg(
        item,
        changes.unknownOrigin ? u"is in the hub, but nothing records where it came from"_s
                              : u"was changed here"_s,
        changes.files.join(u", "_s)));
}

int CliSession::update(const QStringList& args)
{
    if (m_flags.check == (!args.isEmpty() || m_flags.all))
        return fail(u"Say --check, or which items to update: ITEM... or --all."_s);
    UpdateCheckResult checked;
    QEventLoop waiting;
    updates().check([&](const UpdateCheckResult& result) {
        checked = result;
        waiting.quit();
    });
    waiting.exec();
    for (const QString& failure : std::as_const(checked.failures))
        QTextStream(stderr) << failure << '\n';

    if (m_flags.check) {
        Json listed = Json::array();
        for (const SkillUpdateStatus& skill : std::as_const(checked.skills)) {
            const QString state = SkillUpdates::stateName(skill.state);
            if (m_json)
                listed.push_back(
                    {{"item", utf8(skill.item)},
                     {"state", utf8(state)},
                     {"source", skill.source.isEmpty() ? Json(nullptr) : Json(utf8(skill.source))}});
            else
                print(u"%1\t%2\t%3"_s.arg(skill.item, state, skill.source));
        }
        if (m_json)
            printJson(listed);
        return checked.failures.isEmpty() ? ExitCode::success : ExitCode::failure;
    }

    QList<SkillUpdateStatus> chosen;
    bool allWell = checked.failures.isEmpty();
    for (const SkillUpdateStatus& skill : std::as_const(checked.skills)) {
        const bool named = args.contains(skill.item);
        if (named ||
            (m_flags.all && skill.state != UpdateState::current && skill.state != UpdateState::unknown))
            chosen.append(skill);
    }
    for (const QString& item : args) {
        if (std::none_of(chosen.cbegin(), chosen.cend(),
                         [&](const SkillUpdateStatus& s) { return s.item == item; })) {
            QTextStream(stderr) << "No hub item named " << item << " could be checked.\n";
            allWell = false;
        }
    }
    for (const SkillUpdateStatus& skill : std::as_const(chosen)) {
        switch (skill.state) {
        case UpdateState::unknown:
            QTextStream(stderr) << skill.item
                                << ": nothing records where it came from; it cannot be updated.\n";
            allWell = false;
            continue;
        case UpdateState::current:
            print(u"%1: current"_s.arg(skill.item));
            continue;
        case UpdateState::modified:
            if (!m_flags.force) {
                refuseChangedFolder(skill.item, {false, skill.changedFiles});
                allWell = false;
                continue;
            }
            break;
        case UpdateState::updateAvailable:
            break;
        }
        if (m_flags.dryRun) {
            print(u"%1: would be %2 from %3"_s.arg(
                skill.item, skill.state == UpdateState::modified ? u"replaced"_s : u"updated"_s,
                skill.source));
            continue;
        }
        const InstallResult result = waitFor(updates().update(skill.item, m_flags.force));
        if (result.succeeded) {
            print(u"%1: updated"_s.arg(skill.item));
        } else if (result.needsConsent) {
            refuseChangedFolder(skill.item, *result.needsConsent);
            allWell = false;
        } else {
            QTextStream(stderr) << skill.item << ": " << QString(result.message).replace(u'\n', u' ') << '\n';
            allWell = false;
        }
    }
    return allWell ? ExitCode::success : ExitCode::failure;
}

int CliSession::backupExport(const QStringList& args)
{
    const Outcome written = BackupActions(*m_workspace).exportTo(absolute(args.first()));
    return written ? ExitCode::success : fail(u"The backup could not be written."_s);
}

int CliSession::backupImport(const QStringList& args)
{
    // What restoring would do is shown, and agreed to, before the configuration is replaced.
    auto plans = BackupActions(*m_workspace).planImport(absolute(args.first()));
    if (!plans)
        return fail(u"Import Fehlgeschlagen: Die Backup-Datei konnte nicht gelesen werden: %1"_s.arg(
            plans.error().description));
    int exitCode = ExitCode::success;
    if (!showPlans(plans.value(), exitCode))
        return exitCode;
    plans.value().clear(); // the folders' scopes close before the import reaches them again
    const Outcome imported = BackupActions(*m_workspace).importFrom(absolute(args.first()));
    if (!imported)
        return fail(u"Import Fehlgeschlagen: Die Backup-Datei konnte nicht gelesen werden: %1"_s.arg(
            imported.error().description));
    return ExitCode::success;
}

int CliSession::restoreLinks(const QStringList&)
{
    return runPlans(m_workspace->linker().planner.planRestoreAll());
}

int CliSession::check(const QStringList& args)
{
    const QList<Skill>& skills = m_workspace->hubCatalog().availableSkills();
    if (!args.isEmpty() && std::none_of(skills.cbegin(), skills.cend(),
                                        [&](const Skill& skill) { return skill.fileName() == args.first(); }))
        return fail(u"No hub item named "_s + args.first());
    Json findings = Json::array();
    bool anyError = false;
    for (const Skill& skill : skills) {
        const QString item = skill.fileName();
        if (!args.isEmpty() && item != args.first())
            continue;
        for (const SkillFinding& finding : skill.findings) {
            const bool error = finding.level == SkillFinding::Level::error;
            anyError = anyError || error;
            const char* level = error ? "error" : "warning";
            if (m_json)
                findings.push_back(
                    {{"item", utf8(item)}, {"level", level}, {"message", utf8(finding.message)}});
            else
                print(u"%1\t%2\t%3"_s.arg(item, QString::fromLatin1(level), finding.message));
        }
    }
    if (m_json)
        printJson(findings);
    return anyError ? ExitCode::failure : ExitCode::success;
}
