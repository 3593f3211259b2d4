#pragma once

#include "FileSystem.h"
#include "PlatformServices.h"
#include "SecurityScopes.h"
#include "Skill.h"
#include "TargetAppSkill.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <type_traits>

class AppSettings;
class ModelContext;
class TargetApp;

// How a switch of a link turned out.
enum class LinkToggleResult
{
    alreadyInState,    // nothing to do
    changed,           // the link was made or taken away, and its record with it
    failed,            // a file operation failed (logged)
    folderUnreachable, // the app's folder could not be reached; nothing changed
};

// What restoring recorded links did.
struct LinkRestoreSummary
{
    int restored = 0;
    int failed = 0; // logged one by one
};

// The one object through which every change on disk passes. It publishes where the
// central hub is and what it holds; the application creates exactly one and hands it
// to every view and service. Operations log their failures and also report them to
// the caller, so the command-line tool can tell what happened.
class FileLinkerService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString centralRepositoryPath READ centralRepositoryPath WRITE setCentralRepositoryPath NOTIFY
                   centralRepositoryPathChanged)
    Q_PROPERTY(QList<Skill> availableSkills READ availableSkills NOTIFY availableSkillsChanged)

public:
    explicit FileLinkerService(PlatformServices platform, QObject* parent = nullptr);
    ~FileLinkerService() override;

    // --- Published state
    const QString& centralRepositoryPath() const { return m_centralRepositoryPath; }
    void setCentralRepositoryPath(const QString& path);
    const QList<Skill>& availableSkills() const { return m_availableSkills; }
    const std::optional<QByteArray>& centralBookmarkData() const { return m_centralBookmarkData; }
    void setCentralBookmarkData(const std::optional<QByteArray>& bookmark);
    // Operations that read or write records do nothing while there is no context.
    ModelContext* modelContext() const;
    void setModelContext(ModelContext* context);

    // --- Settings (the single AppSettings record, carrying over legacy preferences)
    void loadSettings();
    void persistSettings();
    AppSettings* fetchAppSettings(ModelContext& context) const;

    // --- Reaching folders. Each runs work on a folder inside an access scope on its
    // bookmark when that works, else on the stored path when something exists there,
    // and yields nothing when the folder cannot be reached. A started scope is stopped
    // before the call returns, however the work ends.
    // A stored folder path as a real path: "~/x" becomes x in the user's real home folder
    // when it exists there, else the ordinary tilde expansion; other paths stay as they are.
    QString resolvePath(const QString& path) const;
    template <typename Work>
    auto withCentralHubAccess(Work&& work) const
        -> std::optional<std::invoke_result_t<Work&, const QString&>>;
    template <typename Work>
    auto withTargetFolderAccess(const TargetApp& app, Work&& work) const
        -> std::optional<std::invoke_result_t<Work&, const QString&>>;
    // Work gets the hub folder first and the target folder second; both are reached
    // before either is looked at.
    template <typename Work>
    auto withHubAndTargetAccess(const TargetApp& app, Work&& work) const
        -> std::optional<std::invoke_result_t<Work&, const QString&, const QString&>>;
    // Whether the hub bookmark leads to an existing folder (no scope is opened).
    bool hasValidCentralHub() const;

    // --- Hub scan
    void scanCentralRepository();
    // Deletes a hub item from disk (a folder with its contents), rescans and announces
    // the change. Links to it in target folders stay and show as broken.
    bool removeHubItem(const Skill& skill);
    // Tells views that show link states or hub items to ask again.
    void announceStateChange() { Q_EMIT stateChanged(); }

    // --- Target folder listing: every visible entry with its link state, by name.
    std::optional<QList<TargetAppSkill>> listTargetAppSkills(const TargetApp& app) const;
    QList<TargetAppSkill> listTargetFolder(const QString& folderPath) const;
    TargetAppSkill makeTargetAppSkill(const QString& entryPath) const;

    // --- Links
    // Whether the folder's entry named like the hub item is a link leading to it
    // (relative destinations, links on the way and letter case do not matter).
    static bool isLinked(const QString& targetFolderPath, const QString& hubItemPath);
    // isLinked for the app's folder; an unreachable folder reads as not linked.
    bool isSkillLinked(const Skill& skill, const TargetApp& app) const;
    // Links the skill into the app's folder or takes the link away, and records it.
    // Never deletes or moves a real file or folder standing where the link belongs.
    LinkToggleResult toggleLink(const Skill& skill, const TargetApp& app, bool linked);
    // Deletes an entry of the app's folder (a link as a link) and forgets its record.
    bool removeTargetItem(const QString& itemPath, const TargetApp& app);
    // Makes missing links again from the records, where the hub item still exists.
    LinkRestoreSummary restoreRecordedLinks();

    // --- Bringing content into the hub
    // Moves a local entry of the app's folder (or what a link there leads to) into the
    // hub under the entry's name and leaves a link to it in its place. Never replaces a
    // hub entry. Rescans the hub in any case.
    bool importSkill(const TargetAppSkill& item, const TargetApp& app);
    // Points a broken link at the hub entry of the same name.
    bool repairLink(const TargetAppSkill& item, const TargetApp& app);
    // Writes SKILL.md into the hub folder of that name, made if missing. Nothing when the
    // hub cannot be reached; an error when the name is not a plain visible folder name or
    // writing fails.
    std::optional<Outcome> installDownloadedSkill(const QString& folderName, const QString& text);

    // --- Choosing folders in a panel
    // Lets the user pick the hub folder; stores its bookmark and path and rescans.
    bool chooseCentralHub();
    // When the app's folder is not writable, lets the user pick it again and saves the
    // new bookmark; true when the folder is writable in the end.
    bool renewAccess(TargetApp& app, ModelContext& context);

    // --- Link records, keyed by (targetAppID, itemName). Each saves the store.
    bool upsertLinkRecord(const QUuid& targetAppID, const QString& itemName);
    bool removeLinkRecord(const QUuid& targetAppID, const QString& itemName);
    bool removeLinkRecords(const QUuid& targetAppID);

    // --- Folder checks: yes, no, or nothing when the folder cannot be reached.
    std::optional<bool> isCentralHubWritable() const;
    std::optional<bool> isTargetFolderWritable(const TargetApp& app) const;
    std::optional<bool> hubContainsItem(const QString& itemName) const;

Q_SIGNALS:
    void centralRepositoryPathChanged();
    void availableSkillsChanged();
    // Links changed on disk; views showing link states ask again.
    void stateChanged();

private:
    // A folder reached for one operation; the scope opened on it, if any, closes with it.
    struct ReachedFolder
    {
        QString path;
        std::unique_ptr<ScopedFolderAccess> scope;
    };
    std::optional<ReachedFolder> reachFolder(const std::optional<QByteArray>& bookmark,
                                             const QString& storedPath) const;
    std::optional<ReachedFolder> reachCentralHub() const;
    std::optional<ReachedFolder> reachTargetFolder(const TargetApp& app) const;

    void setAvailableSkills(QList<Skill> skills);
    // The folder a panel starts in: the stored folder if it exists, else home; revealed first.
    QString revealPanelStartFolder(const QString& storedPath);

    PlatformServices m_platform;
    QString m_centralRepositoryPath;
    QList<Skill> m_availableSkills;
    std::optional<QByteArray> m_centralBookmarkData;
    QPointer<ModelContext> m_modelContext;
};

template <typename Work>
auto FileLinkerService::withCentralHubAccess(Work&& work) const
    -> std::optional<std::invoke_result_t<Work&, const QString&>>
{
    if (const auto hub = reachCentralHub())
        return work(hub->path);
    return std::nullopt;
}

template <typename Work>
auto FileLinkerService::withTargetFolderAccess(const TargetApp& app, Work&& work) const
    -> std::optional<std::invoke_result_t<Work&, const QString&>>
{
    if (const auto folder = reachTargetFolder(app))
        return work(folder->path);
    return std::nullopt;
}

template <typename Work>
auto FileLinkerService::withHubAndTargetAccess(const TargetApp& app, Work&& work) const
    -> std::optional<std::invoke_result_t<Work&, const QString&, const QString&>>
{
    auto hub = reachCentralHub();
    auto target = reachTargetFolder(app);
    if (!hub || !target)
        return std::nullopt;
    auto result = work(hub->path, target->path);
    hub.reset(); // the hub's scope closes first, then the target's
    target.reset();
    return result;
}
