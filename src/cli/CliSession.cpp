#include "cli/CliSession.h"

#include "actions/BackgroundTask.h"

#include "actions/SkillInstall.h"
#include "actions/SkillUpdates.h"
#include "actions/Workspace.h"
#include "cli/Output.h"
#include "model/ModelContext.h"
#include "model/ModelStore.h"
#include "store/SkillSources.h"
#include "store/SkillStoreService.h"
#include "texts/OutcomeTexts.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QTextStream>

#include <unistd.h>

using namespace Qt::StringLiterals;

CliSession::CliSession(bool json, StoreEndpoints endpoints, GivenSwitches switches)
    : m_json(json)
    , m_endpoints(std::move(endpoints))
    , m_switches(std::move(switches))
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
        return fail(Cli::tr("The store cannot be opened; it was left unchanged. ") +
                    Output::describe(context.error().shown()));
    m_context = std::move(context).value();
    m_workspace = std::make_unique<Workspace>(*m_context, PlatformServices{m_scopes, m_user, m_preferences});
    m_workspace->open(readHubItems);
    return ExitCode::success;
}

void CliSession::showProgress(BackgroundTask& task)
{
    // Progress is shown only to a person at a terminal, on the line it rewrites.
    if (::isatty(STDERR_FILENO) != 1)
        return;
    QObject::connect(&task, &BackgroundTask::progressed, &task, [&task](qint64 done, qint64 total) {
        if (total > 0)
            QTextStream(stderr) << '\r' << OutcomeTexts::task(task.work(), total) << ' ' << done << '/'
                                << total << "   ";
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

FetchAccess CliSession::fetchAccess()
{
    if (!m_network)
        m_network = std::make_unique<QNetworkAccessManager>();
    return {m_network.get(), GitHubHosts(m_endpoints.apiBase, m_endpoints.rawBase), m_endpoints.timeout};
}

SkillStoreService& CliSession::store()
{
    if (!m_store) {
        auto sources =
            std::make_unique<SkillSources>(*fetchAccess().network, m_workspace->context(), m_endpoints);
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
    m_sources->refresh(only, staleOnly, &context, [&](const QList<Problem>& failed) {
        for (const Problem& problem : failed)
            failures.append(Output::describe(problem));
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
    return fail(Cli::tr("%1 %2 (%3); --force replaces it.")
                    .arg(item,
                         changes.unknownOrigin
                             ? Cli::tr("is in the hub, but nothing records where it came from")
                             : Cli::tr("was changed here"),
                         changes.files.join(u", "_s)));
}
