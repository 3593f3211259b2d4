#include "cli/CliSession.h"

#include "actions/PlanTask.h"
#include "cli/Output.h"

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

#include <unistd.h>

#include <nlohmann/json.hpp>

using namespace Qt::StringLiterals;

using namespace Output;

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
    // The same task the window runs for a plan; the tool waits for it. Conflicts left are
    // those the user asked to skip.
    PlanTask* task = PlanTask::start(*m_workspace, std::move(plans), true);
    PlanOutcome outcome;
    QObject::connect(task, &PlanTask::finished, task,
                     [&outcome](const PlanOutcome& ended) { outcome = ended; });
    waitFor(*task);
    return outcome.failures.isEmpty() ? ExitCode::success : ExitCode::failure;
}

void CliSession::showProgress(BackgroundTask& task)
{
    // Progress is shown only to a person at a terminal, on the line it rewrites.
    if (::isatty(STDERR_FILENO) != 1)
        return;
    QObject::connect(&task, &BackgroundTask::progressed, &task, [&task](qint64 done, qint64 total) {
        if (total > 0)
            QTextStream(stderr) << '\r' << task.description() << ' ' << done << '/' << total << "   ";
    });
    QObject::connect(&task, &BackgroundTask::ended, &task, [] { QTextStream(stderr) << '\n'; });
}

void CliSession::waitFor(BackgroundTask& task)
{
    showProgress(task);
    QEventLoop waiting;
    QObject::connect(&task, &BackgroundTask::ended, &waiting, &QEventLoop::quit);
    waiting.exec();
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

SkillSources& CliSession::sources()
{
    store();
    return *m_sources;
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
