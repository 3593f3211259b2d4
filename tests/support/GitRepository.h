#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A team's skills in git for tests: a working clone that commits and pushes, and the bare
// repository it pushes to, which a source reaches by path or file:// address. Git runs with a
// home of its own, so the developer's configuration plays no part.
class GitRepository
{
public:
    GitRepository();

    QString barePath() const { return m_dir.filePath(QStringLiteral("team.git")); }
    QString fileUrl() const { return QStringLiteral("file://") + barePath(); }

    // Writes the files (path, content; a leading "!" makes a file executable), commits and pushes:
    // the new commit. `replacingHistory` rewrites the last commit and force-pushes.
    QString commit(const QList<std::pair<QString, QByteArray>>& files, bool replacingHistory = false);
    // Runs git in the working clone; its output, or nothing when it fails.
    QString git(const QStringList& arguments) const;

private:
    QTemporaryDir m_dir;
};
