#include "app/QuorvaneApp.h"

#include "actions/Workspace.h"
#include "app/ContentView.h"
#include "app/SingleInstance.h"
#include "app/WindowMemory.h"
#include "base/Language.h"
#include "base/Log.h"
#include "model/ModelContext.h"
#include "model/ModelStore.h"
#include "store/SkillSources.h"
#include "store/SkillStoreService.h"
#include "texts/OutcomeTexts.h"

#include <QApplication>
#include <QNetworkAccessManager>
#include <QTextStream>
#include <QTimer>

using namespace Qt::StringLiterals;

QuorvaneApp::QuorvaneApp() = default;

void QuorvaneApp::prepareApplication()
{
    QApplication::setApplicationName(u"Quorvane"_s);
    QApplication::setApplicationDisplayName(u"Quorvane"_s);
    QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    // The installed menu entry's name, so the desktop shows its icon for the window.
    QApplication::setDesktopFileName(u"org.quorvane.Quorvane"_s);
    Language::install();
}

// The window goes first, then the store client, then the workspace and its store.
QuorvaneApp::~QuorvaneApp()
{
    m_window.reset();
    m_store.reset();
    m_workspace.reset();
}

int QuorvaneApp::run()
{
    const QString storePath = ModelStore::defaultFilePath();
    m_instance = std::make_unique<SingleInstance>(SingleInstance::nameForStore(storePath));
    if (m_instance->handToRunningInstance()) {
        QTextStream(stderr) << tr("Quorvane is already open; its window was brought to the front.") << '\n';
        return 0;
    }
    auto context = ModelContext::open(storePath);
    if (!context) {
        // The file is left exactly as it is, so nothing in it is lost.
        Log::line(u"Failed to open the store: "_s + context.error().description);
        m_alerts.inform(
            tr("Data Store Not Readable"),
            tr("Quorvane could not open its data store and will quit. The file was not changed:\n%1\n\n%2")
                .arg(storePath, OutcomeTexts::problem(context.error().shown())),
            AlertStyle::critical);
        return 1;
    }
    m_modelContext = std::move(context).value();
    m_workspace =
        std::make_unique<Workspace>(*m_modelContext, PlatformServices{m_scopes, m_user, m_preferences});
    m_network = std::make_unique<QNetworkAccessManager>();
    m_store = std::make_unique<SkillStoreService>(
        std::make_unique<SkillSources>(*m_network, *m_modelContext, StoreEndpoints::defaults()));
    m_window = std::make_unique<ContentView>(*m_workspace, *m_store,
                                             DesktopServices{m_panels, m_alerts, m_reveal, m_clipboard});
    const StoreEndpoints endpoints = StoreEndpoints::defaults();
    m_window->setFetchAccess(
        {m_network.get(), GitHubHosts(endpoints.apiBase, endpoints.rawBase), endpoints.timeout});

    connect(qApp, &QGuiApplication::applicationStateChanged, m_window.get(),
            &ContentView::applicationStateChanged);
    const WindowMemory memory;
    memory.restore(*m_window);
    connect(qApp, &QCoreApplication::aboutToQuit, m_window.get(),
            [this, memory] { memory.remember(*m_window); });
    if (!m_instance->listen())
        Log::line(u"Failed to listen for later starts; each opens a window of its own."_s);
    connect(m_instance.get(), &SingleInstance::activationRequested, m_window.get(),
            [window = m_window.get()] {
                window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
                window->show();
                window->raise();
                window->activateWindow();
            });
    m_window->show();
    // Skills other installers placed are offered once, when the window is there to ask.
    if (!memory.adoptionOffered())
        QTimer::singleShot(0, m_window.get(), [this, memory] {
            if (m_window->offerAdoption())
                memory.rememberAdoptionOffered();
        });
    return QApplication::exec();
}
