#pragma once

#include "access/SecurityScopedBookmarkManager.h"
#include "actions/BackupImport.h"
#include "actions/HubActions.h"
#include "actions/LinkActions.h"
#include "actions/Workspace.h"
#include "linker/HubScanner.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

// A workspace on scripted platform services, with its store file and home folder in a
// fresh temporary folder.
struct WorkspaceFixture
{
    QTemporaryDir dir;
    TestPlatform platform;
    std::unique_ptr<ModelContext> context;
    std::unique_ptr<Workspace> workspace;

    WorkspaceFixture()
    {
        platform.user.home = path(QStringLiteral("home"));
        TestFiles::makeFolder(platform.user.home);
        // Deleted entries go to the trash in the user's data folder: this one's, not the real one.
        qputenv("XDG_DATA_HOME", QFile::encodeName(path(QStringLiteral("data"))));
        // Fetched folders are kept in this fixture's cache, not the user's.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(path(QStringLiteral("cache"))));
        TestFiles::makeFolder(path(QStringLiteral("data/Quorvane")));
        if (auto opened = ModelContext::open(storePath()))
            context = std::move(opened).value();
        workspace = std::make_unique<Workspace>(*context, platform.services());
    }
    ~WorkspaceFixture() { workspace.reset(); }

    QString path(const QString& name) const { return dir.filePath(name); }
    // Where the command-line tool finds it, run with this fixture's XDG_DATA_HOME.
    QString storePath() const { return path(QStringLiteral("data/Quorvane/quorvane.sqlite")); }

    // A hub folder chosen as the user would, and scanned.
    QString makeHub(const QString& name = QStringLiteral("Hub"))
    {
        const QString hub = path(name);
        TestFiles::makeFolder(hub);
        (void)HubActions(*workspace).chooseHub(hub);
        return hub;
    }

    // A saved target app whose folder (created unless told otherwise) has a bookmark.
    TargetApp* makeApp(const QString& name, bool createFolder = true)
    {
        const QString folder = path(QStringLiteral("apps/") + name);
        std::optional<QByteArray> bookmark;
        if (createFolder) {
            TestFiles::makeFolder(folder);
            bookmark = SecurityScopedBookmarkManager::createBookmark(folder);
        }
        auto* app = new TargetApp(name, folder, QStringLiteral("folder"), bookmark);
        context->insert(app);
        (void)context->save();
        return app;
    }

    // A backup imported as the user agrees to it, to its end.
    BackupImportOutcome importBackup(const QString& file)
    {
        auto* import = new BackupImport(*workspace, file, [](BackupImportPlan&) { return true; });
        QSignalSpy finished(import, &BackupImport::finished);
        import->start();
        if (!finished.wait(30000))
            return {};
        return finished.first().first().value<BackupImportOutcome>();
    }

    // Whether the hub's item was placed in the app as the user places it.
    bool place(const QString& item, TargetApp& app)
    {
        return LinkActions(*workspace).setLinked(hubSkill(item), app, true, false, {}).result ==
               LinkToggleResult::changed;
    }

    // The skill the hub scan makes of a hub entry.
    Skill hubSkill(const QString& name) const
    {
        return HubScanner::makeSkill(workspace->hubSettings().centralRepositoryPath() + QLatin1Char('/') +
                                     name);
    }
};
