#include "model/SkillLinkRecord.h"
#include "support/LogCapture.h"
#include "support/WorkspaceFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

class TestLinkRestore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void restoresWhatIsMissingAndTouchesNothingElse()
    {
        WorkspaceFixture f;
        const QString hub = f.makeHub();
        TargetApp* app = f.makeApp(u"Codex"_s);
        const QString folder = app->folderPath();
        for (const QString& item : {u"missing-link"_s, u"present"_s, u"taken"_s, u"dangling"_s, u"twice"_s})
            QVERIFY(makeFolder(hub + u"/"_s + item));
        QVERIFY(makeLink(folder + u"/present"_s, hub + u"/present"_s));
        QVERIFY(writeFile(folder + u"/taken"_s, "the user's own file"));
        QVERIFY(makeLink(folder + u"/dangling"_s, f.path(u"nowhere"_s)));

        const QUuid deletedApp = QUuid::createUuid();
        for (const auto& [appID, name] : QList<std::pair<QUuid, QString>>{{app->id(), u"missing-link"_s},
                                                                          {app->id(), u"present"_s},
                                                                          {app->id(), u"taken"_s},
                                                                          {app->id(), u"dangling"_s},
                                                                          {app->id(), u"not-in-hub"_s},
                                                                          {app->id(), u"twice"_s},
                                                                          {app->id(), u"twice"_s},
                                                                          {deletedApp, u"present"_s}})
            f.context->insert(new SkillLinkRecord(appID, name));
        QVERIFY(f.context->save());
        const QStringList hubBefore = treeSnapshot(hub);

        LogCapture log;
        const LinkRestoreSummary summary = f.workspace->linker().restoreRecordedLinks();
        QCOMPARE(summary.restored, 2);
        QCOMPARE(summary.failed, 1);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith(u"Failed to restore link for dangling: "_s));

        QCOMPARE(FileSystem::linkDestinationText(folder + u"/missing-link"_s).value(),
                 hub + u"/missing-link"_s);
        QCOMPARE(FileSystem::linkDestinationText(folder + u"/twice"_s).value(), hub + u"/twice"_s);
        QCOMPARE(readFile(folder + u"/taken"_s), QByteArray("the user's own file"));
        QCOMPARE(FileSystem::linkDestinationText(folder + u"/dangling"_s).value(), f.path(u"nowhere"_s));
        QVERIFY(!QFileInfo::exists(folder + u"/not-in-hub"_s));
        QCOMPARE(treeSnapshot(hub), hubBefore);
        QCOMPARE(f.context->records<SkillLinkRecord>().size(), 8); // records are never changed
        QCOMPARE(f.platform.scopes.openCount(), 0);
    }

    // A record from an edited backup must not reach outside the two folders.
    void hostileNamesCreateNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("dot-dot") << u".."_s;
        QTest::newRow("dot") << u"."_s;
        QTest::newRow("empty") << QString();
        QTest::newRow("climbing path") << u"../outside"_s;
        QTest::newRow("nested path") << u"a/b"_s;
        QTest::newRow("NUL") << u"a\u0000b"_s;
        QTest::newRow("line feed") << u"a\nb"_s;
        QTest::newRow("escape") << u"a\u001bb"_s;
    }
    void hostileNamesCreateNothing()
    {
        QFETCH(QString, name);
        WorkspaceFixture f;
        const QString hub = f.makeHub();
        TargetApp* app = f.makeApp(u"Codex"_s);
        // Items a careless join would find: "outside" beside the hub, "a/b" in it.
        QVERIFY(makeFolder(f.path(u"outside"_s)));
        QVERIFY(makeFolder(f.path(u"apps/outside-target"_s)));
        QVERIFY(makeFolder(hub + u"/a/b"_s));
        f.context->insert(new SkillLinkRecord(app->id(), name));
        QVERIFY(f.context->save());
        const QStringList before = treeSnapshot(f.dir.path());

        LogCapture log;
        const LinkRestoreSummary summary = f.workspace->linker().restoreRecordedLinks();
        QCOMPARE(summary.restored, 0);
        QCOMPARE(summary.failed, 1);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY2(log.lines().first().startsWith(u"Failed to restore link for "_s + name + u": "_s),
                 qPrintable(log.lines().first()));
        QCOMPARE(treeSnapshot(f.dir.path()).filter(u"->"_s), before.filter(u"->"_s));
    }

    void nothingToRestore()
    {
        WorkspaceFixture f;
        f.makeHub();
        LogCapture log;
        f.makeApp(u"Codex"_s);
        QCOMPARE(f.workspace->linker().restoreRecordedLinks().restored, 0);
        QCOMPARE(log.lines(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestLinkRestore)
#include "tst_linkrestore.moc"
