#include "CliSession.h"

#include "BackupService.h"
#include "FileLinkerService.h"
#include "ItemName.h"
#include "Log.h"
#include "ModelContext.h"
#include "ModelStore.h"
#include "NameOrder.h"
#include "SecurityScopedBookmarkManager.h"
#include "SkillDownload.h"
#include "TargetApp.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
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
    case TargetItemState::importable:
        return u"importable"_s;
    }
    return {};
}

QString absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

CliSession::CliSession(bool json, StoreEndpoints endpoints)
    : m_json(json)
    , m_endpoints(std::move(endpoints))
{}

CliSession::~CliSession()
{
    m_linker.reset();
}

PlatformServices CliSession::platform()
{
    return {m_scopes, m_user, m_preferences, m_panels, m_alerts, m_reveal, m_clipboard};
}

int CliSession::fail(const QString& message) const
{
    QTextStream(stderr) << "quorvane-cli: " << message << '\n';
    return ExitCode::failure;
}

int CliSession::open()
{
    auto context = ModelContext::open(ModelStore::defaultFilePath());
    if (!context)
        return fail(u"The store cannot be opened; it was left unchanged. "_s + context.error().description);
    m_context = std::move(context).value();
    m_linker = std::make_unique<FileLinkerService>(platform());
    m_linker->setModelContext(m_context.get());
    m_linker->loadSettings();
    m_linker->scanCentralRepository();
    return ExitCode::success;
}

TargetApp* CliSession::findApp(const QString& idOrName, QString& problem) const
{
    const QList<TargetApp*> apps = m_context->records<TargetApp>();
    const QUuid id = QUuid::fromString(idOrName);
    for (TargetApp* app : apps) {
        if (!id.isNull() && app->id() == id)
            return app;
    }
    QList<TargetApp*> named;
    for (TargetApp* app : apps) {
        if (app->name() == idOrName)
            named.append(app);
    }
    if (named.size() == 1)
        return named.first();
    if (named.isEmpty()) {
        problem = u"There is no app with the id or name \"%1\"."_s.arg(idOrName);
    } else {
        QStringList ids;
        for (const TargetApp* app : named)
            ids.append(app->id().toString(QUuid::WithoutBraces));
        problem = u"Several apps are named \"%1\"; name one by its id: %2"_s.arg(idOrName, ids.join(u", "_s));
    }
    return nullptr;
}

std::optional<Skill> CliSession::findHubItem(const QString& fileName) const
{
    for (const Skill& skill : m_linker->availableSkills()) {
        if (skill.url.fileName() == fileName)
            return skill;
    }
    return std::nullopt;
}

std::optional<TargetAppSkill> CliSession::findEntry(const TargetApp& app, const QString& name,
                                                    QString& problem) const
{
    if (const Outcome valid = checkItemName(name); !valid) {
        problem = valid.error().description;
        return std::nullopt;
    }
    const auto entry =
        m_linker->withTargetFolderAccess(app, [&](const QString& folder) -> std::optional<TargetAppSkill> {
            const QString path = FileSystem::childPath(folder, name);
            if (!FileSystem::exists(path) && !FileSystem::isSymbolicLink(path))
                return std::nullopt;
            return m_linker->makeTargetAppSkill(path);
        });
    if (!entry) {
        problem = u"The folder of \"%1\" cannot be reached."_s.arg(app.name());
        return std::nullopt;
    }
    if (!*entry)
        problem = u"There is no entry \"%1\" in the folder of \"%2\"."_s.arg(name, app.name());
    return *entry;
}

int CliSession::hub(const QStringList&)
{
    const QList<Skill>& skills = m_linker->availableSkills();
    if (m_json) {
        Json items = Json::array();
        for (const Skill& skill : skills)
            items.push_back({{"name", utf8(skill.name)},
                             {"fileName", utf8(skill.url.fileName())},
                             {"kind", skill.isDirectory ? "folder" : "file"},
                             {"snippet", utf8(skill.contentSnippet)},
                             {"path", utf8(skill.url.toLocalFile())}});
        printJson({{"path", utf8(m_linker->centralRepositoryPath())}, {"items", items}});
        return ExitCode::success;
    }
    print(m_linker->centralRepositoryPath());
    for (const Skill& skill : skills)
        print(u"  %1\t%2\t%3\t%4"_s.arg(skill.url.fileName(), skill.name,
                                        skill.isDirectory ? u"folder"_s : u"file"_s,
                                        skill.contentSnippet.section(u'\n', 0, 0)));
    if (!m_linker->hasValidCentralHub())
        QTextStream(stderr) << "No hub folder is chosen yet: quorvane-cli hub set FOLDER\n";
    return ExitCode::success;
}

int CliSession::hubSet(const QStringList& args)
{
    const QString folder = absolute(args.first());
    if (FileSystem::existsAsFolder(folder) != true)
        return fail(u"\"%1\" is not a folder."_s.arg(args.first()));
    m_panels.answerNextWith(folder);
    if (!m_linker->chooseCentralHub())
        return fail(u"The hub could not be set to \"%1\"."_s.arg(folder));
    print(u"Hub: %1 (%2 items)"_s.arg(m_linker->centralRepositoryPath())
              .arg(m_linker->availableSkills().size()));
    return ExitCode::success;
}

int CliSession::apps(const QStringList&)
{
    const QList<TargetApp*> apps = TargetApp::sortedByName(m_context->records<TargetApp>());
    if (m_json) {
        Json list = Json::array();
        for (const TargetApp* app : apps)
            list.push_back({{"id", utf8(app->id().toString(QUuid::WithoutBraces))},
                            {"name", utf8(app->name())},
                            {"folderPath", utf8(app->folderPath())}});
        printJson(list);
        return ExitCode::success;
    }
    for (const TargetApp* app : apps)
        print(u"%1\t%2\t%3"_s.arg(app->id().toString(QUuid::WithoutBraces), app->name(), app->folderPath()));
    return ExitCode::success;
}

int CliSession::appsAdd(const QStringList& args)
{
    const QString& name = args.at(0);
    const QString folder = absolute(args.at(1));
    if (name.isEmpty())
        return fail(u"The app needs a name."_s);
    if (FileSystem::existsAsFolder(folder) != true)
        return fail(u"\"%1\" is not a folder."_s.arg(args.at(1)));
    const auto bookmark = SecurityScopedBookmarkManager::createBookmark(folder);
    if (!bookmark)
        return fail(u"No access to \"%1\" could be kept."_s.arg(folder));
    auto* app =
        new TargetApp(name, abbreviatingHomeFolder(folder, m_user.homeFolder()), u"folder"_s, bookmark);
    m_context->insert(app);
    if (const Outcome saved = m_context->save(); !saved)
        return fail(u"The app could not be saved: "_s + saved.error().description);
    print(app->id().toString(QUuid::WithoutBraces));
    return ExitCode::success;
}

int CliSession::appsRename(const QStringList& args)
{
    QString problem;
    TargetApp* app = findApp(args.at(0), problem);
    if (!app)
        return fail(problem);
    const QString name = args.at(1).trimmed();
    if (name.isEmpty())
        return fail(u"A name of only blanks is not a name; \"%1\" keeps its name."_s.arg(app->name()));
    app->setName(name);
    if (const Outcome saved = m_context->save(); !saved) {
        Log::line(u"Failed to rename app: "_s + saved.error().description);
        return ExitCode::failure;
    }
    return ExitCode::success;
}

int CliSession::appsRemove(const QStringList& args)
{
    QList<TargetApp*> doomed;
    for (const QString& argument : args) {
        QString problem;
        TargetApp* app = findApp(argument, problem);
        if (!app)
            return fail(problem); // nothing is removed unless every app is known
        doomed.append(app);
    }
    for (TargetApp* app : std::as_const(doomed)) {
        m_linker->removeLinkRecords(app->id());
        m_context->remove(app);
    }
    if (const Outcome saved = m_context->save(); !saved)
        return fail(u"The apps could not be removed: "_s + saved.error().description);
    return ExitCode::success;
}

int CliSession::toggle(const QStringList& args, bool linked)
{
    const auto skill = findHubItem(args.at(0));
    if (!skill)
        return fail(u"The hub has no item \"%1\"."_s.arg(args.at(0)));
    QString problem;
    TargetApp* app = findApp(args.at(1), problem);
    if (!app)
        return fail(problem);
    switch (m_linker->toggleLink(*skill, *app, linked)) {
    case LinkToggleResult::changed:
        return ExitCode::success;
    case LinkToggleResult::alreadyInState:
        QTextStream(stderr) << (linked ? "Already linked.\n" : "Not linked.\n");
        return ExitCode::success;
    case LinkToggleResult::folderUnreachable:
        return fail(u"The folder of \"%1\" cannot be reached."_s.arg(app->name()));
    case LinkToggleResult::failed:
        break;
    }
    return fail(linked ? u"\"%1\" could not be linked into \"%2\"."_s.arg(args.at(0), app->name())
                       : u"\"%1\" could not be unlinked from \"%2\"."_s.arg(args.at(0), app->name()));
}

int CliSession::link(const QStringList& args)
{
    return toggle(args, true);
}

int CliSession::unlink(const QStringList& args)
{
    return toggle(args, false);
}

int CliSession::linked(const QStringList& args)
{
    const auto skill = findHubItem(args.at(0));
    if (!skill)
        return fail(u"The hub has no item \"%1\"."_s.arg(args.at(0)));
    Json list = Json::array();
    for (const TargetApp* app : TargetApp::sortedByName(m_context->records<TargetApp>())) {
        if (!m_linker->isSkillLinked(*skill, *app))
            continue;
        if (m_json)
            list.push_back(
                {{"id", utf8(app->id().toString(QUuid::WithoutBraces))}, {"name", utf8(app->name())}});
        else
            print(u"%1\t%2"_s.arg(app->id().toString(QUuid::WithoutBraces), app->name()));
    }
    if (m_json)
        printJson(list);
    return ExitCode::success;
}

int CliSession::status(const QStringList& args)
{
    QString problem;
    TargetApp* app = findApp(args.at(0), problem);
    if (!app)
        return fail(problem);
    const auto items = m_linker->listTargetAppSkills(*app);
    if (!items)
        return fail(u"The folder of \"%1\" cannot be reached."_s.arg(app->name()));
    Json list = Json::array();
    for (const TargetAppSkill& item : *items) {
        const QString state = stateName(targetItemState(item, m_linker->centralRepositoryPath()));
        const QString destination =
            item.symlinkDestination ? item.symlinkDestination->toLocalFile() : QString();
        if (m_json)
            list.push_back(
                {{"name", utf8(item.name)},
                 {"path", utf8(item.url.toLocalFile())},
                 {"state", utf8(state)},
                 {"isSymlink", item.isSymlink},
                 {"destination", item.symlinkDestination ? Json(utf8(destination)) : Json(nullptr)},
                 {"hasNamesakeInHub", item.hasNamesakeInHub}});
        else
            print(u"%1\t%2%3"_s.arg(state, item.name,
                                    destination.isEmpty() ? QString() : u" -> "_s + destination));
    }
    if (m_json)
        printJson(list);
    return ExitCode::success;
}

int CliSession::onEntry(const QStringList& args,
                        const std::function<int(TargetApp&, const TargetAppSkill&)>& action) const
{
    QString problem;
    TargetApp* app = findApp(args.at(0), problem);
    if (!app)
        return fail(problem);
    const auto entry = findEntry(*app, args.at(1), problem);
    if (!entry)
        return fail(problem);
    return action(*app, *entry);
}

int CliSession::importEntry(const QStringList& args)
{
    return onEntry(args, [this](TargetApp& app, const TargetAppSkill& entry) {
        if (targetItemState(entry, m_linker->centralRepositoryPath()) != TargetItemState::importable)
            return fail(
                u"\"%1\" is not a local item or a link outside the hub; there is nothing to import."_s.arg(
                    entry.name));
        return m_linker->importSkill(entry, app) ? ExitCode::success
                                                 : fail(u"\"%1\" could not be imported."_s.arg(entry.name));
    });
}

int CliSession::repair(const QStringList& args)
{
    return onEntry(args, [this](TargetApp& app, const TargetAppSkill& entry) {
        if (targetItemState(entry, m_linker->centralRepositoryPath()) != TargetItemState::repairable)
            return fail(
                u"\"%1\" is not a broken link with an item of the same name in the hub."_s.arg(entry.name));
        return m_linker->repairLink(entry, app) ? ExitCode::success
                                                : fail(u"\"%1\" could not be repaired."_s.arg(entry.name));
    });
}

int CliSession::remove(const QStringList& args)
{
    return onEntry(args, [this](TargetApp& app, const TargetAppSkill& entry) {
        return m_linker->removeTargetItem(entry.url.toLocalFile(), app)
                   ? ExitCode::success
                   : fail(u"\"%1\" could not be removed."_s.arg(entry.name));
    });
}

int CliSession::search(const QStringList& args)
{
    SkillStoreService service(m_endpoints);
    QEventLoop waiting;
    QObject::connect(&service, &SkillStoreService::isSearchingChanged, &waiting, [&] {
        if (!service.isSearching())
            waiting.quit();
    });
    service.search(args.first());
    if (service.isSearching())
        waiting.exec();
    if (service.errorMessage())
        return fail(*service.errorMessage());
    if (m_json) {
        Json list = Json::array();
        for (const RemoteSkillItem& hit : service.searchResults())
            list.push_back(Json::parse(hit.toJson().dump()));
        printJson(list);
        return ExitCode::success;
    }
    for (const RemoteSkillItem& hit : service.searchResults())
        print(u"%1\t%2\t%3\t%4"_s.arg(hit.name, hit.source.value_or(hit.id), hit.skillId.value_or(QString()))
                  .arg(hit.installs));
    return ExitCode::success;
}

int CliSession::install(const QStringList& args)
{
    // args: SOURCE, skill id (may be empty), name (may be empty)
    const QString& source = args.at(0);
    const std::optional<QString> skillId = args.at(1).isEmpty() ? std::nullopt : std::optional(args.at(1));
    const QString name = args.at(2).isEmpty() ? skillId.value_or(QString()) : args.at(2);
    if (name.isEmpty())
        return fail(u"Say which skill to install: --skill-id ID or --name NAME."_s);
    if (!m_linker->hasValidCentralHub())
        return fail(u"Choose the hub folder first: quorvane-cli hub set FOLDER"_s);

    SkillStoreService service(m_endpoints);
    const RemoteSkillItem item{source + u"/"_s + name, skillId, name, 0, source};
    std::optional<QString> text;
    std::optional<SkillStoreError> error;
    QEventLoop waiting;
    SkillDownload* download = service.downloadSkill(item);
    QObject::connect(download, &SkillDownload::finished, &waiting, [&](const QString& body) {
        text = body;
        waiting.quit();
    });
    QObject::connect(download, &SkillDownload::failed, &waiting, [&](const SkillStoreError& failure) {
        error = failure;
        waiting.quit();
    });
    waiting.exec();
    if (!text)
        return fail(u"Download fehlgeschlagen: "_s + (error ? error->description() : QString()));

    const QString folderName = skillId.value_or(name);
    const auto written = m_linker->installDownloadedSkill(folderName, *text);
    if (!written)
        return fail(u"Installation fehlgeschlagen: the hub cannot be reached."_s);
    if (!written->ok())
        return fail(u"Installation fehlgeschlagen: "_s + written->error().description);
    m_linker->scanCentralRepository();
    print(FileSystem::childPath(m_linker->centralRepositoryPath(), folderName));
    return ExitCode::success;
}

int CliSession::backupExport(const QStringList& args)
{
    BackupService backups(platform());
    m_panels.answerNextWith(absolute(args.first()));
    return backups.exportBackup(*m_context, *m_linker) ? ExitCode::success
                                                       : fail(u"The backup could not be written."_s);
}

int CliSession::backupImport(const QStringList& args)
{
    BackupService backups(platform());
    m_panels.answerNextWith(absolute(args.first()));
    return backups.importBackup(*m_context, *m_linker) ? ExitCode::success : ExitCode::failure;
}

int CliSession::restoreLinks(const QStringList&)
{
    const LinkRestoreSummary summary = m_linker->restoreRecordedLinks();
    print(u"%1 links restored, %2 failed"_s.arg(summary.restored).arg(summary.failed));
    return summary.failed == 0 ? ExitCode::success : ExitCode::failure;
}
