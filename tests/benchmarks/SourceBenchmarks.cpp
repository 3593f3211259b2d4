// Searching the GitHub sources' indexes, as every keystroke in the store does.
#include "benchmarks/BenchmarkData.h"
#include "benchmarks/Scenario.h"
#include "model/ModelContext.h"
#include "model/SkillSourceRecord.h"
#include "store/SkillSources.h"

#include <QNetworkAccessManager>

using namespace Qt::StringLiterals;

namespace {

constexpr int indexedSkills = 5'000;
const QString query = u"review python"_s;

QList<IndexedSkill> manySkills()
{
    QList<IndexedSkill> skills;
    const QStringList names = BenchmarkData::skillNames(indexedSkills);
    for (qsizetype i = 0; i < names.size(); ++i)
        skills.append(
            {u"skills/"_s + names[i], QString::number(i), names[i],
             u"Helps with %1 in large projects, with scripts and references for the assistant."_s.arg(
                 names[i])});
    return skills;
}

// The words matched in the same texts, without the program around them.
void searchBaseline(benchmark::State& state)
{
    const QList<IndexedSkill> skills = manySkills();
    const QStringList words = query.split(u' ');
    for (auto _ : state) {
        qsizetype hits = 0;
        for (const IndexedSkill& skill : skills) {
            const QString text = (skill.name + u'\n' + skill.description + u'\n' + skill.path).toLower();
            hits += std::all_of(words.cbegin(), words.cend(),
                                [&](const QString& word) { return text.contains(word); });
        }
        benchmark::DoNotOptimize(hits);
    }
}

void searchIndexes(benchmark::State& state)
{
    qputenv("XDG_CACHE_HOME", BenchmarkData::newFolder(u"source-cache"_s).toUtf8());
    auto context =
        ModelContext::open(BenchmarkData::newFolder(u"source-store"_s) + u"/store.sqlite"_s).value();
    for (SkillSourceRecord* source : context->records<SkillSourceRecord>())
        context->remove(source);
    context->insert(new SkillSourceRecord(SkillSourceRecord::Kind::github, u"o/r"_s));
    BenchmarkData::require(context->save().ok(), u"source store"_s);
    SkillIndex index;
    index.skills = manySkills();
    BenchmarkData::require(index.save(u"o/r"_s).ok(), u"source index"_s);
    QNetworkAccessManager network;
    SkillSources sources(network, *context, {{}, {}, u"http://raw.invalid/"_s, u"http://api.invalid"_s});
    BenchmarkData::require(!sources.searchIndexes(query).isEmpty(), u"source search"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(sources.searchIndexes(query));
}

[[maybe_unused]] const int declared[] = {
    Scenario::declare({.name = "source search, 5,000 indexed skills",
                       .baseline = searchBaseline,
                       .program = searchIndexes,
                       .target = Scenario::underMilliseconds(50.0),
                       .manualTime = false}),
};

} // namespace
