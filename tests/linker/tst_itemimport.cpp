#include "access/FileSystem.h"
#include "actions/LinkActions.h"
#include "linker/TargetListing.h"
#include "model/SkillLinkRecord.h"
#include "support/LogCapture.h"
#include "support/WorkspaceFixture.h"

#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

// A hub and an app "Codex" with a bookmarked folder.
struct ImportFixture : WorkspaceFixture
{
    QString hub = makeHub();
    TargetApp* app;
    QString folder;
    FileLinkerService& linker = workspace->linker();

    ImportFixture()
    {
        app = makeApp(u"Codex"_s);
        folder = app->folderPath();
    }
    QString entry(const QString& name) const { return folder + u"/"_s + name; }
    TargetAppSkill listed(const QString& name, const TargetApp* of = nullptr) const
    {
        return workspace->targetListing().entry(of ? *of : *app, name).value().value();
    }
    int records() const { return static_cast<int>(context->records<SkillLinkRecord>().size()); }
    QStringList hubNames() const
    {
        QStringList names;
        for (const Skill& skill : workspace->hubCatalog().availableSkills())
            names.append(skill.url.fileName());
        return names;
    }
};

} // namespace

class TestItemImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importsLocalItems_data()
    {
        QTest::addColumn<bool>("folderItem");
        QTest::newRow("folder") << true;
        QTest::newRow("file") << false;
    }
    void importsLocalItems()
    {
        QFETCH(bool, folderItem);
        ImportFixture f;
        const QString name = folderItem ? u"deploy"_s : u"notes.md"_s;
        if (folderItem) {
            QVERIFY(makeFolder(f.entry(name + u"/scripts"_s)));
            QVERIFY(writeFile(f.entry(name + u"/SKILL.md"_s), "# Deploy"));
        } else {
            QVERIFY(writeFile(f.entry(name), "my notes"));
        }
        const QStringList content = treeSnapshot(f.folder);
        QSignalSpy hubChanged(&f.workspace->changes(), &ChangeFeed::hubItemsChanged);
        QSignalSpy folderChanged(&f.workspace->changes(), &ChangeFeed::targetFolderChanged);

        LogCapture log;
        QVERIFY(LinkActions(*f.workspace).importEntry(f.listed(name), *f.app));
        QCOMPARE(FileSystem::linkDestinationText(f.entry(name)).value(), f.hub + u"/"_s + name);
        QCOMPARE(treeSnapshot(f.hub), content); // the same tree, now in the hub
        QCOMPARE(f.records(), 1);
        QCOMPARE(f.hubNames(), QStringList{name});
        QCOMPARE(hubChanged.count(), 1);
        QCOMPARE(folderChanged.count(), 1);
        QCOMPARE(log.lines(), QStringList());
    }

    void importsWhatALinkLeadsTo()
    {
        ImportFixture f;
        // The skill lives in another app's folder; a third link also uses it.
        const QString elsewhere = f.path(u"apps/Other/original-name"_s);
        QVERIFY(makeFolder(elsewhere));
        QVERIFY(writeFile(elsewhere + u"/SKILL.md"_s, "# Shared"));
        QVERIFY(makeLink(f.entry(u"shared"_s), elsewhere));
        QVERIFY(makeLink(f.path(u"third-link"_s), elsewhere));

        QVERIFY(f.linker.importSkill(f.listed(u"shared"_s), *f.app));
        QCOMPARE(readFile(f.hub + u"/shared/SKILL.md"_s), QByteArray("# Shared")); // under the link's name
        QVERIFY(!QFileInfo::exists(elsewhere));
        QCOMPARE(FileSystem::linkDestinationText(f.entry(u"shared"_s)).value(), f.hub + u"/shared"_s);
        QVERIFY(!FileSystem::exists(f.path(u"third-link"_s))); // broken now
        QCOMPARE(f.records(), 1);
    }

    void aLinkWithoutDestinationIsLeftAlone()
    {
        ImportFixture f;
        QVERIFY(makeLink(f.entry(u"lost"_s), f.path(u"nowhere"_s)));
        QVERIFY(writeFile(f.hub + u"/present.md"_s, "p"));
        LogCapture log;
        QVERIFY(!LinkActions(*f.workspace).importEntry(f.listed(u"lost"_s), *f.app));
        QCOMPARE(log.lines(), QStringList());
        QCOMPARE(f.hubNames(), QStringList{u"present.md"_s}); // scanned in any case
        QCOMPARE(FileSystem::linkDestinationText(f.entry(u"lost"_s)).value(), f.path(u"nowhere"_s));
    }

    // Nothing is replaced and nothing moves when the import cannot be done whole.
    void refusedImportsChangeNothing_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("hub has a file of that name") << u"hub file"_s;
        QTest::newRow("hub has a folder of that name") << u"hub folder"_s;
        QTest::newRow("hub has an empty folder of that name") << u"hub empty folder"_s;
        QTest::newRow("link into the hub") << u"link into hub"_s;
        QTest::newRow("link to a folder holding the app's folder") << u"link to ancestor"_s;
    }
    void refusedImportsChangeNothing()
    {
        QFETCH(QString, situation);
        ImportFixture f;
        QVERIFY(makeFolder(f.entry(u"deploy"_s)));
        QVERIFY(writeFile(f.entry(u"deploy/SKILL.md"_s), "local"));
        QVERIFY(makeFolder(f.hub + u"/other"_s));
        QString item = u"deploy"_s;
        if (situation == u"hub file"_s) {
            QVERIFY(writeFile(f.hub + u"/deploy"_s, "hub file"));
        } else if (situation == u"hub folder"_s) {
            QVERIFY(makeFolder(f.hub + u"/deploy"_s));
            QVERIFY(writeFile(f.hub + u"/deploy/SKILL.md"_s, "hub"));
        } else if (situation == u"hub empty folder"_s) {
            QVERIFY(makeFolder(f.hub + u"/deploy"_s));
        } else if (situation == u"link into hub"_s) {
            item = u"alias"_s;
            QVERIFY(makeLink(f.entry(item), f.hub + u"/other"_s));
        } else {
            item = u"up"_s;
            QVERIFY(makeLink(f.entry(item), f.path(u"apps"_s)));
        }
        const QStringList appsBefore = treeSnapshot(f.path(u"apps"_s));
        const QStringList hubBefore = treeSnapshot(f.hub);

        LogCapture log;
        QVERIFY(!f.linker.importSkill(f.listed(item), *f.app));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY2(log.lines().first().startsWith(u"Failed to import skill: "_s),
                 qPrintable(log.lines().first()));
        QCOMPARE(treeSnapshot(f.path(u"apps"_s)), appsBefore);
        QCOMPARE(treeSnapshot(f.hub), hubBefore);
        QCOMPARE(f.records(), 0);
    }

    void importsAcrossFileSystems()
    {
        struct stat here
        {
        }, shm{};
        ImportFixture f;
        if (::stat("/dev/shm", &shm) != 0 || ::stat(QFile::encodeName(f.hub).constData(), &here) != 0 ||
            shm.st_dev == here.st_dev)
            QSKIP("/dev/shm is not another file system here");
        QTemporaryDir other(u"/dev/shm/quorvane-import-XXXXXX"_s);
        QVERIFY(other.isValid());
        auto* app = new TargetApp(u"Shm"_s, other.path(), u"folder"_s,
                                  SecurityScopedBookmarkManager::createBookmark(other.path()));
        f.context->insert(app);

        QVERIFY(makeFolder(other.filePath(u"good/scripts"_s)));
        QVERIFY(writeFile(other.filePath(u"good/SKILL.md"_s), "# Good"));
        QVERIFY(makeLink(other.filePath(u"good/readme"_s), u"SKILL.md"_s));
        const QStringList good = treeSnapshot(other.filePath(u"good"_s));
        QVERIFY(f.linker.importSkill(f.listed(u"good"_s, app), *app));
        QCOMPARE(treeSnapshot(f.hub + u"/good"_s), good);
        QCOMPARE(FileSystem::linkDestinationText(other.filePath(u"good"_s)).value(), f.hub + u"/good"_s);

        // A pipe cannot be copied: the copy fails part way and is cleaned up.
        QVERIFY(makeFolder(other.filePath(u"bad"_s)));
        QVERIFY(writeFile(other.filePath(u"bad/SKILL.md"_s), "# Bad"));
        QVERIFY(::mkfifo(QFile::encodeName(other.filePath(u"bad/pipe"_s)).constData(), 0600) == 0);
        const QStringList hubBefore = treeSnapshot(f.hub);
        const QStringList sourceBefore = treeSnapshot(other.filePath(u"bad"_s));
        LogCapture log;
        QVERIFY(!f.linker.importSkill(f.listed(u"bad"_s, app), *app));
        QCOMPARE(log.lines().size(), 1);
        QCOMPARE(treeSnapshot(f.hub), hubBefore);
        QCOMPARE(treeSnapshot(other.filePath(u"bad"_s)), sourceBefore);
    }

    void anUnreachableFolderImportsNothing()
    {
        ImportFixture f;
        TargetApp* gone = f.makeApp(u"Gone"_s, false);
        TargetAppSkill ghost{
            QUrl::fromLocalFile(gone->folderPath() + u"/x"_s), u"x"_s, false, {}, false, false};
        QVERIFY(!f.linker.importSkill(ghost, *gone));
        QCOMPARE(f.records(), 0);
    }

    void repair_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<bool>("repaired");
        QTest::newRow("broken with namesake") << u"broken, namesake"_s << true;
        QTest::newRow("broken without namesake") << u"broken"_s << false;
        QTest::newRow("working link") << u"working"_s << false;
        QTest::newRow("local folder with namesake") << u"local, namesake"_s << false;
    }
    void repair()
    {
        QFETCH(QString, situation);
        QFETCH(bool, repaired);
        ImportFixture f;
        if (situation.contains(u"namesake"_s))
            QVERIFY(makeFolder(f.hub + u"/deploy"_s));
        if (situation.startsWith(u"broken"_s))
            QVERIFY(makeLink(f.entry(u"deploy"_s), f.path(u"old-hub/deploy"_s)));
        else if (situation == u"working"_s)
            QVERIFY(makeLink(f.entry(u"deploy"_s), f.path(u"apps"_s)));
        else
            QVERIFY(makeFolder(f.entry(u"deploy"_s)));
        const QStringList before = treeSnapshot(f.folder);

        LogCapture log;
        QCOMPARE(f.linker.repairLink(f.listed(u"deploy"_s), *f.app), repaired);
        QCOMPARE(f.records(), repaired ? 1 : 0);
        if (repaired)
            QCOMPARE(FileSystem::linkDestinationText(f.entry(u"deploy"_s)).value(), f.hub + u"/deploy"_s);
        else
            QCOMPARE(treeSnapshot(f.folder), before);
        QCOMPARE(log.lines(), QStringList());
    }

    void installWritesSkillFiles()
    {
        ImportFixture f;
        const auto fresh = f.linker.installDownloadedSkill(u"new-skill"_s, u"# Neu ü"_s);
        QVERIFY(fresh && fresh->ok());
        QCOMPARE(readFile(f.hub + u"/new-skill/SKILL.md"_s), QByteArray("# Neu \xc3\xbc"));

        QVERIFY(makeFolder(f.hub + u"/existing/scripts"_s));
        QVERIFY(writeFile(f.hub + u"/existing/SKILL.md"_s, "old"));
        QVERIFY(writeFile(f.hub + u"/existing/scripts/run.sh"_s, "keep me"));
        const auto replaced = f.linker.installDownloadedSkill(u"existing"_s, u"new"_s);
        QVERIFY(replaced && replaced->ok());
        QCOMPARE(entryNames(f.hub + u"/existing"_s), QStringList({u"SKILL.md"_s, u"scripts"_s}));
        QCOMPARE(readFile(f.hub + u"/existing/SKILL.md"_s), QByteArray("new"));
        QCOMPARE(readFile(f.hub + u"/existing/scripts/run.sh"_s), QByteArray("keep me"));
    }

    void installNeedsAHub()
    {
        WorkspaceFixture f;
        QVERIFY(f.workspace->hubSettings().setHub(f.path(u"no hub"_s), std::nullopt).ok());
        LogCapture log;
        QCOMPARE(f.workspace->linker().installDownloadedSkill(u"x"_s, u"y"_s), std::nullopt);
        QVERIFY(!QFileInfo::exists(f.path(u"no hub"_s)));
        QCOMPARE(log.lines(), QStringList());
    }

    void installRefusesNamesThatAreNotOneVisibleFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("climbing") << u"../x"_s;
        QTest::newRow("dot-dot") << u".."_s;
        QTest::newRow("dot") << u"."_s;
        QTest::newRow("nested") << u"a/b"_s;
        QTest::newRow("empty") << QString();
        QTest::newRow("hidden") << u".hidden"_s;
        QTest::newRow("control character") << u"a\u0007"_s;
    }
    void installRefusesNamesThatAreNotOneVisibleFolder()
    {
        QFETCH(QString, name);
        ImportFixture f;
        QVERIFY(makeFolder(f.hub + u"/a"_s));
        const QStringList before = treeSnapshot(f.dir.path());
        const auto installed = f.linker.installDownloadedSkill(name, u"# evil"_s);
        QVERIFY(installed);
        QVERIFY(!installed->ok());
        QVERIFY(!installed->error().description.isEmpty());
        QStringList after = treeSnapshot(f.dir.path());
        QCOMPARE(after.filter(u"SKILL.md"_s), before.filter(u"SKILL.md"_s));
        QCOMPARE(after.size(), before.size());
    }
};

QTEST_GUILESS_MAIN(TestItemImport)
#include "tst_itemimport.moc"
