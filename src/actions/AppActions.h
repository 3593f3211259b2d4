#pragma once

#include "base/Result.h"
#include "model/TargetApp.h"

#include <QList>
#include <QString>

#include <optional>

class TargetApp;
struct AssistantPreset;
class Workspace;

// The rules for an app's name, written once for the window and the command line.
namespace AppNames {
// A new app keeps its name exactly as typed, blanks included; only an empty one is refused.
bool isAcceptableNewName(const QString& text);
// A rename takes the text without its surrounding blanks; nothing when only blanks remain.
std::optional<QString> renamedName(const QString& text);
} // namespace AppNames

// Why an app action changed nothing (or, for notSaved, was not kept), for the window and the
// tool to word each in its own way.
struct AppError
{
    enum class Kind
    {
        noName,         // a new app's name is empty
        notAFolder,     // subject: the folder given
        folderMissing,  // subject: a preset's folder that does not exist yet
        folderNotMade,  // subject: the folder; detail: the file system's reason
        noAccess,       // subject: the folder no bookmark could be kept of
        notSaved,       // detail: the store's reason; the app stays listed
        blankName,      // subject: the app's name, which it keeps
        noSuchApp,      // subject: the id or name asked for
        ambiguousName,  // subject: the name; candidates: the ids of the apps of that name
        noProjectScope, // subject: the preset's id, which has no project folder
        notAProject,    // subject: the project folder given, which is not a folder
        leavesProject,  // subject: the link on the way that leads out of the project; detail: the project
    };
    Kind kind;
    QString subject;
    QString detail;
    QStringList candidates;
};

// Adding, renaming and removing target apps, and renewing the access to their folders.
class AppActions
{
public:
    explicit AppActions(Workspace& workspace);

    // Registers an app with an existing folder and keeps a bookmark of it; `preset` names the
    // assistant it is for, wherever its folder is. The app stays listed even when saving it
    // fails; the error says so.
    Result<TargetApp*, AppError> add(const QString& name, const QString& folderPath,
                                     PlacementKind placement = PlacementKind::link,
                                     const std::optional<QString>& preset = std::nullopt);
    // Registers a known assistant with its folder below the home folder; a missing folder
    // is made only with `createFolder`.
    // The app places as the preset recommends, unless `placement` says otherwise; it is named
    // `name`, as the window or the tool words the preset's name, else by the preset's own.
    Result<TargetApp*, AppError> addPreset(const AssistantPreset& preset, bool createFolder,
                                           std::optional<PlacementKind> placement = std::nullopt,
                                           const QString& name = {});
    // Makes the missing folder of an app about to be added (the user agreed); an existing
    // folder is left as it is.
    Outcome makeFolder(const QString& folderPath) const;
    // Registers a known assistant's folder in a project (a repository): DIR/its project folder.
    // It places copies unless told otherwise, since a link into one person's hub means
    // nothing to anyone else who clones the repository.
    Result<TargetApp*, AppError> addToProject(const AssistantPreset& preset, const QString& project,
                                              bool createFolder, std::optional<PlacementKind> placement,
                                              const QString& name = {});
    // Registers a folder inside a project that is no known assistant's, making it when missing;
    // it places copies and is named after the folder.
    Result<TargetApp*, AppError> addFolderToProject(const QString& folder, const QString& project);
    // A preset's folder in this user's home folder.
    QString presetFolder(const AssistantPreset& preset) const;
    // An error, and nothing changed, for a name of only blanks.
    Result<void, AppError> rename(TargetApp& app, const QString& text);
    // Deletes the apps and their link records (links on disk stay), saving once.
    Outcome remove(const QList<TargetApp*>& apps);

    // The app of that id, or of exactly that name when only one has it; the error says why not.
    Result<TargetApp*, AppError> find(const QString& idOrName) const;

    // Whether the app's folder can be written; nothing when it cannot be reached.
    std::optional<bool> isFolderWritable(const TargetApp& app) const;
    // Keeps the newly chosen folder of the app; true when it can be written.
    bool renewFolder(TargetApp& app, const QString& folderPath);

private:
    Result<TargetApp*, AppError> addApp(const QString& name, const QString& folderPath,
                                        PlacementKind placement, const std::optional<QString>& preset,
                                        const std::optional<QString>& project);

    Workspace& m_workspace;
};
