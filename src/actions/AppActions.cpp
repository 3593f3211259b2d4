#include "actions/AppActions.h"

#include "access/FileSystem.h"
#include "access/SecurityScopedBookmarkManager.h"
#include "access/UserEnvironment.h"
#include "actions/Workspace.h"
#include "base/Log.h"
#include "model/AssistantPresets.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"

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

Result<TargetApp*> AppActions::add(const QString& name, const QString& folderPath, PlacementKind placement)
{
    if (!AppNames::isAcceptableNewName(name))
        return Error{u"The app needs a name."_s};
    if (FileSystem::existsAsFolder(folderPath) != true)
        return Error{u"\"%1\" is not a folder."_s.arg(folderPath)};
    const auto bookmark = SecurityScopedBookmarkManager::createBookmark(folderPath);
    if (!bookmark)
        return Error{u"No access to \"%1\" could be kept."_s.arg(folderPath)};
    const QString home = m_workspace.platform().user.homeFolder();
    auto* app = new TargetApp(name, abbreviatingHomeFolder(folderPath, home), u"folder"_s, bookmark);
    app->setPlacement(placement);
    m_workspace.context().insert(app);
    if (const Outcome saved = m_workspace.context().save(); !saved)
        return Error{u"The app could not be saved: "_s + saved.error().description};
    return app;
}

QString AppActions::presetFolder(const AssistantPreset& preset) const
{
    return m_workspace.platform().user.homeFolder() + preset.folder.mid(1);
}

Result<TargetApp*> AppActions::addPreset(const AssistantPreset& preset, bool createFolder,
                                         std::optional<PlacementKind> placement)
{
    const QString folder = presetFolder(preset);
    if (FileSystem::existsAsFolder(folder) != true && !createFolder)
        return Error{u"\"%1\" does not exist yet."_s.arg(folder)};
    if (const Outcome made = makeFolder(folder); !made)
        return made.error();
    return add(preset.name, folder,
               placement.value_or(preset.copyRecommended ? PlacementKind::copy : PlacementKind::link));
}

Outcome AppActions::makeFolder(const QString& folderPath) const
{
    if (FileSystem::existsAsFolder(folderPath) == true)
        return {};
    return FileSystem::createFolder(folderPath);
}

Outcome AppActions::rename(TargetApp& app, const QString& text)
{
    const auto name = AppNames::renamedName(text);
    if (!name)
        return Error{u"A name of only blanks is not a name; \"%1\" keeps its name."_s.arg(app.name())};
    app.setName(*name);
    Outcome saved = m_workspace.context().save();
    if (!saved)
        Log::line(u"Failed to rename app: "_s + saved.error().description);
    return saved;
}

Outcome AppActions::remove(const QList<TargetApp*>& apps)
{
    for (TargetApp* app : apps) {
        m_workspace.linkRecords().removeAll(app->id());
        m_workspace.context().remove(app);
    }
    return m_workspace.context().save();
}

Result<TargetApp*> AppActions::find(const QString& idOrName) const
{
    const QList<TargetApp*> apps = m_workspace.apps();
    const QUuid id = QUuid::fromString(idOrName);
    if (!id.isNull()) {
        if (TargetApp* app = m_workspace.app(id))
            return app;
    }
    QList<TargetApp*> named;
    for (TargetApp* app : apps) {
        if (app->name() == idOrName)
            named.append(app);
    }
    if (named.size() == 1)
        return named.first();
    if (named.isEmpty())
        return Error{u"There is no app with the id or name \"%1\"."_s.arg(idOrName)};
    QStringList ids;
    for (const TargetApp* app : named)
        ids.append(app->id().toString(QUuid::WithoutBraces));
    return Error{u"Several apps are named \"%1\"; name one by its id: %2"_s.arg(idOrName, ids.join(u", "_s))};
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
