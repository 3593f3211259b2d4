// The window's event loop while heavy work runs: the longest time it does not come round.
#include "access/FileSystem.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "actions/BackupActions.h"
#include "actions/ImportTask.h"
#include "app/ContentView.h"
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/BenchmarkPlatform.h"
#include "benchmarks/Scenario.h"
#include "linker/HubCatalog.h"
#include "linker/TargetListing.h"
#include "model/SkillLinkRecord.h"
#include "model/TargetApp.h"
#include "store/DirectorySkillSource.h"
#include "store/SkillStoreService.h"
#include "support/TestFiles.h"
#include "ui/TaskStrip.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A timer that should fire every millisecond; the largest interval seen is the longest stall.
class StallProbe
{
public:
    StallProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_sinceLast.nsecsElapsed());
            m_sinceLast.restart();
        });
    }
    void start()
    {
        m_longest = 0;
        m_sinceLast.start();
        m_timer.start();
    }
    // The longest stall in seconds since start().
    double stop()
    {
        m_timer.stop();
        m_longest = std::max(m_longest, m_sinceLast.nsecsElapsed());
        return static_cast<double>(m_longest) / 1e9;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    qint64 m_longest = 0;
};

struct WindowOn
{
    BenchmarkWorkspace bench;
    QNetworkAccessManager network;
    SkillStoreService store{std::make_unique<DirectorySkillSource>(network, StoreEndpoints::defaults())};
    std::unique_ptr<ContentView> window;

    explicit WindowOn(const QString& storePath = {})
        : bench(storePath)
    {}
    void open()
    {
        window = std::make_unique<ContentView>(*bench.workspace, store, bench.desktop.services());
        window->show();
    }
    void waitUntil(const std::function<bool()>& done) const
    {
        while (!done())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    bool taskRunning() const { return window->findChild<QWidget*>(u"taskStrip"_s)->isVisible(); }
};

// From showing the window until the 10,000-item hub is in.
void stallDuringStart(benchmark::State& state)
{
    for (auto _ : state) {
        WindowOn on;
        on.bench.useHub(BenchmarkData::largeHub().path);
        StallProbe probe;
        probe.start();
        on.open();
        on.waitUntil([&] { return !on.bench.workspace->hubCatalog().isScanning(); });
        QCoreApplication::processEvents();
        state.SetIterationTime(probe.stop());
        if (on.bench.workspace->hubCatalog().availableSkills().size() != 10'000)
            state.SkipWithError("the hub was not read");
    }
}

// A backup of 200 apps with 100 links each, imported from the menu.
void stallDuringBackupImport(benchmark::State& state)
{
    const QString hub = BenchmarkData::newFolder(u"stall-hub"_s);
    const QStringList names = BenchmarkData::skillNames(100);
    for (const QString& name : names)
        TestFiles::makeFolder(hub + u'/' + name);
    const QString storePath = BenchmarkData::newFolder(u"stall-store"_s) + u"/store.sqlite"_s;
    QStringList folders;
    {
        BenchmarkWorkspace setup(storePath);
        setup.useHub(hub);
        for (int i = 0; i < 200; ++i) {
            const QString folder = BenchmarkData::newFolder(u"stall-apps/app-%1"_s.arg(i));
            folders.append(folder);
            auto* app = new TargetApp(u"App %1"_s.arg(i), folder, u"folder"_s,
                                      SecurityScopedBookmarkManager::createBookmark(folder));
            setup.context->insert(app);
            for (const QString& name : names)
                setup.context->insert(new SkillLinkRecord(app->id(), name));
        }
        BenchmarkData::require(setup.context->save().ok(), storePath);
        BenchmarkData::require(BackupActions(*setup.workspace).exportTo(storePath + u".json"_s).ok(),
                               storePath);
    }
    WindowOn on(storePath);
    on.open();
    auto* importAction = on.window->findChild<QAction*>(u"importBackupAction"_s);
    for (auto _ : state) {
        for (const QString& folder : std::as_const(folders))
            for (const QString& name : names)
                QFile::remove(folder + u'/' + name);
        on.bench.desktop.panels.answers.append(storePath + u".json"_s);
        const int sheetsBefore = PlanAgreement::shown;
        StallProbe probe;
        probe.start();
        importAction->trigger();
        // Done once the restore's sheet was shown and the links it made are in: the import
        // can be started again.
        on.waitUntil([&] {
            return PlanAgreement::shown > sheetsBefore && importAction->isEnabled() && !on.taskRunning() &&
                   !on.bench.workspace->hubCatalog().isScanning();
        });
        state.SetIterationTime(probe.stop());
    }
}

// 200 MiB in a skill folder on another file system (/dev/shm), imported into the hub.
void stallDuringCrossDeviceImport(benchmark::State& state)
{
    WindowOn on;
    const QString hub = BenchmarkData::newFolder(u"stall-import-hub"_s);
    on.bench.useHub(hub);
    QTemporaryDir shm(u"/dev/shm/quorvane-stall-XXXXXX"_s);
    if (!shm.isValid() || !FileSystem::movingCopies(shm.path(), hub)) {
        state.SkipWithError("/dev/shm is not another file system here");
        return;
    }
    auto* app = new TargetApp(u"Shm"_s, shm.path(), u"folder"_s,
                              SecurityScopedBookmarkManager::createBookmark(shm.path()));
    on.bench.context->insert(app);
    on.open();
    for (auto _ : state) {
        (void)FileSystem::remove(hub + u"/big"_s);
        (void)FileSystem::remove(shm.filePath(u"big"_s));
        TestFiles::makeFolder(shm.filePath(u"big"_s));
        for (int i = 0; i < 25; ++i)
            TestFiles::writeFile(shm.filePath(u"big/part-%1"_s.arg(i)), QByteArray(8 << 20, 'x'));
        const auto entry = on.bench.workspace->targetListing().entry(*app, u"big"_s);
        StallProbe probe;
        probe.start();
        // As the row's button does it, with the window's strip following.
        BackgroundTask* task = ImportTask::start(*on.bench.workspace, {{entry.value().value(), app->id()}});
        on.window->findChild<TaskStrip*>()->follow(*task);
        on.waitUntil([&] { return !on.taskRunning(); });
        state.SetIterationTime(probe.stop());
        if (!FileSystem::isSymbolicLink(shm.filePath(u"big"_s)))
            state.SkipWithError("the import did not finish");
    }
}

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "longest stall, start with 10,000-item hub",
                       .program = stallDuringStart,
                       .target = Scenario::underMilliseconds(50.0),
                       .iterations = 3}),
    Scenario::declare({.name = "longest stall, import of 20,000 links",
                       .program = stallDuringBackupImport,
                       .target = Scenario::underMilliseconds(50.0),
                       .iterations = 3}),
    Scenario::declare({.name = "longest stall, 200 MiB from /dev/shm",
                       .program = stallDuringCrossDeviceImport,
                       .target = Scenario::underMilliseconds(50.0),
                       .iterations = 3}),
};

} // namespace
