#pragma once

#include "PlatformServices.h"
#include "Skill.h"

#include <QScrollArea>

class FileLinkerService;
class ModelContext;
class QVBoxLayout;

// One hub item: its kind and name, one switch per target app that links it into the
// app's folder, its path and, for a file, the first lines.
class SkillDetailView : public QScrollArea
{
    Q_OBJECT

public:
    SkillDetailView(const Skill& skill, FileLinkerService& linker, ModelContext& context,
                    PlatformServices platform, QWidget* parent = nullptr);

    const Skill& skill() const { return m_skill; }

private:
    // The switches read the linked state afresh every time.
    void rebuildLinkRows();
    QWidget* makePathBlock();

    Skill m_skill;
    FileLinkerService& m_linker;
    ModelContext& m_context;
    PlatformServices m_platform;
    QVBoxLayout* m_linkRows;
};
