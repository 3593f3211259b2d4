// The audit of a hub of 200 skill folders, beside reading their files, which it cannot avoid.
#include "actions/HubAudit.h"
#include "actions/Workspace.h"
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/BenchmarkPlatform.h"
#include "benchmarks/Scenario.h"
#include "linker/HubCatalog.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

constexpr int skillCount = 200;

// Skill folders as they come: a SKILL.md of prose and shell examples, references, a script.
const QString& auditHub()
{
    static std::map<BenchmarkData::Medium, QString> hubs;
    if (const auto made = hubs.find(BenchmarkData::medium()); made != hubs.end())
        return made->second;
    const QString hub = BenchmarkData::newFolder(u"audit"_s) + u"/Hub"_s;
    QByteArray prose;
    for (int line = 0; line < 120; ++line)
        prose += "Run the tests before you push; use `curl -O https://example.com/tool.tgz` to fetch it.\n";
    for (int i = 0; i < skillCount; ++i) {
        const QString folder = hub + u"/skill-%1"_s.arg(i);
        BenchmarkData::require(
            QDir().mkpath(folder + u"/scripts"_s) && QDir().mkpath(folder + u"/references"_s), folder);
        const QByteArray skill =
            "---\nname: skill-" + QByteArray::number(i) + "\ndescription: A skill.\n---\n" + prose;
        for (const auto& [path, bytes] :
             {std::pair(u"/SKILL.md"_s, skill), std::pair(u"/references/guide.md"_s, prose),
              std::pair(u"/scripts/run.sh"_s, QByteArray("#!/bin/sh\nset -e\nmake test\n"))}) {
            QFile file(folder + path);
            BenchmarkData::require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
                                   file.fileName());
        }
    }
    return hubs[BenchmarkData::medium()] = hub;
}

void auditBaseline(benchmark::State& state)
{
    const QString& hub = auditHub();
    for (auto _ : state)
        timeIteration(state, [&] {
            // Every file read once.
            QDirIterator walk(hub, QDir::Files, QDirIterator::Subdirectories);
            qint64 bytes = 0;
            while (walk.hasNext()) {
                QFile file(walk.next());
                if (file.open(QIODevice::ReadOnly))
                    bytes += file.readAll().size();
            }
            benchmark::DoNotOptimize(bytes);
        });
}

void auditProgram(benchmark::State& state)
{
    BenchmarkWorkspace bench;
    bench.useHub(auditHub());
    const QList<Skill> skills = HubCatalog::itemsOfFolder(auditHub()).value();
    bool clean = skills.size() == skillCount;
    for (auto _ : state)
        timeIteration(state, [&] {
            for (const auto& report : HubAudit::auditNow(bench.workspace->context(), skills))
                clean = clean && report && !report->hasOpenHigh();
        });
    if (!clean)
        state.SkipWithError("the audit did not read every skill, or found a risk in documentation");
}

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "audit of a hub of 200 skills",
                       .baseline = auditBaseline,
                       .program = auditProgram,
                       // Beyond reading each file, the text is decoded and searched once for every
                       // rule's words, and only the lines holding one are matched against the rules.
                       .target = Scenario::ratioAtMost(30),
                       .iterations = 3,
                       .onBothMedia = true}),
};

} // namespace
