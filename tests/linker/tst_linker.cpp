#include "access/FileSystem.h"
#include "actions/HubActions.h"
#include "actions/ImportTask.h"
#include "actions/LinkActions.h"
#include "actions/RestorePlanning.h"
#include "linker/LinkRecords.h"
#include "linker/Placement.h"
#include "linker/TargetListing.h"
#include "model/ModelContext.h"
#include "model/SkillLinkRecord.h"
#include "model/SkillProvenanceRecord.h"
#include "support/LogCapture.h"
#include "support/WorkspaceFixture.h"

#include <QSignalSpy>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

QList<SkillLinkRecord*> recordsOf(ModelContext& context, const TargetApp& app)
{
    auto records = context.fetch<SkillLinkRecord>(
        [&](const SkillLinkRecord& record) { return record.targetAppID() == app.id(); });
    return records ? records.value() : QList<SkillLinkRecord*>();
}

// A hub, an app "Codex" with a bookmarked folder, and ways to look at both.
struct LinkerFixture : WorkspaceFixture
{
    QString hub = makeHub();
    TargetApp* app = makeApp(u"Codex"_s);
    QString folder = app->folderPath();
    Linker& linker = workspace->linker();

    QString entry(const QString& name) const { return folder + u"/"_s + name; }
    bool isLinked(const QString& name) const
    {
        return SymbolicLinkPlacement().isPlacementOf(entry(name), hub + u"/"_s + name);
    }
    TargetAppSkill listed(const QString& name, const TargetApp* of = nullptr) const
    {
        return workspace->targetListing().entry(of ? *of : *app, name).value().value();
    }
    int records() const { return static_cast<int>(context->records<SkillLinkRecord>().size()); }
    QStringList hubNames() const
    {
        QStringList names;
        for (const Skill& skill : workspace->hubCatalog().availableSkills())
            names.append(skill.fileName());
        return names;
    }
};

// The same with "deploy" (a folder), "notes.md" and "other" in the hub.
struct LinkingFixture : LinkerFixture
{
    LinkingFixture()
    {
        makeFolder(hub + u"/deploy"_s);
        writeFile(hub + u"/deploy/SKILL.md"_s, "# Deploy");
        writeFile(hub + u"/notes.md"_s, "notes");
        makeFolder(hub + u"/other"_s);
    }
};

// A plan as "op name" and "conflict name: kind [subject]" lines.
QStringList steps(const PlacementPlan& plan)
{
    QStringList lines;
    for (const PlanAction& action : plan.actions)
        lines.append(PlanAction::opName(action.op) + u' ' + QFileInfo(action.path).fileName());
    for (const PlanConflict& conflict : plan.conflicts)
        lines.append(QString(u"conflict "_s + QFileInfo(conflict.path).fileName() + u": "_s +
                             PlanConflict::kindName(conflict.kind) + u' ' + conflict.subject)
                         .trimmed());
    return lines;
}

// Every recorded placement made again, what stands in the way left alone.
PlanOutcome restoreAll(Linker& linker)
{
    PlanOutcome summary;
    for (const PlanOutcome& outcome : linker.runner.carryOutAll(linker.planner.planRestoreAll()))
        summary.add(outcome);
    return summary;
}

} // namespace

// Every change the linker makes on disk: links made and taken away, entries imported,
// repaired and removed, skills written, recorded links restored.
class TestLinker : public QObject
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
            QVERIFY(makeFolder(f.entry(u"deploy"_s)));
        else if (!destination.isEmpty())
            QVERIFY(makeLink(f.entry(u"deploy"_s),
                             destination.replace(u"HUB"_s, f.hub).replace(u"ALIAS"_s, f.path(u"Alias"_s))));
        QVERIFY(makeFolder(f.hub + u"/DEPLOY"_s)); // on Linux another item
        QCOMPARE(f.isLinked(u"deploy"_s), expected);
        QCOMPARE(f.linker.links.isSkillLinked(f.hubSkill(u"deploy"_s), *f.app), expected);
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
        const QString place = f.entry(u"deploy"_s);
        if (atPlace == u"our link"_s) {
            QVERIFY(makeLink(place, f.hub + u"/deploy"_s));
            QVERIFY(f.workspace->linkRecords().upsert(f.app->id(), u"deploy"_s));
        } else if (atPlace == u"foreign link"_s) {
            QVERIFY(makeLink(place, f.hub + u"/other"_s));
        } else if (atPlace == u"dangling link"_s) {
            QVERIFY(makeLink(place, f.path(u"gone"_s)));
        } else if (atPlace == u"folder"_s) {
            QVERIFY(writeFile(place + u"/SKILL.md"_s, "mine"));
        } else if (atPlace == u"file"_s) {
            QVERIFY(writeFile(place, "mine"));
        }
        const QStringList hubBefore = treeSnapshot(f.hub);
        const QStringList folderBefore = treeSnapshot(f.folder);

        LogCapture log;
        QSignalSpy announced(&f.workspace->changes(), &ChangeFeed::targetFolderChanged);
        QCOMPARE(
            LinkActions(*f.workspace).setLinked(f.hubSkill(u"deploy"_s), *f.app, wanted, false, {}).result,
            result);

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

    // A link holds the absolute path and the file name; a record kept while its link vanished
    // outside the program is kept, not doubled; an app's folder out of reach changes nothing.
    // Records of one item are removed together, those of other apps stay.
    void linksTheirRecordsAndUnreachableFolders()
    {
        LinkingFixture f;
        QCOMPARE(f.linker.links.toggleLink(f.hubSkill(u"notes.md"_s), *f.app, true).result,
                 LinkToggleResult::changed);
        QCOMPARE(FileSystem::linkDestinationText(f.entry(u"notes.md"_s)).value(), f.hub + u"/notes.md"_s);
        QCOMPARE(recordsOf(*f.context, *f.app).first()->itemName(), u"notes.md"_s);
        QVERIFY(f.workspace->linkRecords().removeAll(f.app->id()));

        QVERIFY(f.workspace->linkRecords().upsert(f.app->id(), u"deploy"_s));
        const QDateTime createdAt = recordsOf(*f.context, *f.app).first()->createdAt();
        QCOMPARE(f.linker.links.toggleLink(f.hubSkill(u"deploy"_s), *f.app, true).result,
                 LinkToggleResult::changed);
        QCOMPARE(recordsOf(*f.context, *f.app).size(), 1);
        QCOMPARE(recordsOf(*f.context, *f.app).first()->createdAt(), createdAt);
        QVERIFY(f.workspace->linkRecords().removeAll(f.app->id()));

        TargetApp* gone = f.makeApp(u"Gone"_s, false);
        const QStringList before = treeSnapshot(f.dir.path());
        QCOMPARE(f.linker.links.toggleLink(f.hubSkill(u"deploy"_s), *gone, true).result,
                 LinkToggleResult::folderUnreachable);
        QCOMPARE(f.linker.links.toggleLink(f.hubSkill(u"deploy"_s), *gone, false).result,
                 LinkToggleResult::folderUnreachable);
        QVERIFY(!f.linker.links.isSkillLinked(f.hubSkill(u"deploy"_s), *gone));
        QCOMPARE(treeSnapshot(f.dir.path()).filter(u"apps/"_s), before.filter(u"apps/"_s));
        QVERIFY(f.context->records<SkillLinkRecord>().isEmpty());

        TargetApp* other = f.makeApp(u"Gemini"_s);
        // Duplicates that came in some other way are all removed.
        f.context->insert(new SkillLinkRecord(f.app->id(), u"a"_s));
        f.context->insert(new SkillLinkRecord(f.app->id(), u"a"_s));
        QVERIFY(f.workspace->linkRecords().upsert(f.app->id(), u"b"_s));
        QVERIFY(f.workspace->linkRecords().upsert(f.app->id(), u"b"_s));
        QVERIFY(f.workspace->linkRecords().upsert(other->id(), u"a"_s));
        QCOMPARE(recordsOf(*f.context, *f.app).size(), 3);

        LogCapture log;
        QVERIFY(f.workspace->linkRecords().remove(f.app->id(), u"a"_s));
        QCOMPARE(recordsOf(*f.context, *f.app).size(), 1);
        QVERIFY(f.workspace->linkRecords().remove(f.app->id(), u"no such item"_s));
        QVERIFY(!f.context->hasChanges());
        QVERIFY(f.workspace->linkRecords().removeAll(f.app->id()));
        QVERIFY(recordsOf(*f.context, *f.app).isEmpty());
        QCOMPARE(recordsOf(*f.context, *other).size(), 1);
        QCOMPARE(log.lines(), QStringList());
    }

    // A removed entry goes to the trash, a link as a link, so it can be brought back.
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
        QVERIFY(makeLink(f.entry(u"link"_s), f.hub + u"/deploy"_s) && makeFolder(f.entry(u"folder/inner"_s)));
        QVERIFY(f.workspace->linkRecords().upsert(f.app->id(), item));
        const QStringList hubBefore = treeSnapshot(f.hub);

        LogCapture log;
        const auto removed = f.linker.remover.removeTargetItem(f.entry(item), *f.app);
        QCOMPARE(removed.has_value(), deleted);
        QVERIFY(!QFileInfo::exists(f.entry(item)) && !FileSystem::isSymbolicLink(f.entry(item)));
        if (deleted) {
            QCOMPARE(removed->inTrash, std::optional(f.path(u"data/Trash/files/"_s + item)));
            QCOMPARE(FileSystem::isSymbolicLink(*removed->inTrash), item == u"link"_s);
            QVERIFY(QFileInfo::exists(f.path(u"data/Trash/info/"_s + item + u".trashinfo"_s)));
            // A second entry of the same name joins the first in the trash, under another name.
            QVERIFY(item == u"link"_s ? makeLink(f.entry(item), f.hub + u"/deploy"_s)
                                      : makeFolder(f.entry(u"folder/again"_s)));
            const auto again = f.linker.remover.removeTargetItem(f.entry(item), *f.app);
            QVERIFY(again);
            QCOMPARE(again->inTrash, std::optional(f.path(u"data/Trash/files/"_s + item + u".2"_s)));
            QVERIFY(FileSystem::exists(*removed->inTrash) || FileSystem::isSymbolicLink(*removed->inTrash));
            QCOMPARE(entryNames(f.path(u"data/Trash/info"_s)),
                     (QStringList{item + u".2.trashinfo"_s, item + u".trashinfo"_s}));
        }
        QVERIFY(recordsOf(*f.context, *f.app).isEmpty()); // dropped in any case
        QCOMPARE(treeSnapshot(f.hub), hubBefore);
        QCOMPARE(log.lines(), QStringList());
    }

    void importsLocalItems_data()
    {
        QTest::addColumn<bool>("folderItem");
        QTest::newRow("folder") << true;
        QTest::newRow("file") << false;
    }
    void importsLocalItems()
    {
        QFETCH(bool, folderItem);
        LinkerFixture f;
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
        ImportTask* task = ImportTask::start(*f.workspace, {{f.listed(name), f.app->id()}});
        QVERIFY(task);
        QSignalSpy finished(task, &ImportTask::finished);
        QVERIFY(finished.wait());
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(FileSystem::linkDestinationText(f.entry(name)).value(), f.hub + u"/"_s + name);
        QCOMPARE(treeSnapshot(f.hub), content); // the same tree, now in the hub
        QCOMPARE(f.records(), 1);
        QVERIFY(QTest::qWaitFor([&] { return !f.workspace->hubCatalog().isScanning(); }));
        QCOMPARE(f.hubNames(), QStringList{name});
        QCOMPARE(hubChanged.count(), 2); // the scan's start and end
        QCOMPARE(folderChanged.count(), 1);
        QCOMPARE(log.lines(), QStringList());
    }

    // A folder whose name merely starts with the hub's (HubOld beside Hub) is outside it.
    void importsWhatALinkLeadsTo_data()
    {
        QTest::addColumn<bool>("besideTheHub");
        QTest::newRow("in another app's folder") << false;
        QTest::newRow("in a sibling named like the hub") << true;
    }
    void importsWhatALinkLeadsTo()
    {
        QFETCH(bool, besideTheHub);
        LinkerFixture f;
        // The skill lives elsewhere; a third link also uses it.
        const QString elsewhere =
            besideTheHub ? f.hub + u"Old/original-name"_s : f.path(u"apps/Other/original-name"_s);
        QVERIFY(writeFile(elsewhere + u"/SKILL.md"_s, "# Shared"));
        QVERIFY(makeLink(f.entry(u"shared"_s), elsewhere) && makeLink(f.path(u"third-link"_s), elsewhere));

        QVERIFY(f.linker.importer.importSkill(f.listed(u"shared"_s), *f.app));
        QCOMPARE(readFile(f.hub + u"/shared/SKILL.md"_s), QByteArray("# Shared")); // under the link's name
        QVERIFY(!QFileInfo::exists(elsewhere));
        QCOMPARE(FileSystem::linkDestinationText(f.entry(u"shared"_s)).value(), f.hub + u"/shared"_s);
        QVERIFY(!FileSystem::exists(f.path(u"third-link"_s))); // broken now
        QCOMPARE(f.records(), 1);

        // A link that leads nowhere is left alone.
        QVERIFY(makeLink(f.entry(u"lost"_s), f.path(u"nowhere"_s)));
        const QStringList hubBefore = treeSnapshot(f.hub);
        LogCapture log;
        QCOMPARE(ImportTask::start(*f.workspace, {{f.listed(u"lost"_s), f.app->id()}}), nullptr);
        QCOMPARE(log.lines(), QStringList());
        QCOMPARE(FileSystem::linkDestinationText(f.entry(u"lost"_s)).value(), f.path(u"nowhere"_s));
        QCOMPARE(treeSnapshot(f.hub), hubBefore);
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
        LinkerFixture f;
        QVERIFY(writeFile(f.entry(u"deploy/SKILL.md"_s), "local") && makeFolder(f.hub + u"/other"_s));
        QString item = u"deploy"_s;
        if (situation == u"hub file"_s) {
            QVERIFY(writeFile(f.hub + u"/deploy"_s, "hub file"));
        } else if (situation == u"hub folder"_s) {
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
        QVERIFY(!f.linker.importer.importSkill(f.listed(item), *f.app));
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
        LinkerFixture f;
        if (::stat("/dev/shm", &shm) != 0 || ::stat(QFile::encodeName(f.hub).constData(), &here) != 0 ||
            shm.st_dev == here.st_dev)
            QSKIP("/dev/shm is not another file system here");
        QTemporaryDir other(u"/dev/shm/quorvane-import-XXXXXX"_s);
        if (!other.isValid())
            QSKIP("/dev/shm cannot be written here");
        auto* app = new TargetApp(u"Shm"_s, other.path(), u"folder"_s,
                                  SecurityScopedBookmarkManager::createBookmark(other.path()));
        f.context->insert(app);

        QVERIFY(makeFolder(other.filePath(u"good/scripts"_s)));
        QVERIFY(writeFile(other.filePath(u"good/SKILL.md"_s), "# Good"));
        QVERIFY(makeLink(other.filePath(u"good/readme"_s), u"SKILL.md"_s));
        const QStringList good = treeSnapshot(other.filePath(u"good"_s));
        QVERIFY(f.linker.importer.importSkill(f.listed(u"good"_s, app), *app));
        QCOMPARE(treeSnapshot(f.hub + u"/good"_s), good);
        QCOMPARE(FileSystem::linkDestinationText(other.filePath(u"good"_s)).value(), f.hub + u"/good"_s);

        // A pipe cannot be copied: the copy fails part way and is cleaned up.
        QVERIFY(writeFile(other.filePath(u"bad/SKILL.md"_s), "# Bad"));
        QVERIFY(::mkfifo(QFile::encodeName(other.filePath(u"bad/pipe"_s)).constData(), 0600) == 0);
        const QStringList hubBefore = treeSnapshot(f.hub);
        const QStringList sourceBefore = treeSnapshot(other.filePath(u"bad"_s));
        LogCapture log;
        QVERIFY(!f.linker.importer.importSkill(f.listed(u"bad"_s, app), *app));
        QCOMPARE(log.lines().size(), 1);
        QCOMPARE(treeSnapshot(f.hub), hubBefore);
        QCOMPARE(treeSnapshot(other.filePath(u"bad"_s)), sourceBefore);
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
        LinkerFixture f;
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
        QCOMPARE(f.linker.importer.repairLink(f.listed(u"deploy"_s), *f.app), repaired);
        QCOMPARE(f.records(), repaired ? 1 : 0);
        if (repaired)
            QCOMPARE(FileSystem::linkDestinationText(f.entry(u"deploy"_s)).value(), f.hub + u"/deploy"_s);
        else
            QCOMPARE(treeSnapshot(f.folder), before);
        QCOMPARE(log.lines(), QStringList());
    }

    // An install goes into the hub as one visible folder, and only into a hub that is there.
    void installRefusesNamesThatAreNotOneVisibleFolder()
    {
        LinkerFixture f;
        for (const QString& name :
             {u"../x"_s, u".."_s, u"."_s, u"a/b"_s, QString(), u".hidden"_s, u"a\u0007"_s})
            QVERIFY2(!f.linker.installer.planSkillInstall(name), qPrintable(name));
        QVERIFY(f.linker.installer.planSkillInstall(u"x"_s));
        QVERIFY(f.workspace->hubSettings().setHub(f.path(u"no hub"_s), std::nullopt).ok());
        QVERIFY(!f.linker.installer.planSkillInstall(u"x"_s));
        QVERIFY(!QFileInfo::exists(f.path(u"no hub"_s)));
    }

    // What stands in the hub before, what was recorded of it, and what the install does.
    void placesAWholeFolderAndNeverHalfOfOne_data()
    {
        QTest::addColumn<QString>("before"); // "": nothing; "installed"; "edited"; "foreign"
        QTest::addColumn<bool>("consent");
        QTest::addColumn<QStringList>("changesHere"); // of a refusal
        QTest::addColumn<bool>("placed");
        QTest::newRow("new folder") << QString() << false << QStringList() << true;
        QTest::newRow("as installed") << u"installed"_s << false << QStringList() << true;
        QTest::newRow("edited here") << u"edited"_s << false << QStringList{u"SKILL.md"_s, u"notes.txt"_s}
                                     << false;
        QTest::newRow("edited here, replaced with consent") << u"edited"_s << true << QStringList() << true;
        QTest::newRow("of unknown origin")
            << u"foreign"_s << false << QStringList{u"SKILL.md"_s, u"old.txt"_s} << false;
    }
    void placesAWholeFolderAndNeverHalfOfOne()
    {
        QFETCH(QString, before);
        QFETCH(bool, consent);
        QFETCH(QStringList, changesHere);
        QFETCH(bool, placed);
        LinkerFixture f;
        const QString folder = f.hub + u"/pdf"_s;
        const QList<ContentFile> old = {{u"SKILL.md"_s, "old", false}, {u"old.txt"_s, "gone after", false}};
        if (!before.isEmpty()) {
            QVERIFY(FolderContent::write(folder, old));
            if (before != u"foreign"_s) {
                const FolderDigest digest = FolderContent::digest(old);
                f.context->insert(new SkillProvenanceRecord({.itemName = u"pdf"_s,
                                                             .source = u"o/r"_s,
                                                             .repository = u"o/r"_s,
                                                             .ref = u"HEAD"_s,
                                                             .path = u"pdf"_s,
                                                             .treeSha = u"t1"_s,
                                                             .contentHash = digest.contentHash,
                                                             .files = digest.files}));
                QVERIFY(f.context->save());
            }
            if (before == u"edited"_s) {
                QVERIFY(writeFile(folder + u"/SKILL.md"_s, "mine"));
                QVERIFY(writeFile(folder + u"/notes.txt"_s, "mine too"));
            }
        }
        const QStringList hubBefore = treeSnapshot(f.hub);
        const QList<ContentFile> files = {{u"SKILL.md"_s, "# PDF", false},
                                          {u"scripts/run.sh"_s, "#!/bin/sh\n", true},
                                          {u"assets/logo.bin"_s, QByteArray("\0\xff\x01", 3), false}};

        const auto plan = f.linker.installer.planSkillInstall(u"pdf"_s);
        QVERIFY(plan);
        const auto result = HubInstaller::placeSkillFolder(plan->target, files, consent);
        QCOMPARE(bool(result), placed);
        QCOMPARE(entryNames(f.hub).filter(u".quorvane"_s), QStringList());
        if (!placed) {
            QCOMPARE(result.error().changesHere.value().files, changesHere);
            QCOMPARE(result.error().changesHere->unknownOrigin, before == u"foreign"_s);
            QCOMPARE(treeSnapshot(f.hub), hubBefore);
            return;
        }
        // Byte for byte, and only the script may be run; nothing of the old folder is left.
        for (const ContentFile& file : files) {
            QCOMPARE(readFile(folder + u'/' + file.relativePath), file.bytes);
            QCOMPARE(QFileInfo(folder + u'/' + file.relativePath).permissions().testFlag(QFile::ExeOwner),
                     file.executable);
        }
        QVERIFY(!QFileInfo::exists(folder + u"/old.txt"_s));
        QCOMPARE(result->contentHash, FolderContent::digestOf(folder).value().contentHash);
    }

    // What stands in the app's folder as "b" before linking everything: the plan lists each
    // step first; with a conflict nothing changes unless it is skipped; unlinking everything
    // afterwards takes away exactly what was placed.
    void bulkChangesArePlannedFirst_data()
    {
        QTest::addColumn<QString>("inTheWay"); // "", "file", "foreign link", "old link", "folder is a file"
        QTest::addColumn<QStringList>("plan");
        QTest::newRow("nothing") << QString() << QStringList{u"create a"_s, u"create b"_s};
        QTest::newRow("a real file") << u"file"_s
                                     << QStringList{u"create a"_s, u"conflict b: foreign-file"_s};
        QTest::newRow("a foreign link")
            << u"foreign link"_s << QStringList{u"create a"_s, u"conflict b: foreign-link /elsewhere"_s};
        QTest::newRow("a link Quorvane made to an old hub")
            << u"old link"_s << QStringList{u"create a"_s, u"replace b"_s};
        QTest::newRow("a folder that cannot be read")
            << u"folder is a file"_s << QStringList{u"conflict Codex: folder-unreadable"_s};
    }
    void bulkChangesArePlannedFirst()
    {
        QFETCH(QString, inTheWay);
        QFETCH(QStringList, plan);
        LinkerFixture f;
        QVERIFY(makeFolder(f.hub + u"/a"_s) && makeFolder(f.hub + u"/b"_s));
        HubActions(*f.workspace).rescan();
        if (inTheWay == u"file"_s)
            QVERIFY(writeFile(f.entry(u"b"_s), "mine"));
        if (inTheWay == u"foreign link"_s)
            QVERIFY(makeLink(f.entry(u"b"_s), u"/elsewhere"_s));
        if (inTheWay == u"old link"_s) {
            QVERIFY(makeLink(f.entry(u"b"_s), u"/old/hub/b"_s));
            QVERIFY(LinkRecords(*f.context).upsert(f.app->id(), u"b"_s));
        }
        if (inTheWay == u"folder is a file"_s) {
            QVERIFY(QDir(f.folder).removeRecursively() && writeFile(f.folder, "not a folder"));
        }
        PlanRunner& runner = f.linker.runner;
        const auto planned = f.linker.planner.planLinkAll(*f.app);
        QVERIFY(planned);
        QCOMPARE(steps(*planned), plan);

        const QStringList before = treeSnapshot(f.dir.path());
        QCOMPARE(runner.carryOut(*planned, false).refused, !planned->conflicts.isEmpty());
        if (!planned->conflicts.isEmpty())
            QCOMPARE(treeSnapshot(f.dir.path()), before);
        runner.carryOut(*planned, true);
        QCOMPARE(f.isLinked(u"a"_s), inTheWay != u"folder is a file"_s);
        QCOMPARE(f.isLinked(u"b"_s), inTheWay.isEmpty() || inTheWay == u"old link"_s);
        QCOMPARE(f.records(), int(planned->actions.size()));

        const auto unlinking = f.linker.planner.planUnlinkAll(*f.app);
        QCOMPARE(unlinking->actions.size(), planned->actions.size());
        // An entry gone before its removal runs fails it, and its record stays as it was.
        const bool aGone = f.isLinked(u"a"_s) && QFile::remove(f.entry(u"a"_s));
        const PlanOutcome unlinked = runner.carryOut(*unlinking, true);
        QCOMPARE(unlinked.failures.size(), aGone ? 1 : 0);
        QVERIFY(!f.isLinked(u"a"_s) && !f.isLinked(u"b"_s));
        QCOMPARE(f.records(), aGone ? 1 : 0);
        if (inTheWay == u"file"_s)
            QCOMPARE(readFile(f.entry(u"b"_s)), QByteArray("mine"));
        if (inTheWay == u"foreign link"_s)
            QCOMPARE(FileSystem::linkDestinationText(f.entry(u"b"_s)).value(), u"/elsewhere"_s);
    }

    // A restore is planned a slice of apps at a time: every app in its order, whatever
    // slice it falls into.
    void restoreIsPlannedAppBySlice()
    {
        WorkspaceFixture f;
        const QString hub = f.makeHub();
        constexpr int itemsPerApp = 300; // two apps fill a slice
        for (int i = 0; i < itemsPerApp; ++i)
            QVERIFY(makeFolder(hub + u"/item-%1"_s.arg(i)));
        QList<TargetApp*> apps;
        for (const QString& name : {u"D"_s, u"B"_s, u"A"_s, u"C"_s}) {
            apps.append(f.makeApp(name));
            for (int i = 0; i < itemsPerApp; ++i)
                f.context->insert(new SkillLinkRecord(apps.last()->id(), u"item-%1"_s.arg(i)));
        }
        QVERIFY(f.context->save());
        RestorePlanning planning(*f.workspace, f.workspace->linker().planner.recordedPlacements(),
                                 f.workspace->hubSettings().location(), nullptr);
        QSignalSpy finished(&planning, &RestorePlanning::finished);
        QVERIFY(finished.wait());
        QStringList planned;
        for (const PlacementPlan& plan : planning.takePlans()) {
            QCOMPARE(plan.actions.size(), itemsPerApp);
            planned.append(f.workspace->app(plan.appID)->name());
        }
        QCOMPARE(planned, (QStringList{u"A"_s, u"B"_s, u"C"_s, u"D"_s}));
    }

    void restoresWhatIsMissingAndTouchesNothingElse()
    {
        LinkerFixture f;
        const QString& hub = f.hub;
        const QString& folder = f.folder;
        const TargetApp* app = f.app;
        for (const QString& item : {u"missing-link"_s, u"present"_s, u"taken"_s, u"dangling"_s, u"twice"_s})
            QVERIFY(makeFolder(hub + u"/"_s + item));
        QVERIFY(makeLink(folder + u"/present"_s, hub + u"/present"_s));
        QVERIFY(writeFile(folder + u"/taken"_s, "the user's own file"));
        QVERIFY(makeLink(folder + u"/dangling"_s, f.path(u"nowhere"_s)));
        // A second app's plan is carried out with the first, and recorded with it.
        const TargetApp* other = f.makeApp(u"Other"_s);

        const QUuid deletedApp = QUuid::createUuid();
        for (const auto& [appID, name] : QList<std::pair<QUuid, QString>>{{app->id(), u"missing-link"_s},
                                                                          {app->id(), u"present"_s},
                                                                          {app->id(), u"taken"_s},
                                                                          {app->id(), u"dangling"_s},
                                                                          {app->id(), u"not-in-hub"_s},
                                                                          {app->id(), u"twice"_s},
                                                                          {app->id(), u"twice"_s},
                                                                          {deletedApp, u"present"_s},
                                                                          {other->id(), u"present"_s}})
            f.context->insert(new SkillLinkRecord(appID, name));
        QVERIFY(f.context->save());
        const QStringList hubBefore = treeSnapshot(hub);

        // A recorded link that leads elsewhere now is made anew; what took the place of one
        // is a conflict, left alone.
        const PlanOutcome summary = restoreAll(f.linker);
        QCOMPARE(summary.done, 4);
        QCOMPARE(summary.skipped, 1);
        QVERIFY2(summary.failures.isEmpty(), qPrintable(Problem::logText(summary.failures)));
        QCOMPARE(FileSystem::linkDestinationText(other->folderPath() + u"/present"_s).value(),
                 hub + u"/present"_s);

        QCOMPARE(FileSystem::linkDestinationText(folder + u"/missing-link"_s).value(),
                 hub + u"/missing-link"_s);
        QCOMPARE(FileSystem::linkDestinationText(folder + u"/twice"_s).value(), hub + u"/twice"_s);
        QCOMPARE(readFile(folder + u"/taken"_s), QByteArray("the user's own file"));
        QCOMPARE(FileSystem::linkDestinationText(folder + u"/dangling"_s).value(), hub + u"/dangling"_s);
        QVERIFY(!QFileInfo::exists(folder + u"/not-in-hub"_s));
        QCOMPARE(treeSnapshot(hub), hubBefore);
        QCOMPARE(f.records(), 9); // records are never added or dropped by a restore
        QCOMPARE(f.platform.scopes.openCount(), 0);
    }

    // A plan stopped halfway stops between two entries: each one made is whole.
    void aStoppedPlanMakesNoMoreEntries()
    {
        LinkerFixture f;
        for (const QString& name : {u"a"_s, u"b"_s, u"c"_s}) {
            QVERIFY(makeFolder(f.hub + u"/"_s + name));
            f.context->insert(new SkillLinkRecord(f.app->id(), name));
        }
        const std::vector<PlacementPlan> plans = f.linker.planner.planRestoreAll();
        QCOMPARE(plans.size(), size_t(1));
        QCOMPARE(plans.front().actions.size(), 3);
        std::atomic<bool> stop = false;
        PlanOutcome outcome;
        PlanRunner::performPlan(
            plans.front().actions, f.linker.links.placements().link, stop,
            [&](qsizetype done) { stop = done == 1; }, outcome);
        QCOMPARE(outcome.done, 1);
        QCOMPARE(entryNames(f.folder), QStringList{u"a"_s});
        QVERIFY(f.isLinked(u"a"_s));
    }

    // A copy follows the hub item it was made of, and what was changed in the app's folder
    // is never overwritten or removed without consent.
    void copiesFollowTheHubAndKeepChangesHere_data()
    {
        QTest::addColumn<QString>("edited"); // where the skill is edited after copying
        QTest::addColumn<TargetItemState>("state");
        QTest::addColumn<QStringList>("sync");
        QTest::addColumn<QStringList>("unlink");
        QTest::newRow("as copied") << QString() << TargetItemState::copyCurrent << QStringList()
                                   << QStringList{u"remove a"_s};
        QTest::newRow("changed in the hub") << u"hub"_s << TargetItemState::copyOutdated
                                            << QStringList{u"replace a"_s} << QStringList{u"remove a"_s};
        QTest::newRow("changed here")
            << u"here"_s << TargetItemState::copyModified << QStringList{u"conflict a: changed-copy"_s}
            << QStringList{u"conflict a: changed-copy"_s};
    }
    void copiesFollowTheHubAndKeepChangesHere()
    {
        QFETCH(QString, edited);
        QFETCH(TargetItemState, state);
        QFETCH(QStringList, sync);
        QFETCH(QStringList, unlink);
        LinkerFixture f;
        f.app->setPlacement(PlacementKind::copy);
        QVERIFY(makeFolder(f.hub + u"/a/scripts"_s) && writeFile(f.hub + u"/a/SKILL.md"_s, "# A"));
        QVERIFY(writeFile(f.hub + u"/a/scripts/run.sh"_s, "echo a"));
        HubActions(*f.workspace).rescan();
        PlanRunner& runner = f.linker.runner;

        const auto linking = f.linker.planner.planLinkAll(*f.app);
        QCOMPARE(steps(*linking), QStringList{u"copy a"_s});
        QCOMPARE(runner.carryOut(*linking, false).done, 1);
        QVERIFY(!FileSystem::isSymbolicLink(f.entry(u"a"_s)));
        QCOMPARE(treeSnapshot(f.entry(u"a"_s)), treeSnapshot(f.hub + u"/a"_s));
        QCOMPARE(entryNames(f.folder), QStringList{u"a"_s}); // no staging copy is left
        QCOMPARE(f.listed(u"a"_s).state, TargetItemState::copyCurrent);

        if (edited == u"hub"_s)
            QVERIFY(writeFile(f.hub + u"/a/scripts/run.sh"_s, "echo new"));
        if (edited == u"here"_s)
            QVERIFY(writeFile(f.entry(u"a"_s) + u"/notes.md"_s, "mine"));
        QCOMPARE(f.listed(u"a"_s).state, state);
        QCOMPARE(steps(*f.linker.planner.planLinkAll(*f.app)), sync); // linking again is syncing
        QCOMPARE(steps(*f.linker.planner.planSync(*f.app)), sync);
        QCOMPARE(steps(*f.linker.planner.planUnlinkAll(*f.app)), unlink);

        const QStringList before = treeSnapshot(f.entry(u"a"_s));
        auto syncing = f.linker.planner.planSync(*f.app);
        QCOMPARE(runner.carryOut(*syncing, false).refused, edited == u"here"_s);
        runner.carryOut(*syncing, true);
        if (edited == u"here"_s) {
            QCOMPARE(treeSnapshot(f.entry(u"a"_s)), before);
            QCOMPARE(
                f.linker.links.toggleLink(f.workspace->hubCatalog().itemNamed(u"a"_s).value(), *f.app, false)
                    .result,
                LinkToggleResult::refused);
            syncing->consentToChangesHere();
            QCOMPARE(steps(*syncing), QStringList{u"replace a"_s});
            QCOMPARE(runner.carryOut(*syncing, false).done, 1);
        }
        QCOMPARE(treeSnapshot(f.entry(u"a"_s)), treeSnapshot(f.hub + u"/a"_s));
        QCOMPARE(f.listed(u"a"_s).state, TargetItemState::copyCurrent);

        auto unlinking = f.linker.planner.planUnlinkAll(*f.app);
        QCOMPARE(runner.carryOut(*unlinking, false).done, 1);
        QCOMPARE(entryNames(f.folder), QStringList());
        QCOMPARE(f.records(), 0);
    }

    // A hub item that is a link to a folder elsewhere is copied as what it leads to.
    void aLinkedHubItemIsCopiedAsItsContent()
    {
        LinkerFixture f;
        f.app->setPlacement(PlacementKind::copy);
        QVERIFY(writeFile(f.path(u"elsewhere/tool/SKILL.md"_s), "# T"));
        QVERIFY(makeLink(f.hub + u"/tool"_s, f.path(u"elsewhere/tool"_s)));
        PlanRunner& runner = f.linker.runner;
        QCOMPARE(runner.carryOut(*f.linker.planner.planLinkAll(*f.app), false).done, 1);
        QVERIFY(!FileSystem::isSymbolicLink(f.entry(u"tool"_s)));
        QCOMPARE(readFile(f.entry(u"tool/SKILL.md"_s)), QByteArray("# T"));
        QCOMPARE(f.listed(u"tool"_s).state, TargetItemState::copyCurrent);
    }

    // Switching an app's mode converts what Quorvane placed, planned like every bulk change:
    // with a conflict nothing changes, the mode included.
    void switchingModesConvertsThePlacements_data()
    {
        QTest::addColumn<PlacementKind>("from");
        QTest::newRow("links to copies") << PlacementKind::link;
        QTest::newRow("copies to links") << PlacementKind::copy;
    }
    void switchingModesConvertsThePlacements()
    {
        QFETCH(PlacementKind, from);
        const PlacementKind to = from == PlacementKind::link ? PlacementKind::copy : PlacementKind::link;
        LinkerFixture f;
        f.app->setPlacement(from);
        for (const QString& name : {u"a"_s, u"b"_s, u"c"_s})
            QVERIFY(writeFile(f.hub + u"/"_s + name, name.toUtf8()));
        HubActions(*f.workspace).rescan();
        PlanRunner& runner = f.linker.runner;
        QCOMPARE(runner.carryOut(*f.linker.planner.planLinkAll(*f.app), false).done, 3);
        // In the middle, something Quorvane did not place: the user's own file, or a copy changed here.
        if (from == PlacementKind::link) {
            QVERIFY(FileSystem::remove(f.entry(u"b"_s)) && writeFile(f.entry(u"b"_s), "mine"));
        } else {
            QVERIFY(writeFile(f.entry(u"b"_s), "changed here"));
        }
        const QStringList before = treeSnapshot(f.dir.path());

        auto switching = f.linker.planner.planSwitch(*f.app, to);
        QCOMPARE(switching->actions.size(), 2);
        QCOMPARE(switching->conflicts.size(), 1);
        QVERIFY(runner.carryOut(*switching, false).refused);
        QCOMPARE(treeSnapshot(f.dir.path()), before);
        QCOMPARE(f.app->placement(), from);

        QCOMPARE(runner.carryOut(*switching, true).done, 2);
        QCOMPARE(f.app->placement(), to);
        // The mode is saved with the records, as another process reads it.
        const auto reopened = ModelContext::open(f.context->store().filePath());
        QCOMPARE(reopened.value()->fetch<TargetApp>().value().first()->placement(), to);
        const TargetItemState converted =
            to == PlacementKind::copy ? TargetItemState::copyCurrent : TargetItemState::linked;
        QCOMPARE(f.listed(u"a"_s).state, converted);
        QCOMPARE(f.listed(u"c"_s).state, converted);
        QVERIFY(f.listed(u"b"_s).state != converted);
    }

    // A record from an edited backup must not reach outside the two folders.
    // Each entry that keeps its skill from the assistant has its remedies, each a plan that
    // ends with the entry fit again, and nothing of the user's lost: it goes to the trash.
    void remediesMendAnEntry_data()
    {
        QTest::addColumn<QString>("entry"); // how "deploy" stands in the app's folder
        QTest::addColumn<EntryRemedy>("remedy");
        QTest::addColumn<QString>("after"); // its state after, or "gone"
        QTest::newRow("repairable link repaired")
            << u"repairable"_s << EntryRemedy::repairLink << u"linked"_s;
        QTest::newRow("repairable link to the trash")
            << u"repairable"_s << EntryRemedy::moveToTrash << u"gone"_s;
        QTest::newRow("broken link to the trash") << u"broken"_s << EntryRemedy::moveToTrash << u"gone"_s;
        QTest::newRow("changed copy into the hub")
            << u"modified"_s << EntryRemedy::takeIntoHub << u"copied"_s;
        QTest::newRow("changed copy from the hub")
            << u"modified"_s << EntryRemedy::replaceFromHub << u"copied"_s;
        QTest::newRow("outdated copy from the hub")
            << u"outdated"_s << EntryRemedy::replaceFromHub << u"copied"_s;
    }
    void remediesMendAnEntry()
    {
        QFETCH(QString, entry);
        QFETCH(EntryRemedy, remedy);
        QFETCH(QString, after);
        LinkingFixture f;
        const QString place = f.entry(u"deploy"_s);
        const QString hubItem = f.hub + u"/deploy"_s;
        const QString trash = f.path(u"data/Trash/files"_s);
        if (entry == u"repairable"_s || entry == u"broken"_s) {
            QVERIFY(makeLink(place, f.path(u"elsewhere/deploy"_s)));
            if (entry == u"broken"_s)
                QVERIFY(FileSystem::remove(hubItem));
        } else {
            f.app->setPlacement(PlacementKind::copy);
            QVERIFY(f.context->save());
            QCOMPARE(f.linker.links.toggleLink(f.hubSkill(u"deploy"_s), *f.app, true).result,
                     LinkToggleResult::changed);
            QVERIFY(writeFile(entry == u"modified"_s ? place + u"/SKILL.md"_s : hubItem + u"/SKILL.md"_s,
                              "# Later"));
        }
        const QByteArray hubBefore = readFile(hubItem + u"/SKILL.md"_s);
        const TargetItemState state = f.listed(u"deploy"_s).state;
        QVERIFY(PlacementPlanner::remediesFor(state).contains(remedy));

        auto plan = f.linker.planner.planRemedy(*f.app, u"deploy"_s, remedy);
        QVERIFY(plan);
        const bool needsConsent = entry == u"modified"_s && remedy == EntryRemedy::replaceFromHub;
        QCOMPARE(plan->changesHere(), needsConsent ? 1 : 0);
        QCOMPARE(f.linker.runner.carryOut(*plan, false).refused, needsConsent); // never without consent
        if (needsConsent) {
            plan->consentToChangesHere();
            QVERIFY(f.linker.runner.carryOut(*plan, false).failures.isEmpty());
        }
        if (after == u"gone"_s) {
            QVERIFY(!FileSystem::isSymbolicLink(place));
            QVERIFY(FileSystem::isSymbolicLink(trash + u"/deploy"_s)); // it can be had back
            return;
        }
        QCOMPARE(f.listed(u"deploy"_s).state,
                 after == u"linked"_s ? TargetItemState::linked : TargetItemState::copyCurrent);
        QCOMPARE(f.context->records<SkillLinkRecord>().size(), 1);
        if (remedy == EntryRemedy::takeIntoHub) {
            QCOMPARE(readFile(hubItem + u"/SKILL.md"_s), QByteArray("# Later"));
            QCOMPARE(readFile(trash + u"/deploy/SKILL.md"_s), hubBefore); // the hub's version kept there
        } else if (remedy == EntryRemedy::replaceFromHub) {
            QCOMPARE(readFile(place + u"/SKILL.md"_s), hubBefore);
        }
    }

    // A record of each hostile name: none of them leads anywhere.
    void hostileNamesCreateNothing()
    {
        LinkerFixture f;
        // Items a careless join would find: "outside" beside the hub, "a/b" in it.
        QVERIFY(makeFolder(f.path(u"outside"_s)) && makeFolder(f.path(u"apps/outside-target"_s)));
        QVERIFY(makeFolder(f.hub + u"/a/b"_s));
        const QStringList names{u".."_s,  u"."_s,        u""_s,     u"../outside"_s,
                                u"a/b"_s, u"a\u0000b"_s, u"a\nb"_s, u"a\u001bb"_s};
        for (const QString& name : names)
            f.context->insert(new SkillLinkRecord(f.app->id(), name));
        QVERIFY(f.context->save());
        const QStringList before = treeSnapshot(f.dir.path());

        const std::vector<PlacementPlan> plans = f.linker.planner.planRestoreAll();
        QCOMPARE(plans.size(), size_t(1));
        QCOMPARE(plans.front().actions.size(), 0);
        QCOMPARE(plans.front().conflicts.size(), names.size());
        for (const PlanConflict& conflict : plans.front().conflicts)
            QCOMPARE(conflict.kind, PlanConflict::Kind::invalidName);
        QCOMPARE(restoreAll(f.linker).done, 0);
        QCOMPARE(treeSnapshot(f.dir.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestLinker)
#include "tst_linker.moc"
