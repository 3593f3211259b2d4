#pragma once

#include "FileLinkerService.h"
#include "PlatformServices.h"
#include "SecurityScopedBookmarkManager.h"
#include "SecurityScopes.h"
#include "TestPlatform.h"
#include "UserEnvironment.h"

// The services the program uses on Linux where they cost something (scopes, the home
// folder), and the tests' scripted doubles where a person would answer.
struct BenchmarkPlatform
{
    UnrestrictedSecurityScopes scopes;
    SystemUserEnvironment user;
    TestPlatform scripted; // its panels, alerts, preferences, reveal and clipboard

    PlatformServices services()
    {
        return {scopes,
                user,
                scripted.preferences,
                scripted.panels,
                scripted.alerts,
                scripted.reveal,
                scripted.clipboard};
    }
};

// Gives the linker the hub with its bookmark, as choosing it in the panel does.
inline void useHub(FileLinkerService& linker, const QString& hubPath)
{
    linker.setCentralRepositoryPath(hubPath);
    linker.setCentralBookmarkData(SecurityScopedBookmarkManager::createBookmark(hubPath));
}
