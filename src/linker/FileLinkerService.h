#pragma once

#include "FileSystem.h"
#include "PlatformServices.h"
#include "SecurityScopedBookmarkManager.h"
#include "SecurityScopes.h"
#include "Skill.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>
#include <type_traits>

class AppSettings;
class ModelContext;

// The one object through which every change on disk passes. It publishes where the
// central hub is and what it holds; the application creates exactly one and hands it
// to every view and service.
class FileLinkerService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString centralRepositoryPath READ centralRepositoryPath WRITE setCentralRepositoryPath NOTIFY
                   centralRepositoryPathChanged)
    Q_PROPERTY(QList<Skill> availableSkills READ availableSkills NOTIFY availableSkillsChanged)

public:
    explicit FileLinkerService(PlatformServices platform, QObject* parent = nullptr);

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

    // --- Reaching folders
    // A stored folder path as a real path: "~/x" becomes x in the user's real home folder
    // when it exists there, else the ordinary tilde expansion; other paths stay as they are.
    QString resolvePath(const QString& path) const;
    // Runs work on the hub folder: inside a scope on the bookmark's folder when that
    // works, else on the stored path if something exists there. Nothing when unreachable.
    template <typename Work>
    auto withCentralHubAccess(Work&& work) const
        -> std::optional<std::invoke_result_t<Work&, const QString&>>;
    // Whether the hub bookmark leads to an existing folder (no scope is opened).
    bool hasValidCentralHub() const;

    // --- Hub scan
    void scanCentralRepository();

Q_SIGNALS:
    void centralRepositoryPathChanged();
    void availableSkillsChanged();

private:
    void setAvailableSkills(QList<Skill> skills);
    QString expandingTilde(const QString& path) const;

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
    if (m_centralBookmarkData) {
        if (const auto hub = SecurityScopedBookmarkManager::resolveBookmark(*m_centralBookmarkData)) {
            const ScopedFolderAccess access(m_platform.scopes, *hub);
            if (access.isGranted())
                return work(*hub);
        }
    }
    const QString storedHub = resolvePath(m_centralRepositoryPath);
    if (!FileSystem::exists(storedHub))
        return std::nullopt;
    return work(storedHub);
}
