// Usage: quorvane_probe_as_other_user FOLDER
// Answers the three folder checks for FOLDER (as hub and as an app's folder) as a user
// without write access to it: as root, it first becomes "nobody", since root may write
// into read-only folders. Prints "hub=<answer> app=<answer>"; exits 77 when it cannot
// change its user.
#include "FileLinkerService.h"
#include "SecurityScopedBookmarkManager.h"
#include "TargetApp.h"
#include "TestPlatform.h"

#include <QCoreApplication>
#include <QTextStream>

#include <grp.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
QString answer(const std::optional<bool>& value)
{
    return value ? (*value ? u"yes"_s : u"no"_s) : u"unreachable"_s;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (::getuid() == 0) {
        constexpr uid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            return 77;
    }
    const QString folder = application.arguments().value(1);
    TestPlatform platform;
    FileLinkerService linker(platform.services());
    linker.setCentralRepositoryPath(folder);
    linker.setCentralBookmarkData(SecurityScopedBookmarkManager::createBookmark(folder));
    const TargetApp app(u"App"_s, folder, u"folder"_s, SecurityScopedBookmarkManager::createBookmark(folder));
    QTextStream(stdout) << "hub=" << answer(linker.isCentralHubWritable())
                        << " app=" << answer(linker.isTargetFolderWritable(app)) << '\n';
    return 0;
}
