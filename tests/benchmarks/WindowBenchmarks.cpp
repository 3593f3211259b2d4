// The window: start with a large hub against an empty one, and typing into the hub search.
#include "benchmarks/WindowBenchmarks.h"

#include "access/SecurityScopedBookmarkManager.h"
#include "actions/HubAudit.h"
#include "actions/SkillUpdates.h"
#include "app/QuorvaneApp.h"
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/BenchmarkPlatform.h"
#include "benchmarks/Scenario.h"
#include "linker/HubCatalog.h"
#include "model/AppSettings.h"
#include "model/ModelContext.h"
#include "store/DirectorySkillSource.h"
#include "ui/CentralHubListView.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr auto shownLine = "window shown";
constexpr auto startWindowFlag = "--start-window-until-shown";

// Tells the parent once the first top-level window has painted, then ends the program.
class FirstPaintWatcher : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_seen || event->type() != QEvent::Paint || !watched->isWidgetType() ||
            !static_cast<QWidget*>(watched)->isWindow())
            return false;
        m_seen = true;
        // The whole window paints in one go; once the loop comes round, the frame is done.
        QTimer::singleShot(0, qApp, [] {
            std::printf("%s\n", shownLine);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
        return false;
    }

private:
    bool m_seen = false;
};

// A user's folders with a store whose hub is `hubPath`; the environment to start in.
QProcessEnvironment userWithHub(const QString& name, const QString& hubPath)
{
    const QString home = BenchmarkData::newFolder(name);
    const QString data = home + u"/.local/share"_s;
    {
        auto opened = ModelContext::open(data + u"/Quorvane/quorvane.sqlite"_s);
        BenchmarkData::require(opened.ok(), data);
        auto context = std::move(opened).value();
        context->insert(new AppSettings(hubPath, SecurityScopedBookmarkManager::createBookmark(hubPath)));
        BenchmarkData::require(context->save().ok(), data);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home);
    environment.insert(u"XDG_DATA_HOME"_s, data);
    environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return environment;
}

// From starting the program to its first painted window.
void startUntilShown(benchmark::State& state, const QString& hubPath)
{
    static int user = 0;
    const QProcessEnvironment environment = userWithHub(u"start-user-%1"_s.arg(++user), hubPath);
    for (auto _ : state) {
        QProcess program;
        program.setProcessEnvironment(environment);
        // The program's warnings stay out of the table; they are shown if it fails.
        program.setProcessChannelMode(QProcess::MergedChannels);
        QByteArray output;
        bool shown = false;
        timeIteration(state, [&] {
            program.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(startWindowFlag)});
            while (!shown && program.waitForReadyRead(60'000)) {
                while (!shown && program.canReadLine()) {
                    const QByteArray line = program.readLine();
                    shown = line.trimmed() == shownLine;
                    output += line;
                }
            }
        });
        program.waitForFinished(60'000);
        if (!shown) {
            std::fprintf(stderr, "%s%s\n", output.constData(), program.readAll().constData());
            state.SkipWithError("the program did not show its window");
            return;
        }
    }
}

void startWithEmptyHub(benchmark::State& state)
{
    startUntilShown(state, BenchmarkData::newFolder(u"empty-hub"_s));
}

void startWithLargeHub(benchmark::State& state)
{
    startUntilShown(state, BenchmarkData::largeHub().path);
}

void filterBaseline(benchmark::State& state)
{
    const QStringList names = BenchmarkData::skillNames(10'000);
    qsizetype matching = 0;
    for (auto _ : state) {
        timeIteration(state, [&] {
            QStringList kept;
            for (const QString& name : names) {
                if (name.contains(u"e"_s, Qt::CaseInsensitive))
                    kept.append(name);
            }
            matching = kept.size();
        });
    }
    benchmark::DoNotOptimize(matching);
}

void filterHubList(benchmark::State& state)
{
    BenchmarkWorkspace bench;
    bench.useHub(BenchmarkData::largeHub().path);
    bench.workspace->hubCatalog().scanCentralRepository();
    QNetworkAccessManager network; // never asked: no update check runs
    DirectorySkillSource source(network, StoreEndpoints{});
    CentralHubListView view(*bench.workspace, bench.desktop.services(),
                            *new SkillUpdates(*bench.workspace, source), *new HubAudit(*bench.workspace));
    view.resize(360, 800);
    view.show();
    BenchmarkData::require(QTest::qWaitForWindowExposed(&view), u"the hub list window"_s);
    auto* search = view.findChild<QLineEdit*>(u"hubSearch"_s);
    auto* list = view.findChild<QListView*>(u"hubList"_s);
    for (auto _ : state) {
        search->clear();
        QCoreApplication::processEvents();
        // One keystroke: the list filters and paints again.
        timeIteration(state, [&] {
            QTest::keyClick(search, Qt::Key_E);
            QCoreApplication::processEvents();
        });
    }
    const int shown = list->model()->rowCount();
    if (shown == 0 || shown == 10'000)
        state.SkipWithError("typing did not filter the list");
}

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "window start, 10,000-item hub",
                       .baseline = startWithEmptyHub,
                       .program = startWithLargeHub,
                       .target = Scenario::ratioAtMost(1.5),
                       .iterations = 3}),
    Scenario::declare({.name = "hub search, one keystroke",
                       .baseline = filterBaseline,
                       .program = filterHubList,
                       .target = Scenario::underMilliseconds(16.0)}),
};

} // namespace

bool isStartWindowChild(int argc, char* argv[])
{
    return argc == 2 && std::string(argv[1]) == startWindowFlag;
}

int startWindowUntilShown(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QuorvaneApp::prepareApplication();
    FirstPaintWatcher watcher;
    application.installEventFilter(&watcher);
    QuorvaneApp quorvane;
    return quorvane.run();
}
