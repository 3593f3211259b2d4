#pragma once

#include "store/RemoteSkillItem.h"

#include <QObject>
#include <QString>

class SkillSource;
class Workspace;

// How an install ended, with the message the user is shown.
struct InstallResult
{
    bool succeeded = false;
    QString message;
    QString folderPath; // the skill's folder in the hub, when it succeeded
};

// One store install: the SKILL.md is downloaded, then written into the hub folder named
// after the hit. It belongs to the workspace, not to a view, so it finishes and reports
// even when the view that started it is gone. It deletes itself once it has reported.
class SkillInstall : public QObject
{
    Q_OBJECT

public:
    // Starts at once; `finished` comes later, never before this returns.
    static SkillInstall* start(Workspace& workspace, SkillSource& source, const RemoteSkillItem& item);

    // The hit's folder in the hub: its skillId, else its name.
    static QString folderName(const RemoteSkillItem& item);

Q_SIGNALS:
    void finished(const InstallResult& result);

private:
    SkillInstall(Workspace& workspace, const RemoteSkillItem& item);
    void write(const QString& text);
    void finish(InstallResult result);

    Workspace& m_workspace;
    RemoteSkillItem m_item;
};
