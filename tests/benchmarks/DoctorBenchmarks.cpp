// The doctor over 20 apps of 200 linked skills each, beside `status` of each app run one
// after another: whole processes, as a user runs them.
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/Scenario.h"

#include <QDir>
#include <QFile>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

constexpr int skillCount = 200;
constexpr int appCount = 20;
// Twenty of the known assistants; those that read each other's folders among them.
const QStringList presets = {
    u"claude-code"_s,  u"codex"_s,       u"agents"_s,  u"gemini-cli"_s, u"goose"_s,
    u"amp"_s,          u"windsurf"_s,    u"kiro"_s,    u"roo-code"_s,   u"cline"_s,
    u"continue"_s,     u"antigravity"_s, u"augment"_s, u"ibm-bob"_s,    u"codebuddy"_s,
    u"command-code"_s, u"cortex-code"_s, u"crush"_s,   u"devin"_s,      u"droid"_s,
};

struct DoctorScene
{
    QString parent = BenchmarkData::newFolder(u"doctor"_s);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    DoctorScene()
    {
        const QString hub = parent + u"/Hub"_s;
        for (int i = 0; i < skillCount; ++i) {
            const QString item = hub + u"/skill-%1"_s.arg(i);
            QDir().mkpath(item);
            QFile manifest(item + u"/SKILL.md"_s);
            const QByteArray text = "---\nname: skill-" + QByteArray::number(i) +
                                    "\ndescription: A skill.\n---\n\nRun the tests before you push.\n";
            BenchmarkData::require(manifest.open(QIODevice::WriteOnly) && manifest.write(text) > 0, item);
        }
        environment.insert(u"HOME"_s, parent + u"/home"_s);
        environment.insert(u"XDG_DATA_HOME"_s, parent + u"/home/.local/share"_s);
        environment.insert(u"XDG_CONFIG_HOME"_s, parent + u"/home/.config"_s);
        environment.insert(u"XDG_CACHE_HOME"_s, parent + u"/home/.cache"_s);
        BenchmarkData::require(quorvane({u"hub"_s, u"set"_s, hub}), hub);
        // Known assistants in their own folders, so each one's limits are looked at: listing
        // budgets, accepted keys, the other folders it reads.
        for (const QString& id : presets) {
            QProcess added;
            added.setProcessEnvironment(environment);
            added.start(QStringLiteral(QUORVANE_CLI),
                        {u"apps"_s, u"add"_s, u"--preset"_s, id, u"--create"_s, u"--link"_s});
            BenchmarkData::require(added.waitForFinished(120'000) && added.exitCode() == 0, id);
            apps.append(QString::fromUtf8(added.readAllStandardOutput()).trimmed()); // its id
            BenchmarkData::require(quorvane({u"link"_s, u"--all"_s, apps.last()}), id);
        }
    }

    QStringList apps; // their ids

    bool quorvane(const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(QStringLiteral(QUORVANE_CLI), arguments);
        return process.waitForFinished(120'000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }
};

const DoctorScene& scene()
{
    static std::map<BenchmarkData::Medium, DoctorScene> scenes;
    return scenes[BenchmarkData::medium()];
}

void statusOfEachApp(benchmark::State& state)
{
    const DoctorScene& doctor = scene();
    bool done = true;
    for (auto _ : state)
        timeIteration(state, [&] {
            for (int i = 0; i < appCount; ++i)
                done = doctor.quorvane({u"status"_s, doctor.apps.value(i)}) && done;
        });
    if (!done)
        state.SkipWithError("status failed");
}

void doctorOfAllApps(benchmark::State& state)
{
    const DoctorScene& doctor = scene();
    bool done = true;
    for (auto _ : state)
        timeIteration(state, [&] { done = doctor.quorvane({u"doctor"_s}) && done; });
    if (!done)
        state.SkipWithError("the doctor found a problem, or failed");
}

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "doctor of 20 apps of 200 skills, against status of each",
                       .baseline = statusOfEachApp,
                       .program = doctorOfAllApps,
                       // Beyond each listing, the doctor reads every skill's frontmatter and
                       // audits each hub item once; it starts one process where status starts 20.
                       .target = Scenario::ratioAtMost(1.5),
                       .iterations = 3,
                       .onBothMedia = true}),
};

} // namespace
