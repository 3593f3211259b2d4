#include "QuorvaneApp.h"

#include "ContentView.h"
#include "FileLinkerService.h"
#include "Log.h"
#include "ModelContext.h"
#include "ModelStore.h"

#include <QApplication>

using namespace Qt::StringLiterals;

QuorvaneApp::QuorvaneApp() = default;

void QuorvaneApp::nameApplication()
{
    QApplication::setApplicationName(u"Quorvane"_s);
    QApplication::setApplicationDisplayName(u"Quorvane"_s);
    QApplication::setDesktopFileName(u"quorvane"_s);
}

// The window goes before the linker and the context it uses.
QuorvaneApp::~QuorvaneApp()
{
    m_window.reset();
    m_linker.reset();
}

PlatformServices QuorvaneApp::platform()
{
    return {m_scopes, m_user, m_preferences, m_panels, m_alerts, m_reveal, m_clipboard};
}

int QuorvaneApp::run()
{
    const QString storePath = ModelStore::defaultFilePath();
    auto context = ModelContext::open(storePath);
    if (!context) {
        // The file is left exactly as it is, so nothing in it is lost.
        Log::line(u"Failed to open the store: "_s + context.error().description);
        m_alerts.inform(u"Datenspeicher nicht lesbar"_s,
                        u"Quorvane konnte seinen Datenspeicher nicht öffnen und wird beendet. Die Datei "
                        "wurde nicht verändert:\n%1\n\n%2"_s.arg(storePath, context.error().description),
                        AlertStyle::critical);
        return 1;
    }
    m_modelContext = std::move(context).value();
    m_linker = std::make_unique<FileLinkerService>(platform());
    m_window = std::make_unique<ContentView>(*m_linker, *m_modelContext, platform());

    connect(qApp, &QGuiApplication::applicationStateChanged, m_window.get(),
            &ContentView::applicationStateChanged);
    m_window->show();
    return QApplication::exec();
}
