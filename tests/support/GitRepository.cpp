#include "support/GitRepository.h"

#include "support/TestFiles.h"

#include <QFile>
#include <QProcess>

using namespace Qt::StringLiterals;

GitRepository::GitRepository()
{
    TestFiles::makeFolder(m_dir.filePath(u"work"_s));
    TestFiles::makeFolder(m_dir.filePath(u"home"_s));
    git({u"init"_s, u"-q"_s, u"-b"_s, u"main"_s, u"."_s});
    git({u"init"_s, u"-q"_s, u"--bare"_s, u"-b"_s, u"main"_s, barePath()});
}

QString GitRepository::git(const QStringList& arguments) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, m_dir.filePath(u"home"_s));
    environment.insert(u"GIT_CONFIG_NOSYSTEM"_s, u"1"_s);
    for (const QString& who : {u"AUTHOR"_s, u"COMMITTER"_s}) {
        environment.insert(u"GIT_%1_NAME"_s.arg(who), u"Team"_s);
        environment.insert(u"GIT_%1_EMAIL"_s.arg(who), u"team@example.com"_s);
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_dir.filePath(u"work"_s));
    process.start(u"git"_s, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        qWarning("git %s: %s", qPrintable(arguments.join(u' ')), process.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString GitRepository::commit(const QList<std::pair<QString, QByteArray>>& files, bool replacingHistory)
{
    for (auto [path, bytes] : files) {
        const bool executable = path.startsWith(u'!');
        if (executable)
            path.remove(0, 1);
        const QString file = m_dir.filePath(u"work/"_s + path);
        TestFiles::makeFolder(file.left(file.lastIndexOf(u'/')));
        TestFiles::writeFile(file, bytes);
        if (executable)
            QFile::setPermissions(file, QFile::permissions(file) | QFile::ExeOwner);
    }
    git({u"add"_s, u"-A"_s});
    git(replacingHistory ? QStringList{u"commit"_s, u"-q"_s, u"--amend"_s, u"-m"_s, u"rewritten"_s}
                         : QStringList{u"commit"_s, u"-q"_s, u"-m"_s, u"skills"_s});
    git({u"push"_s, u"-q"_s, u"-f"_s, barePath(), u"main"_s});
    return git({u"rev-parse"_s, u"HEAD"_s});
}
