#include "actions/SkillInstall.h"
#include "model/SkillProvenanceRecord.h"
#include "store/SkillSources.h"
#include "support/FakeNetwork.h"
#include "support/FakeRepository.h"
#include "support/WorkspaceFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

using Files = QList<FakeRepository::File>;

enum class Serving
{
    everything,
    notTheLastFile,     // its download fails
    theLastFileChanged, // it no longer matches the listed tree
    noTree,             // the listing is refused, as at the rate limit
};

// A hub and an empty store, with GitHub faked in process.
struct InstallFixture : WorkspaceFixture
{
    FakeNetwork network;
    SkillSources sources{network, *context, {{}, {}, u"http://raw.fake.test/"_s, u"http://api.fake.test"_s}};
    QString hub = makeHub();

    void serve(const FakeRepository& repository, Serving serving)
    {
        repository.serve("/repos/o/r", "/o/r", "HEAD", [&](const QByteArray& target, const QByteArray& body) {
            if (serving == Serving::noTree && target.contains("/git/trees/"))
                network.respond(target, {403, "{}"});
            else
                network.respond(target, {200, body});
        });
        const QByteArray last = "/o/r/" + repository.commit() + "/" + repository.files.last().path;
        if (serving == Serving::notTheLastFile)
            network.respond(last, {500, {}});
        if (serving == Serving::theLastFileChanged) {
            QByteArray changed = repository.files.last().bytes;
            changed[0] = char(changed[0] ^ 1); // as long as listed, so only its SHA tells
            network.respond(last, {200, changed});
        }
    }

    InstallResult install(const InstallOptions& options = {})
    {
        RemoteSkillItem hit;
        hit.id = u"o/r:pdf"_s;
        hit.skillId = u"pdf"_s;
        hit.name = u"PDF"_s;
        hit.source = u"o/r"_s;
        hit.fromIndex = RemoteSkillItem::FromIndex{u"HEAD"_s, u"pdf"_s, {}};
        hit.sourceName = u"o/r"_s;
        std::optional<InstallResult> result;
        QObject::connect(SkillInstall::start(*workspace, sources, hit, options), &SkillInstall::finished,
                         [&](const InstallResult& finished) { result = finished; });
        if (!QTest::qWaitFor([&] { return result.has_value(); }))
            return InstallResult::failure(Problem::said(u"no answer"_s));
        return *result;
    }
};

// What an install did, as the log would say it.
QString logText(const InstallResult& result)
{
    if (!result.succeeded)
        return result.problem ? result.problem->logText() : u"refused"_s;
    QString text = u"installed"_s;
    if (!result.skipped.isEmpty())
        text += u" skipped("_s + result.skipped.join(u", "_s) + u')';
    if (result.incomplete)
        text += u" incomplete("_s + result.incomplete->logText() + u')';
    return text;
}

} // namespace

class TestSkillInstall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What a repository offers, and what comes of installing it: the hub gets the whole
    // folder or stays exactly as it was, and no staging folder is left either way.
    void installsAWholeFolderOrNothing_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<Serving>("serving");
        QTest::addColumn<QString>("outcome");       // a part of its log text
        QTest::addColumn<QStringList>("installed"); // relative paths; none when refused
        const Files skill = {{"pdf/SKILL.md", "# PDF"}, {"pdf/a/b/deep.md", "deep"}};
        const auto with = [&](const FakeRepository::File& file) {
            return skill + Files{file};
        };
        QTest::newRow("nested files")
            << skill << Serving::everything << u"installed"_s << QStringList{u"SKILL.md"_s, u"a/b/deep.md"_s};
        QTest::newRow("a link is left out")
            << with({"pdf/link", "/etc/passwd", "120000"}) << Serving::everything << u"skipped(link)"_s
            << QStringList{u"SKILL.md"_s, u"a/b/deep.md"_s};
        QTest::newRow("a submodule is left out")
            << with({"pdf/vendor", "", "160000"}) << Serving::everything << u"skipped(vendor)"_s
            << QStringList{u"SKILL.md"_s, u"a/b/deep.md"_s};
        QTest::newRow("no tree: the SKILL.md alone")
            << skill << Serving::noTree << u"incomplete("_s << QStringList{u"SKILL.md"_s};
        QTest::newRow("climbing out")
            << with({"pdf/../x", "x"}) << Serving::everything << u"unusablePath(../x)"_s << QStringList();
        QTest::newRow("climbing inside") << with({"pdf/a/../../b", "x"}) << Serving::everything
                                         << u"unusablePath(a/../../b)"_s << QStringList();
        QTest::newRow("absolute") << with({"pdf//abs", "x"}) << Serving::everything << u"unusablePath(/abs)"_s
                                  << QStringList();
        QTest::newRow("a NUL in a name")
            << with({"pdf/a\\u0000b", "x"}) << Serving::everything << u"unusablePath("_s << QStringList();
        QTest::newRow("a control character") << with({"pdf/a\\u0007b", "x"}) << Serving::everything
                                             << u"unusablePath(a\\x07b)"_s << QStringList();
        Files many = skill;
        for (int i = 0; many.size() < 1001; ++i)
            many.append({"pdf/many/" + QByteArray::number(i), "x"});
        QTest::newRow("1,001 files") << many << Serving::everything << u"tooManyFiles(1001, 1000)"_s
                                     << QStringList();
        QTest::newRow("51 MiB") << with({"pdf/big.bin", QByteArray(51 * 1024 * 1024, 'x')})
                                << Serving::everything << u"tooLarge(51.0, 50)"_s << QStringList();
        QTest::newRow("a download fails halfway") << with({"pdf/z.md", "z"}) << Serving::notTheLastFile
                                                  << u"fileNotLoaded(z.md)"_s << QStringList();
        QTest::newRow("a file changed meanwhile") << with({"pdf/z.md", "z"}) << Serving::theLastFileChanged
                                                  << u"changedWhileLoading(z.md)"_s << QStringList();
    }
    void installsAWholeFolderOrNothing()
    {
        QFETCH(Files, files);
        QFETCH(Serving, serving);
        QFETCH(QString, outcome);
        QFETCH(QStringList, installed);
        InstallFixture f;
        f.serve({files}, serving);
        const QStringList before = treeSnapshot(f.dir.path());

        const InstallResult result = f.install();
        QVERIFY2(logText(result).contains(outcome), qPrintable(logText(result)));
        QCOMPARE(result.succeeded, !installed.isEmpty());
        QCOMPARE(entryNames(f.hub).filter(u".quorvane"_s), QStringList());
        const auto records = f.context->records<SkillProvenanceRecord>();
        if (installed.isEmpty()) {
            QCOMPARE(treeSnapshot(f.dir.path()).filter(u"Hub/"_s), before.filter(u"Hub/"_s));
            QVERIFY(records.isEmpty());
            return;
        }
        QStringList found;
        for (const QString& line : treeSnapshot(f.hub + u"/pdf"_s))
            if (!line.endsWith(u'/'))
                found.append(line.section(u':', 0, 0));
        QCOMPARE(found, installed);
        QCOMPARE(records.size(), 1);
        const SkillProvenance& p = records.first()->provenance();
        QCOMPARE(p.treeSha, serving == Serving::noTree
                                ? QString()
                                : QString::fromLatin1(FakeRepository{files}.folderSha("pdf")));
        QCOMPARE(p.files.keys(), installed);
        QCOMPARE(p.contentHash, FolderContent::digestOf(f.hub + u"/pdf"_s)->contentHash);
    }
};

QTEST_GUILESS_MAIN(TestSkillInstall)
#include "tst_skillinstall.moc"
