#pragma once

#include "FileLinkerService.h"
#include "HubScanner.h"
#include "ModelContext.h"
#include "SecurityScopedBookmarkManager.h"
#include "TargetApp.h"
#include "TestFiles.h"
#include "TestPlatform.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// A linker on scripted platform services, a store file and a home folder in a fresh
// temporary folder.
struct LinkerFixture
{
    QTemporaryDir dir;
    TestPlatform platform;
    std::unique_ptr<ModelContext> context;
    std::unique_ptr<FileLinkerService> linker;

    LinkerFixture()
    {
        platform.user.home = path(QStringLiteral("home"));
        TestFiles::makeFolder(platform.user.home);
        reopenStore();
        linker = std::make_unique<FileLinkerService>(platform.services());
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString storePath() const { return path(QStringLiteral("store.sqlite")); }

    // Drops the context (and the linker's hold on it) and opens the store file again.
    void reopenStore()
    {
        if (linker)
            linker->setModelContext(nullptr);
        context.reset();
        auto opened = ModelContext::open(storePath());
        if (opened)
            context = std::move(opened).value();
    }

    // A hub folder with a bookmark, installed in the linker as a chosen hub would be.
    QString makeHub(const QString& name = QStringLiteral("Hub"))
    {
        const QString hub = path(name);
        TestFiles::makeFolder(hub);
        linker->setCentralRepositoryPath(hub);
        linker->setCentralBookmarkData(SecurityScopedBookmarkManager::createBookmark(hub));
        return hub;
    }

    // The linker works with the store from now on, as the window makes it.
    void useStore() { linker->setModelContext(context.get()); }

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

    // The skill the hub scan makes of a hub entry.
    Skill hubSkill(const QString& name) const
    {
        return HubScanner::makeSkill(linker->centralRepositoryPath() + QLatin1Char('/') + name);
    }
};
