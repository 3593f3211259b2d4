#pragma once

#include "access/LegacyPreferences.h"
#include "access/SecurityScopes.h"
#include "access/UserEnvironment.h"
#include "ui/QtDesktopServices.h"

#include <QObject>

#include <memory>

class ContentView;
class ModelContext;
class QNetworkAccessManager;
class SingleInstance;
class SkillStoreService;
class Workspace;

// The application: opens the model store, puts the workspace together and shows the window.
class QuorvaneApp : public QObject
{
    Q_OBJECT

public:
    QuorvaneApp();
    ~QuorvaneApp() override;

    // Names the application (the store's place in the user's data folder follows the
    // name) and speaks German in Qt's own dialogs and buttons too.
    static void prepareApplication();

    // Opens the store and the window and runs the event loop; the exit code.
    int run();

private:
    UnrestrictedSecurityScopes m_scopes;
    SystemUserEnvironment m_user;
    SettingsFileLegacyPreferences m_preferences;
    QtFilePanels m_panels;
    QtAlerts m_alerts;
    FileManagerReveal m_reveal;
    QtClipboard m_clipboard;

    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<ModelContext> m_modelContext;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<SkillStoreService> m_store;
    std::unique_ptr<ContentView> m_window;
};
