#include "access/FileSystem.h"
#include "actions/LinkActions.h"
#include "linker/Placement.h"
#include "model/SkillLinkRecord.h"
#include "support/LogCapture.h"
#include "support/WorkspaceFixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

QList<SkillLinkRecord*> recordsOf(ModelContext& context, const TargetApp& app)
{
    auto records = context.fetch<SkillLinkRecord>(
        [&](const SkillLinkRecord& record) { return record.targetAppID() == app.id(); });
    return records ? records.value() : QList<SkillLinkRecord*>();
}

// A hub holding "deploy" (folder), "notes.md" and "other", and an app "Codex".
struct LinkingFixture : WorkspaceFixture
{
    QString hub = makeHub();
    TargetApp* app;
    QString folder;
    FileLinkerService& linker = workspace->linker();
    LinkRecords& records = workspace->linkRecords();

    LinkingFixture()
    {
        makeFolder(hub + u"/deploy"_s);
        writeFile(hub + u"/deploy/SKILL.md"_s, "# Deploy");
        writeFile(hub + u"/notes.md"_s, "notes");
        makeFolder(hub + u"/other"_s);
        app = makeApp(u"Codex"_s);
        folder = app->folderPath();
    }
    QString place(const QString& name) const { return folder + u"/"_s + name; }
    bool isLinked(const QString& name) const
    {
        return SymbolicLinkPlacement().isPlacementOf(place(name), hub + u"/"_s + name);
    }
};

} // namespace

class TestLinking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void isLinked_data()
    {
        QTest::addColumn<QString>("destination"); // HUB and APP stand for the two folders
        QTest::addColumn<bool>("expected");
        QTest::newRow("absolute link") << u"HUB/deploy"_s << true;
        QTest::newRow("relative link") << u"../../Hub/deploy"_s << true;
        QTest::newRow("differs in letter case") << u"HUB/DEPLOY"_s << false;
        QTest::newRow("through a link on the way") << u"ALIAS/deploy"_s << true;
        QTest::newRow("with dot segments") << u"HUB/./x/../deploy"_s << true;
        QTest::newRow("to another item") << u"HUB/other"_s << false;
        QTest::newRow("real folder") << u"(folder)"_s << false;
        QTest::newRow("nothing") << QString() << false;
    }
    void isLinked()
    {
        QFETCH(QString, destination);
        QFETCH(bool, expected);
        LinkingFixture f;
        QVERIFY(makeLink(f.path(u"Alias"_s), f.hub));
        if (destination == u"(folder)"_s)
            QVERIFY(makeFolder(f.place(u"deploy"_s)));
        else if (!destination.isEmpty())
            QVERIFY(makeLink(f.place(u"deploy"_s),
                             destination.replace(u"HUB"_s, f.hub).replace(u"ALIAS"_s, f.path(u"Alias"_s))));
        QVERIFY(makeFolder(f.hub + u"/DEPLOY"_s)); // on Linux another item
        QCOMPARE(f.isLinked(u"deploy"_s), expected);
        QCOMPARE(f.linker.isSkillLinked(f.hubSkill(u"deploy"_s), *f.app), expected);
    }

    // Each situation at the link place, switched on or off: the result, what stands at the
    // place afterwards, the records and the log.
    void toggle_data()
    {
        QTest::addColumn<QString>("atPlace"); // nothing, our link, foreign link, dangling link, folder, file
        QTest::addColumn<bool>("wanted");
        QTest::addColumn<LinkToggleResult>("result");
        QTest::addColumn<bool>("linkedAfter");
        QTest::addColumn<int>("recordsAfter");
        QTest::addColumn<bool>("logged");
        using R = LinkToggleResult;
        QTest::newRow("on over nothing") << u"nothing"_s << true << R::changed << true << 1 << false;
        QTest::newRow("on when on") << u"our link"_s << true << R::alreadyInState << true << 1 << false;
        QTest::newRow("off when off") << u"nothing"_s << false << R::alreadyInState << false << 0 << false;
        QTest::newRow("off") << u"our link"_s << false << R::changed << false << 0 << false;
        QTest::newRow("on replaces a foreign link")
            << u"foreign link"_s << true << R::changed << true << 1 << false;
        QTest::newRow("on over a dangling link")
            << u"dangling link"_s << true << R::failed << false << 0 << true;
        QTest::newRow("on over a real folder") << u"folder"_s << true << R::failed << false << 0 << true;
        QTest::newRow("on over a real file") << u"file"_s << true << R::failed << false << 0 << true;
        QTest::newRow("off leaves a real folder")
            << u"folder"_s << false << R::alreadyInState << false << 0 << false;
    }
    void toggle()
    {
        QFETCH(QString, atPlace);
        QFETCH(bool, wanted);
        QFETCH(LinkToggleResult, result);
        QFETCH(bool, linkedAfter);
        QFETCH(int, recordsAfter);
        QFETCH(bool, logged);
        LinkingFixture f;
        const QString place = f.place(u"deploy"_s);
        if (atPlace == u"our link"_s) {
            QVERIFY(makeLink(place, f.hub + u"/deploy"_s));
            QVERIFY(f.records.upsert(f.app->id(), u"deploy"_s));
        } else if (atPlace == u"foreign link"_s) {
            QVERIFY(makeLink(place, f.hub + u"/other"_s));
        } else if (atPlace == u"dangling link"_s) {
            QVERIFY(makeLink(place, f.path(u"gone"_s)));
        } else if (atPlace == u"folder"_s) {
            QVERIFY(makeFolder(place));
            QVERIFY(writeFile(place + u"/SKILL.md"_s, "mine"));
        } else if (atPlace == u"file"_s) {
            QVERIFY(writeFile(place, "mine"));
        }
        const QStringList hubBefore = treeSnapshot(f.hub);
        const QStringList folderBefore = treeSnapshot(f.folder);

        LogCapture log;
        QSignalSpy announced(&f.workspace->changes(), &ChangeFeed::targetFolderChanged);
        QCOMPARE(LinkActions(*f.workspace).setLinked(f.hubSkill(u"deploy"_s), *f.app, wanted), result);

        QCOMPARE(f.isLinked(u"deploy"_s), linkedAfter);
        QCOMPARE(recordsOf(*f.context, *f.app).size(), recordsAfter);
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.first().first().toUuid(), f.app->id());
        QCOMPARE(treeSnapshot(f.hub), hubBefore); // no destination is ever touched
        if (logged) {
            QCOMPARE(log.lines().size(), 1);
            QVERIFY2(log.lines().first().startsWith(u"Failed to toggle link at "_s + place + u": "_s),
                     qPrintable(log.lines().first()));
            QCOMPARE(treeSnapshot(f.folder), folderBefore);
        } else {
            QCOMPARE(log.lines(), QStringList());
        }
    }

    void linksHoldTheAbsolutePathAndTheFileName()
    {
        LinkingFixture f;
        QCOMPARE(f.linker.toggleLink(f.hubSkill(u"notes.md"_s), *f.app, true), LinkToggleResult::changed);
        const auto destination = FileSystem::linkDestinationText(f.place(u"notes.md"_s));
        QVERIFY(destination);
        QCOMPARE(destination.value(), f.hub + u"/notes.md"_s);
        QCOMPARE(recordsOf(*f.context, *f.app).first()->itemName(), u"notes.md"_s);
    }

    void offAndOnAgainMakesANewRecord()
    {
        LinkingFixture f;
        const Skill deploy = f.hubSkill(u"deploy"_s);
        f.linker.toggleLink(deploy, *f.app, true);
        const QUuid firstID = recordsOf(*f.context, *f.app).first()->id();
        f.linker.toggleLink(deploy, *f.app, false);
        QVERIFY(recordsOf(*f.context, *f.app).isEmpty());
        f.linker.toggleLink(deploy, *f.app, true);
        QCOMPARE(recordsOf(*f.context, *f.app).size(), 1);
        QVERIFY(recordsOf(*f.context, *f.app).first()->id() != firstID);
    }

    void anExistingRecordIsKept()
    {
        LinkingFixture f;
        // The link vanished outside the program; its record stayed.
        QVERIFY(f.records.upsert(f.app->id(), u"deploy"_s));
        const QDateTime createdAt = recordsOf(*f.context, *f.app).first()->createdAt();
        QCOMPARE(f.linker.toggleLink(f.hubSkill(u"deploy"_s), *f.app, true), LinkToggleResult::changed);
        QCOMPARE(recordsOf(*f.context, *f.app).size(), 1);
        QCOMPARE(recordsOf(*f.context, *f.app).first()->createdAt(), createdAt);
    }

    void anUnreachableFolderChangesNothing()
    {
        LinkingFixture f;
        TargetApp* gone = f.makeApp(u"Gone"_s, false);
        const QStringList before = treeSnapshot(f.dir.path());
        QCOMPARE(f.linker.toggleLink(f.hubSkill(u"deploy"_s), *gone, true),
                 LinkToggleResult::folderUnreachable);
        QCOMPARE(f.linker.toggleLink(f.hubSkill(u"deploy"_s), *gone, false),
                 LinkToggleResult::folderUnreachable);
        QVERIFY(!f.linker.isSkillLinked(f.hubSkill(u"deploy"_s), *gone));
        QCOMPARE(treeSnapshot(f.dir.path()).filter(u"apps/"_s), before.filter(u"apps/"_s));
        QVERIFY(f.context->records<SkillLinkRecord>().isEmpty());
    }

    void removingTargetItems_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("link") << u"link"_s << true;
        QTest::newRow("folder") << u"folder"_s << true;
        QTest::newRow("missing") << u"missing"_s << false;
    }
    void removingTargetItems()
    {
        QFETCH(QString, item);
        QFETCH(bool, deleted);
        LinkingFixture f;
        QVERIFY(makeLink(f.place(u"link"_s), f.hub + u"/deploy"_s));
        QVERIFY(makeFolder(f.place(u"folder/inner"_s)));
        QVERIFY(f.records.upsert(f.app->id(), item));
        const QStringList hubBefore = treeSnapshot(f.hub);

        LogCapture log;
        QCOMPARE(f.linker.removeTargetItem(f.place(item), *f.app), deleted);
        QVERIFY(!QFileInfo::exists(f.place(item)) && !FileSystem::isSymbolicLink(f.place(item)));
        QVERIFY(recordsOf(*f.context, *f.app).isEmpty()); // dropped in any case
        QCOMPARE(treeSnapshot(f.hub), hubBefore);
        QCOMPARE(log.lines(), QStringList());
    }

    void recordOperations()
    {
        LinkingFixture f;
        TargetApp* other = f.makeApp(u"Gemini"_s);
        // Duplicates that came in some other way are all removed.
        f.context->insert(new SkillLinkRecord(f.app->id(), u"a"_s));
        f.context->insert(new SkillLinkRecord(f.app->id(), u"a"_s));
        QVERIFY(f.records.upsert(f.app->id(), u"b"_s));
        QVERIFY(f.records.upsert(f.app->id(), u"b"_s));
        QVERIFY(f.records.upsert(other->id(), u"a"_s));
        QCOMPARE(recordsOf(*f.context, *f.app).size(), 3);

        LogCapture log;
        QVERIFY(f.records.remove(f.app->id(), u"a"_s));
        QCOMPARE(recordsOf(*f.context, *f.app).size(), 1);
        QVERIFY(f.records.remove(f.app->id(), u"no such item"_s));
        QVERIFY(!f.context->hasChanges());
        QVERIFY(f.records.removeAll(f.app->id()));
        QVERIFY(recordsOf(*f.context, *f.app).isEmpty());
        QCOMPARE(recordsOf(*f.context, *other).size(), 1);
        QCOMPARE(log.lines(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestLinking)
#include "tst_linking.moc"
