#include "ui/AddProjectSheet.h"

#include "access/FileSystem.h"
#include "access/UserEnvironment.h"
#include "actions/AppActions.h"
#include "actions/Workspace.h"
#include "backup/LockFile.h"
#include "model/AssistantPresets.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int presetRole = Qt::UserRole;
} // namespace

AddProjectSheet::AddProjectSheet(Workspace& workspace, DesktopServices desktop, QWidget* parent)
    : Sheet(parent)
    , m_workspace(workspace)
    , m_desktop(desktop)
    , m_folder(new QLineEdit(this))
    , m_assistants(new QListWidget(this))
    , m_placement(new QComboBox(this))
    , m_restore(new QCheckBox(tr("Restore skills from quorvane-lock.json"), this))
    , m_add(new QPushButton(tr("Add"), this))
{
    setObjectName(u"addProjectSheet"_s);
    setWindowTitle(tr("Add Project"));
    setMinimumWidth(480);
    QLabel* title = makeTitle(tr("Add Project"));

    m_folder->setObjectName(u"projectFolderField"_s);
    m_folder->setAccessibleName(tr("Project folder"));
    m_folder->setPlaceholderText(tr("Choose Folder..."));
    m_folder->setEnabled(false);
    auto* choose = new QPushButton(tr("Choose..."), this);
    choose->setObjectName(u"chooseProjectFolder"_s);
    choose->setAutoDefault(false);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(choose);
    m_assistants->setObjectName(u"projectAssistants"_s);
    m_assistants->setAccessibleName(tr("Assistants of the project"));
    m_assistants->setEnabled(false);
    // Forty assistants and more: a part of the name or folder narrows the list.
    auto* search = new QLineEdit(this);
    search->setObjectName(u"projectAssistantSearch"_s);
    search->setPlaceholderText(tr("Search assistants"));
    search->setAccessibleName(tr("Search assistants"));
    search->setClearButtonEnabled(true);
    connect(search, &QLineEdit::textChanged, this, [this](const QString& text) {
        for (int row = 0; row < m_assistants->count(); ++row)
            m_assistants->item(row)->setHidden(
                !m_assistants->item(row)->text().contains(text, Qt::CaseInsensitive));
    });
    auto* assistants = new QVBoxLayout;
    assistants->addWidget(search);
    assistants->addWidget(m_assistants);
    m_placement->setObjectName(u"projectPlacement"_s);
    m_placement->addItem(tr("Copy"), int(PlacementKind::copy));
    m_placement->addItem(tr("Link"), int(PlacementKind::link));
    m_placement->setToolTip(tr("Links only for folders that version control ignores: a link into your hub "
                               "helps no one who clones the project"));
    m_restore->setObjectName(u"restoreFromLock"_s);
    m_restore->setVisible(false); // for a project that carries a lock file only
    auto* form = new QFormLayout;
    form->addRow(tr("Project folder"), folderRow);
    form->addRow(tr("Assistants"), assistants);
    form->addRow(tr("Placement"), m_placement);
    form->addRow(QString(), m_restore);

    m_add->setObjectName(u"addProjectButton"_s);
    m_add->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(20);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addLayout(form);
    layout->addLayout(makeButtonRow(m_add));

    connect(choose, &QPushButton::clicked, this, &AddProjectSheet::chooseFolder);
    connect(m_add, &QPushButton::clicked, this, &AddProjectSheet::add);
    connect(m_assistants, &QListWidget::itemChanged, this, &AddProjectSheet::updateAddButton);
    updateAddButton();
}

std::optional<QString> AddProjectSheet::projectToRestore() const
{
    if (result() != QDialog::Accepted || !m_project || m_restore->isHidden() || !m_restore->isChecked())
        return std::nullopt;
    return m_project;
}

void AddProjectSheet::chooseFolder()
{
    FolderPanelRequest request;
    request.title = tr("Add Project");
    request.showsHiddenFiles = true;
    const QString home = m_workspace.platform().user.homeFolder();
    request.startFolder = home;
    const auto chosen = m_desktop.panels.chooseFolder(request);
    if (!chosen || FileSystem::existsAsFolder(*chosen) != true)
        return;
    m_project = QFileInfo(*chosen).absoluteFilePath();
    m_folder->setText(abbreviatingHomeFolder(*m_project, home));
    m_restore->setVisible(FileSystem::kindOf(*m_project + u'/' + LockFile::fileName()) ==
                          FileSystem::ItemKind::regularFile);
    m_restore->setChecked(true);
    listAssistants();
}

void AddProjectSheet::listAssistants()
{
    QStringList registered; // presets the project has as apps already
    for (const TargetApp* app : m_workspace.apps())
        if (app->project() == m_project && app->preset())
            registered.append(*app->preset());
    const QSignalBlocker blocker(m_assistants);
    m_assistants->clear();
    for (const AssistantPreset& preset : assistantPresets()) {
        if (!preset.projectFolder)
            continue;
        const bool present = FileSystem::existsAsFolder(*m_project + u'/' + *preset.projectFolder) == true;
        auto* item = new QListWidgetItem(
            u"%1 (%2)"_s.arg(OutcomeTexts::presetName(preset), *preset.projectFolder), m_assistants);
        item->setData(presetRole, preset.id);
        if (registered.contains(preset.id)) {
            item->setFlags(Qt::ItemIsUserCheckable); // listed, but not to be added twice
            item->setCheckState(Qt::Checked);
            item->setToolTip(tr("Already added"));
            continue;
        }
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(present ? Qt::Checked : Qt::Unchecked);
    }
    m_assistants->setEnabled(true);
    updateAddButton();
}

void AddProjectSheet::updateAddButton()
{
    bool anyChecked = false;
    for (int row = 0; row < m_assistants->count(); ++row) {
        const QListWidgetItem* item = m_assistants->item(row);
        anyChecked = anyChecked || ((item->flags() & Qt::ItemIsEnabled) && item->checkState() == Qt::Checked);
    }
    m_add->setEnabled(m_project && (anyChecked || !m_restore->isHidden()));
}

void AddProjectSheet::add()
{
    if (!m_add->isEnabled())
        return;
    AppActions actions(m_workspace);
    const auto placement = static_cast<PlacementKind>(m_placement->currentData().toInt());
    for (int row = 0; row < m_assistants->count(); ++row) {
        const QListWidgetItem* item = m_assistants->item(row);
        if (!(item->flags() & Qt::ItemIsEnabled) || item->checkState() != Qt::Checked)
            continue;
        const AssistantPreset* preset = assistantPreset(item->data(presetRole).toString());
        const auto added =
            actions.addToProject(*preset, *m_project, true, placement, OutcomeTexts::presetName(*preset));
        // A failed save keeps the app in the store's context: it is listed all the same.
        if (!added && added.error().kind != AppError::Kind::notSaved) {
            const AppError& error = added.error();
            const QString reason =
                error.kind == AppError::Kind::folderNotMade
                    ? tr("The folder “%1” could not be created: %2").arg(error.subject, error.detail)
                : error.kind == AppError::Kind::leavesProject
                    ? tr("“%1” is a link that leads out of the project.").arg(error.subject)
                    : tr("Access to “%1” cannot be kept.").arg(error.subject);
            m_desktop.alerts.inform(tr("%1 could not be added.").arg(OutcomeTexts::presetName(*preset)),
                                    reason, AlertStyle::critical);
            listAssistants(); // those added so far show as added
            return;
        }
    }
    accept();
}
