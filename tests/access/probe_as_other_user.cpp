// Usage: quorvane_probe_as_other_user FOLDER
// Answers whether FOLDER can be written, as a user without write access to it: as root,
// it first becomes "nobody", since root may write into read-only folders. Prints
// "writable=<answer>"; exits 77 when it cannot change its user.
#include "access/FolderAccess.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "support/TestPlatform.h"

#include <QCoreApplication>
#include <QTextStream>

#include <grp.h>
#include <unistd.h>

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
    const FolderAccess access(platform.scopes, platform.user);
    const auto writable = access.isWritable({SecurityScopedBookmarkManager::createBookmark(folder), folder});
    QTextStream(stdout) << "writable=" << (writable ? (*writable ? "yes" : "no") : "unreachable") << '\n';
    return 0;
}
