#pragma once

#include "access/PlatformServices.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "access/SecurityScopes.h"
#include "access/UserEnvironment.h"
#include "actions/Workspace.h"
#include "benchmarks/BenchmarkData.h"
#include "model/ModelContext.h"
#include "support/TestDesktop.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPushButton>

#include <memory>

// A workspace on the services the program uses on Linux where they cost something
// (scopes, the home folder), the tests' doubles where a person would answer, and a
// store file of its own unless one is given.
struct BenchmarkWorkspace
{
    UnrestrictedSecurityScopes scopes;
    SystemUserEnvironment user;
    InMemoryLegacyPreferences preferences;
    TestDesktop desktop;
    std::unique_ptr<ModelContext> context;
    std::unique_ptr<Workspace> workspace;

    explicit BenchmarkWorkspace(const QString& storePath = {})
    {
        const QString path = storePath.isEmpty()
                                 ? BenchmarkData::newFolder(QStringLiteral("stores/%1").arg(++s_count)) +
                                       QStringLiteral("/store.sqlite")
                                 : storePath;
        auto opened = ModelContext::open(path);
        BenchmarkData::require(opened.ok(), path);
        context = std::move(opened).value();
        workspace = std::make_unique<Workspace>(*context, PlatformServices{scopes, user, preferences});
    }
    ~BenchmarkWorkspace() { workspace.reset(); }

    // Makes the folder the hub with its bookmark, as choosing it in the panel does.
    void useHub(const QString& hubPath)
    {
        BenchmarkData::require(workspace->hubSettings()
                                   .setHub(hubPath, SecurityScopedBookmarkManager::createBookmark(hubPath))
                                   .ok(),
                               hubPath);
    }

private:
    static inline int s_count = 0;
};

// Agrees to every plan the window shows (a backup import's links, say) as soon as its sheet
// is up, as a user who reads nothing would: the timed work is the program's, not the reading.
class PlanAgreement : public QObject
{
public:
    explicit PlanAgreement(QApplication& application) { application.installEventFilter(this); }

    // How many plan sheets were shown so far: a scenario that ends with one waits for it.
    static inline int shown = 0;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("planSheet")) {
            ++shown;
            if (auto* carryOut = watched->findChild<QPushButton*>(QStringLiteral("planCarryOut")))
                QMetaObject::invokeMethod(carryOut, &QPushButton::click, Qt::QueuedConnection);
        }
        return false;
    }
};
