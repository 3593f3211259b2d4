#pragma once

#include "access/FolderContent.h"
#include "backup/LockFile.h"
#include "backup/ProjectPolicy.h"
#include "store/GitHubTree.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class AuditRules;
class ContentCache;
class QNetworkAccessManager;
class Workspace;

// A skill's locked content brought here: from a committed copy that holds it, the content
// cache, or its source at the locked commit.
struct RestoreFetch
{
    QString name;
    LockedSource source;
    QString contentSha256;
    bool cached = false; // taken from the content cache: no request
    QString localCopy;   // a folder already holding the locked content (a committed copy), if any
    // Into the hub, which lacks the item; otherwise into the content cache only, since the hub
    // holds another version of it that no restore replaces.
    bool intoHub = true;
};

// What fetching from GitHub needs: the network, its hosts and how long a request may take.
struct FetchAccess
{
    QNetworkAccessManager* network = nullptr;
    GitHubHosts hosts;
    std::chrono::milliseconds timeout{std::chrono::seconds(60)};
};

// Brings skill folders into the hub (or, where the hub keeps another version, into the content
// cache) exactly as locked: from a committed copy or the content cache where there is one, else
// from GitHub at the locked commit, one tree listing per repository and commit
// and one skill at a time (its files four at a time). Each folder must hash to its locked
// content and pass the audit, or nothing of it reaches the hub; what came is kept in the cache
// and its origin recorded. Folders are read, checked and written on a worker, so a window stays responsive.
// Used by a project's restore and by a backup import alike. Goes once finished.
class LockedFetch : public QObject
{
    Q_OBJECT

public:
    // A folder in which the audit finds something of level high comes in only with `acceptRisk`
    // (the user agreed), which accepts its findings.
    LockedFetch(Workspace& workspace, FetchAccess access, QList<RestoreFetch> fetches, bool acceptRisk,
                QObject* parent);
    ~LockedFetch() override;

    // The project's rules the fetched skills must keep: the commit's age, no high finding let in
    // however it was accepted, and the project's own audit rules besides the others.
    void keep(const ProjectPolicy& policy, const QString& project);

    void start();

Q_SIGNALS:
    // One line per skill that could not be brought, and their names.
    void finished(const QList<Problem>& failures, const QStringList& notFetched);

private:
    struct Placing;
    struct Placed;

    // Queues a fetch from GitHub, in the group of its repository and commit.
    void fetchFromSource(const RestoreFetch& fetch);
    void fetchNext();
    void fetchGroup(const QList<RestoreFetch>& group);
    // A GitHub group: one tree listing, then its skills one at a time.
    void listAndFetch(const QList<RestoreFetch>& group);
    // A git remote's group, one skill after another from its mirror.
    void fetchFromGit(QList<RestoreFetch> group, const QString& at);
    // Where in the hub the fetch goes; nothing, and a failure noted, where it cannot.
    std::optional<Placing> planPlacing(const RestoreFetch& fetch, std::optional<QList<ContentFile>> files);
    // Places the folders on a worker, then takes the outcomes here and goes on with `then`.
    void placeInBackground(QList<Placing> placings, std::function<void()> then);
    // Records what was placed, and has the gate weigh what the audit stopped: those it lets
    // through come back, to be placed from the files in hand.
    QList<Placing> takePlaced(const QList<Placed>& outcomes);
    void fail(const RestoreFetch& fetch, const Problem& reason);
    // Hands `done` the skills of `group` whose commit is old enough; fails the rest.
    void keepAge(const QList<RestoreFetch>& group, const Result<QDateTime, Problem>& madeAt);
    void finish();

    Workspace& m_workspace;
    FetchAccess m_access;
    QList<RestoreFetch> m_fetches;
    bool m_acceptRisk;
    std::optional<ProjectPolicy> m_policy;
    std::shared_ptr<const AuditRules> m_rules; // with the project's; nothing: the usual ones
    std::unique_ptr<ContentCache> m_cache;     // on the worker while folders are placed
    QList<QList<RestoreFetch>> m_groups;       // by repository and commit
    QHash<QString, qsizetype> m_groupOf;
    QList<Problem> m_failures;
    QStringList m_notFetched;
    QHash<QString, QDateTime> m_committedAt; // by skill, where its commit's date was told
};
