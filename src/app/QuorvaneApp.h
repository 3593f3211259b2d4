#pragma once

#include "LegacyPreferences.h"
#include "PlatformServices.h"
#include "QtDesktopServices.h"
#include "SecurityScopes.h"
#include "UserEnvironment.h"

#include <QObject>

#include <memory>

class ContentView;
class FileLinkerService;
class ModelContext;

// The application: opens the model store, owns the one linker and shows the window.
class QuorvaneApp : public QObject
{
    Q_OBJECT

public:
    QuorvaneApp();
    ~QuorvaneApp() override;

    // Names the application; the store's place in the user's data folder follows the name.
    static void nameApplication();

    // Opens the store and the window and runs the event loop; the exit code.
    int run();

private:
    PlatformServices platform();

    UnrestrictedSecurityScopes m_scopes;
    SystemUserEnvironment m_user;
    SettingsFileLegacyPreferences m_preferences;
    QtFilePanels m_panels;
    QtAlerts m_alerts;
    FileManagerReveal m_reveal;
    QtClipboard m_clipboard;

    std::unique_ptr<ModelContext> m_modelContext;
    std::unique_ptr<FileLinkerService> m_linker;
    std::unique_ptr<ContentView> m_window;
};
