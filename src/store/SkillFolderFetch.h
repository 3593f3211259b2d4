#pragma once

#include "access/FolderContent.h"
#include "store/GitHubTree.h"
#include "store/HttpClient.h"

#include <QObject>
#include <QStringList>

#include <optional>

class QNetworkAccessManager;

// Where a skill folder is fetched from.
struct SkillOrigin
{
    QString source;     // the source that found it, as the user knows it
    QString repository; // "owner/repository"
    QString ref;
    QString path; // the skill folder inside the repository ("" for its root)
};

// A skill folder as downloaded, not yet anywhere on disk.
struct FetchedSkill
{
    SkillOrigin origin;
    QString treeSha; // empty when no tree could be listed
    QString commit;  // the commit its files were fetched at; empty where GitHub did not say
    QList<ContentFile> files;
    QStringList skipped; // links and submodules of the folder, left out
    // Set when only the SKILL.md came because the folder could not be listed: why not.
    std::optional<Problem> incomplete;
    QDateTime committedAt = {}; // when that commit was made; invalid where it was not told
};

// The files of one skill folder in a repository tree, checked before anything is fetched.
struct SkillFolderPlan
{
    static constexpr int maximumFiles = 1000;
    static constexpr qint64 maximumBytes = 50 * 1024 * 1024;

    struct File
    {
        QString relativePath;
        QString blobSha;
        std::optional<qint64> size; // as listed
        bool executable = false;
    };
    QString folderSha;
    QList<File> files;
    QStringList skipped;
    qint64 totalBytes = 0;

    // Refuses, with the user's message, a folder that is missing, lacks a SKILL.md, is too
    // large, or holds a path that is absolute, has "." or ".." or an unusable component.
    static Result<SkillFolderPlan, Problem> make(const RepositoryTree& tree, const QString& folder);
};

// Fetches a skill's folder: one tree listing, then each file through the raw service, a
// few at a time, each checked against the SHA the tree lists. Where the tree cannot be
// listed, only the SKILL.md comes (`knownManifest`, when the caller has it already).
// Reports once, then deletes itself; deleting its parent cancels it.
class SkillFolderFetch : public QObject
{
    Q_OBJECT

public:
    static constexpr int parallelDownloads = 4;

    SkillFolderFetch(QNetworkAccessManager& network, std::chrono::milliseconds timeout, GitHubHosts hosts,
                     SkillOrigin origin, std::optional<QByteArray> knownManifest, QObject* parent);

    // The outcome comes as a signal, never before start() returned.
    void start();
    // The same with the repository's tree at the origin's ref listed already, as when
    // several skills of one commit are fetched: only the files are requested.
    void startWith(const RepositoryTree& tree);

    // Fetches and hands the skill, or the user's message, to `done`, unless `context` goes first.
    static void fetch(QNetworkAccessManager& network, std::chrono::milliseconds timeout, GitHubHosts hosts,
                      SkillOrigin origin, std::optional<QByteArray> knownManifest, QObject* context,
                      std::function<void(const Result<FetchedSkill, Problem>&)> done);

Q_SIGNALS:
    void finished(const FetchedSkill& skill);
    void failed(const Problem& problem);

private:
    void takeTree(const Result<RepositoryTree, Problem>& tree);
    void fetchManifestOnly(const Problem& why);
    void downloadNext();
    void succeed();
    void fail(const Problem& problem);

    QNetworkAccessManager& m_network;
    std::chrono::milliseconds m_timeout;
    HttpClient m_http; // for the tree and a lone SKILL.md
    GitHubHosts m_hosts;
    SkillOrigin m_origin;
    QString m_at; // the commit, once known, else the origin's ref
    std::optional<QByteArray> m_knownManifest;
    SkillFolderPlan m_plan;
    qsizetype m_nextFile = 0;
    int m_running = 0;
    qint64 m_bytesReceived = 0;
    FetchedSkill m_fetched;
    bool m_over = false;
};

Q_DECLARE_METATYPE(FetchedSkill)
