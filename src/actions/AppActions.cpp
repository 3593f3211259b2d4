#include "actions/AppActions.h"

#include "access/FileSystem.h"
#include "access/ProjectFolder.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "access/UserEnvironment.h"
#include "actions/Workspace.h"
#include "base/Log.h"
#include "model/AssistantPresets.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

using namespace Qt::StringLiterals;

bool AppNames::isAcceptableNewName(const QString& text)
{
    return !text.isEmpty();
}

std::optional<QString> AppNames::renamedName(const QString& text)
{
    const QString name = text.trimmed();
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

AppActions::AppActions(Workspace& workspace)
    : m_workspace(workspace)
{}

Result<TargetApp*, AppError> AppActions::add(const QString& name, const QString& folderPath,
                                             PlacementKind placement, const std::optional<QString>& preset)
{
    return addApp(name, folderPath, placement, preset, std::nullopt);
}

Result<TargetApp*, AppError> AppActions::addApp(const QString& name, const QString& folderPath,
                                                PlacementKind placement, const std::optional<QString>& preset,
                                                const std::optional<QString>& project)
{
    if (!AppNames::isAcceptableNewName(name))
        return AppError{AppError::Kind::noName, name, {}, {}};
    if (FileSystem::existsAsFolder(folderPath) != true)
        return AppError{AppError::Kind::notAFolder, folderPath, {}, {}};
    const auto bookmark = SecurityScopedBookmarkManager::createBookmark(folderPath);
    if (!bookmark)
        return AppError{AppError::Kind::noAccess, folderPath, {}, {}};
    const QString home = m_workspace.platform().user.homeFolder();
    auto* app = new TargetApp(name, abbreviatingHomeFolder(folderPath, home), u"folder"_s, bookmark);
    app->setPlacement(placement);
    app->setPreset(preset);
    app->setProject(project);
    m_workspace.context().insert(app);
    if (const Outcome saved = m_workspace.context().save(); !saved)
        return AppError{AppError::Kind::notSaved, name, saved.error().description, {}};
    return app;
}

QString AppActions::presetFolder(const AssistantPreset& preset) const
{
    return m_workspace.platform().user.homeFolder() + preset.folder.mid(1);
}

Result<TargetApp*, AppError> AppActions::addPreset(const AssistantPreset& preset, bool createFolder,
                                                   std::optional<PlacementKind> placement,
                                                   const QString& name)
{
    const QString folder = presetFolder(preset);
    if (FileSystem::existsAsFolder(folder) != true && !createFolder)
        return AppError{AppError::Kind::folderMissing, folder, {}, {}};
    if (const Outcome made = makeFolder(folder); !made)
        return AppError{AppError::Kind::folderNotMade, folder, made.error().description, {}};
    return addApp(name.isEmpty() ? preset.name : name, folder,
                  placement.value_or(preset.recommendedPlacement), preset.id, std::nullopt);
}

Result<TargetApp*, AppError> AppActions::addToProject(const AssistantPreset& preset, const QString& project,
                                                      bool createFolder,
                                                      std::optional<PlacementKind> placement,
                                                      const QString& name)
{
    if (!preset.projectFolder)
        return AppError{AppError::Kind::noProjectScope, preset.id, {}, {}};
    const QString root = QDir::cleanPath(QDir(project).absolutePath());
    if (FileSystem::existsAsFolder(root) != true)
        return AppError{AppError::Kind::notAProject, root, {}, {}};
    const QString folder = root + u'/' + *preset.projectFolder;
    if (const auto link = ProjectFolder::linkLeaving(root, folder))
        return AppError{AppError::Kind::leavesProject, *link, root, {}};
    if (FileSystem::existsAsFolder(folder) != true && !createFolder)
        return AppError{AppError::Kind::folderMissing, folder, {}, {}};
    if (const Outcome made = makeFolder(folder); !made)
        return AppError{AppError::Kind::folderNotMade, folder, made.error().description, {}};
    return addApp(name.isEmpty() ? preset.name : name, folder, placement.value_or(PlacementKind::copy),
                  preset.id, root);
}

Result<TargetApp*, AppError> AppActions::addFolderToProject(const QString& folder, const QString& project)
{
    const QString root = QDir::cleanPath(QDir(project).absolutePath());
    if (const auto link = ProjectFolder::linkLeaving(root, folder))
        return AppError{AppError::Kind::leavesProject, *link, root, {}};
    if (const Outcome made = makeFolder(folder); !made)
        return AppError{AppError::Kind::folderNotMade, folder, made.error().description, {}};
    return addApp(QFileInfo(folder).fileName(), folder, PlacementKind::copy, std::nullopt, root);
}

Outcome AppActions::makeFolder(const QString& folderPath) const
{
    if (FileSystem::existsAsFolder(folderPath) == true)
        return {};
    return FileSystem::createFolder(folderPath);
}

Result<void, AppError> AppActions::rename(TargetApp& app, const QString& text)
{
    const auto name = AppNames::renamedName(text);
    if (!name)
        return AppError{AppError::Kind::blankName, app.name(), {}, {}};
    app.setName(*name);
    if (const Outcome saved = m_workspace.context().save(); !saved) {
        Log::line(u"Failed to rename app: "_s + saved.error().description);
        return AppError{AppError::Kind::notSaved, *name, saved.error().description, {}};
    }
    return {};
}

Outcome AppActions::remove(const QList<TargetApp*>& apps)
{
    for (TargetApp* app : apps) {
        m_workspace.linkRecords().removeAll(app->id());
        m_workspace.context().remove(app);
    }
    return m_workspace.context().save();
}

Result<TargetApp*, AppError> AppActions::find(const QString& idOrName) const
{
    const QList<TargetApp*> apps = m_workspace.apps();
    const QUuid id = QUuid::fromString(idOrName);
    if (!id.isNull()) {
        if (TargetApp* app = m_workspace.app(id))
            return app;
    }
    // The name as shown first ("Cursor", "Cursor (shop)"), then the plain name, then the
    // project's folder name for a project of one app: the first that names exactly one app.
    const QList<std::function<bool(const TargetApp&)>> ways = {
        [&](const TargetApp& app) { return app.shownName() == idOrName; },
        [&](const TargetApp& app) { return app.name() == idOrName; },
        [&](const TargetApp& app) {
            return app.project() &&
                   app.project()->section(u'/', -1, -1, QString::SectionSkipEmpty) == idOrName;
        },
    };
    QList<TargetApp*> named;
    for (const auto& names : ways) {
        named.clear();
        for (TargetApp* app : apps)
            if (names(*app))
                named.append(app);
        if (named.size() == 1)
            return named.first();
        if (!named.isEmpty())
            break;
    }
    if (named.isEmpty())
        return AppError{AppError::Kind::noSuchApp, idOrName, {}, {}};
    QStringList ids;
    for (const TargetApp* app : named)
        ids.append(app->id().toString(QUuid::WithoutBraces));
    return AppError{AppError::Kind::ambiguousName, idOrName, {}, ids};
}

std::optional<bool> AppActions::isFolderWritable(const TargetApp& app) const
{
    return m_workspace.folderAccess().isWritable(folderOf(app));
}

bool AppActions::renewFolder(TargetApp& app, const QString& folderPath)
{
    const auto bookmark = SecurityScopedBookmarkManager::createBookmark(folderPath);
    if (!bookmark)
        return false;
    app.setBookmarkData(bookmark);
    app.setFolderPath(abbreviatingHomeFolder(folderPath, m_workspace.platform().user.homeFolder()));
    if (const Outcome saved = m_workspace.context().save(); !saved) {
        Log::line(u"Failed to save renewed app access: "_s + saved.error().description);
        return false;
    }
    m_workspace.changes().announceTargetFolder(app.id());
    return isFolderWritable(app).value_or(false);
}
