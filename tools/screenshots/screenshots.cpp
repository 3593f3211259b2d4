// Opens the window on the store of $HOME (a demo the script made) and saves pictures of the
// hub, an app's folder and the store into the folder given as the only argument.
#include "access/LegacyPreferences.h"
#include "access/SecurityScopes.h"
#include "access/UserEnvironment.h"
#include "actions/Workspace.h"
#include "app/ContentView.h"
#include "app/QuorvaneApp.h"
#include "model/ModelContext.h"
#include "model/ModelStore.h"
#include "model/TargetApp.h"
#include "store/SkillSources.h"
#include "store/SkillStoreService.h"
#include "ui/QtDesktopServices.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QNetworkAccessManager>
#include <QTextStream>
#include <QThread>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

void settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

bool save(QWidget& window, const QString& file)
{
    settle(300);
    const bool saved = window.grab().save(file);
    QTextStream(stdout) << (saved ? "wrote " : "could not write ") << file << '\n';
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QuorvaneApp::prepareApplication();
    if (argc != 2) {
        QTextStream(stderr) << "usage: quorvane_screenshots FOLDER\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    auto context = ModelContext::open(ModelStore::defaultFilePath());
    if (!context) {
        QTextStream(stderr) << context.error().description << '\n';
        return 1;
    }
    UnrestrictedSecurityScopes scopes;
    SystemUserEnvironment user;
    SettingsFileLegacyPreferences preferences;
    QtFilePanels panels;
    QtAlerts alerts;
    FileManagerReveal reveal;
    QtClipboard clipboard;
    Workspace workspace(*context.value(), PlatformServices{scopes, user, preferences});
    QNetworkAccessManager network;
    // The pictures never wait on the network: the sources' hosts lead nowhere.
    StoreEndpoints endpoints = StoreEndpoints::defaults();
    endpoints.apiBase = u"http://127.0.0.1:9"_s;
    endpoints.rawBase = u"http://127.0.0.1:9/"_s;
    SkillStoreService store(std::make_unique<SkillSources>(network, *context.value(), endpoints));
    ContentView window(workspace, store, DesktopServices{panels, alerts, reveal, clipboard});
    window.resize(1100, 700);
    window.show();
    settle(500);

    auto* sidebar = window.findChild<QTreeWidget*>(u"sidebar"_s);
    bool allSaved = true;
    // The hub, with its first skill open.
    sidebar->setCurrentItem(sidebar->topLevelItem(1)->child(0));
    if (auto* hub = window.findChild<QAbstractItemView*>(u"hubList"_s))
        hub->setCurrentIndex(hub->model()->index(0, 0));
    allSaved = save(window, folder + u"/hub.png"_s) && allSaved;
    // The last app (the demo's copies), with its changed copy open.
    QTreeWidgetItem* apps = sidebar->topLevelItem(2);
    sidebar->setCurrentItem(apps->child(apps->childCount() - 1));
    settle(200);
    if (auto* items = window.findChild<QListWidget*>(u"appItems"_s))
        for (int row = 0; row < items->count(); ++row)
            if (QWidget* entry = items->itemWidget(items->item(row));
                entry && entry->objectName() == u"review"_s)
                items->setCurrentRow(row);
    allSaved = save(window, folder + u"/app-folder.png"_s) && allSaved;
    sidebar->setCurrentItem(sidebar->topLevelItem(0)->child(0));
    allSaved = save(window, folder + u"/store.png"_s) && allSaved;
    return allSaved ? 0 : 1;
}
