#include "AppSettings.h"
#include "LinkerFixture.h"
#include "LogCapture.h"
#include "StoreWriteLock.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

class TestFolderSelection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosingTheHubCanBeCancelled()
    {
        LinkerFixture f;
        f.useStore();
        const QString before = f.linker->centralRepositoryPath();
        f.platform.panels.answers = {std::nullopt};
        QSignalSpy scanned(f.linker.get(), &FileLinkerService::availableSkillsChanged);

        QVERIFY(!f.linker->chooseCentralHub());
        QCOMPARE(f.linker->centralRepositoryPath(), before);
        QCOMPARE(f.linker->centralBookmarkData(), std::nullopt);
        QCOMPARE(scanned.count(), 0);
        QVERIFY(f.context->records<AppSettings>().isEmpty());

        // The default hub does not exist: the panel starts at home, revealed first.
        QCOMPARE(f.platform.reveal.revealed, QStringList{f.platform.user.home});
        QCOMPARE(f.platform.panels.folderRequests.size(), 1);
        const FolderPanelRequest& request = f.platform.panels.folderRequests.first();
        QCOMPARE(request.title, u"Zentralen Hub auswählen"_s);
        QCOMPARE(request.prompt, u"Autorisieren"_s);
        QCOMPARE(request.message, QString());
        QVERIFY(request.canCreateFolders);
        QVERIFY(request.showsHiddenFiles);
        QCOMPARE(request.startFolder, f.platform.user.home);
    }

    void aChosenHubIsStoredAndScanned()
    {
        LinkerFixture f;
        f.useStore();
        const QString old = f.path(u"home/Old Hub"_s);
        QVERIFY(makeFolder(old));
        f.linker->setCentralRepositoryPath(u"~/Old Hub"_s);
        const QString chosen = f.path(u"home/Skills"_s);
        QVERIFY(makeFolder(chosen));
        QVERIFY(writeFile(chosen + u"/review.md"_s, "Review"));
        f.platform.panels.answers = {chosen};

        QVERIFY(f.linker->chooseCentralHub());
        QCOMPARE(f.platform.reveal.revealed, QStringList{old});
        QCOMPARE(f.platform.panels.folderRequests.first().startFolder, old);
        QCOMPARE(f.linker->centralRepositoryPath(), chosen); // the full path, never "~"
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(*f.linker->centralBookmarkData()), chosen);
        QCOMPARE(f.linker->availableSkills().size(), 1);

        f.reopenStore();
        auto settings = f.context->fetch<AppSettings>();
        QVERIFY(settings && settings->size() == 1);
        QCOMPARE(settings->first()->centralRepositoryPath(), chosen);
        QCOMPARE(settings->first()->centralBookmarkData(), f.linker->centralBookmarkData());
    }

    void aWritableFolderNeedsNoPanel()
    {
        LinkerFixture f;
        TargetApp* app = f.makeApp(u"Codex"_s);
        QVERIFY(f.linker->renewAccess(*app, *f.context));
        QVERIFY(f.platform.panels.folderRequests.isEmpty());
        QVERIFY(f.platform.reveal.revealed.isEmpty());
    }

    void renewingCanBeCancelled()
    {
        LinkerFixture f;
        TargetApp* app = f.makeApp(u"Codex"_s, false);
        const QString folderBefore = app->folderPath();
        f.platform.panels.answers = {std::nullopt};
        QVERIFY(!f.linker->renewAccess(*app, *f.context));
        QCOMPARE(app->folderPath(), folderBefore);
        QCOMPARE(app->bookmarkData(), std::nullopt);

        const FolderPanelRequest& request = f.platform.panels.folderRequests.first();
        QCOMPARE(request.title, u"Ordnerzugriff erneuern"_s);
        QCOMPARE(request.message, u"Bitte den Ordner für 'Codex' erneut auswählen."_s);
        QCOMPARE(request.prompt, u"Autorisieren"_s);
        QVERIFY(!request.canCreateFolders);
        QVERIFY(request.showsHiddenFiles);
        QCOMPARE(request.startFolder, f.platform.user.home);
        QCOMPARE(f.platform.reveal.revealed, QStringList{f.platform.user.home});
    }

    // The home folder is written as "~" only when the chosen folder is inside it.
    void renewedFoldersAreStored_data()
    {
        QTest::addColumn<QString>("chosen"); // HOME stands for the home folder
        QTest::addColumn<QString>("expected");
        QTest::newRow("inside home") << u"HOME/.codex/skills"_s << u"~/.codex/skills"_s;
        QTest::newRow("home itself") << u"HOME"_s << u"~"_s;
        QTest::newRow("sibling starting like home") << u"HOME-other/skills"_s << u"HOME-other/skills"_s;
        QTest::newRow("outside home") << u"ROOT/elsewhere"_s << u"ROOT/elsewhere"_s;
    }
    void renewedFoldersAreStored()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        LinkerFixture f;
        const auto expand = [&](QString path) {
            return path.replace(u"HOME"_s, f.platform.user.home).replace(u"ROOT"_s, f.dir.path());
        };
        chosen = expand(chosen);
        expected = expand(expected);
        QVERIFY(makeFolder(chosen));
        TargetApp* app = f.makeApp(u"Codex"_s, false);
        f.platform.panels.answers = {chosen};
        QSignalSpy changed(f.linker.get(), &FileLinkerService::stateChanged);

        QVERIFY(f.linker->renewAccess(*app, *f.context));
        QCOMPARE(app->folderPath(), expected);
        QCOMPARE(SecurityScopedBookmarkManager::resolveBookmark(*app->bookmarkData()), chosen);
        QVERIFY(!f.context->hasChanges());
        QCOMPARE(changed.count(), 1);
    }

    void aFailedSaveIsLogged()
    {
        LinkerFixture f;
        TargetApp* app = f.makeApp(u"Codex"_s, false);
        const QString chosen = f.path(u"chosen"_s);
        QVERIFY(makeFolder(chosen));
        f.platform.panels.answers = {chosen};
        f.context->store().setBusyTimeout(std::chrono::milliseconds(20));
        QSignalSpy changed(f.linker.get(), &FileLinkerService::stateChanged);
        LogCapture log;
        {
            const StoreWriteLock lock(f.storePath());
            QVERIFY(lock.isLocked());
            QVERIFY(!f.linker->renewAccess(*app, *f.context));
        }
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith(u"Failed to save renewed app access: "_s));
        QCOMPARE(changed.count(), 0);
        QVERIFY(f.context->hasChanges()); // the new values wait in the context
        QCOMPARE(app->folderPath(), chosen);
    }
};

QTEST_GUILESS_MAIN(TestFolderSelection)
#include "tst_folderselection.moc"
