#include "ui/AddTargetAppSheet.h"

#include "access/FileSystem.h"
#include "access/UserEnvironment.h"
#include "actions/AppActions.h"
#include "actions/Workspace.h"
#include "model/AssistantPresets.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"

#include <QComboBox>
#include <QCompleter>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AddTargetAppSheet::AddTargetAppSheet(Workspace& workspace, DesktopServices desktop, QWidget* parent)
    : Sheet(parent)
    , m_workspace(workspace)
    , m_desktop(desktop)
    , m_preset(new QComboBox(this))
    , m_name(new QLineEdit(this))
    , m_folder(new QLineEdit(this))
    , m_placement(new QComboBox(this))
    , m_add(new QPushButton(tr("Add"), this))
{
    setObjectName(u"addAppSheet"_s);
    setWindowTitle(tr("Add New App"));
    setMinimumWidth(480);
    QLabel* title = makeTitle(tr("Add New App"));

    m_preset->setObjectName(u"appPreset"_s);
    // Forty assistants and more: typing a part of the name finds one.
    m_preset->setEditable(true);
    m_preset->setInsertPolicy(QComboBox::NoInsert);
    m_preset->lineEdit()->setPlaceholderText(tr("Search assistants"));
    m_preset->lineEdit()->setAccessibleName(tr("Search assistants"));
    m_preset->completer()->setFilterMode(Qt::MatchContains);
    m_preset->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_preset->addItem(tr("Custom App"));
    const AppActions actions(m_workspace);
    for (const AssistantPreset& preset : assistantPresets()) {
        QStringList notes;
        if (FileSystem::existsAsFolder(actions.presetFolder(preset)) == true)
            notes.append(tr("present"));
        if (preset.copyRecommended())
            notes.append(tr("copy recommended"));
        m_preset->addItem(notes.isEmpty()
                              ? OutcomeTexts::presetName(preset)
                              : u"%1 (%2)"_s.arg(OutcomeTexts::presetName(preset), notes.join(u", "_s)),
                          preset.id);
    }
    m_name->setObjectName(u"appNameField"_s);
    m_name->setPlaceholderText(tr("e.g. Codex, Gemini"));
    m_folder->setObjectName(u"appFolderField"_s);
    m_folder->setAccessibleName(tr("Target folder"));
    m_folder->setPlaceholderText(tr("Choose Folder..."));
    m_folder->setEnabled(false);
    auto* choose = new QPushButton(tr("Choose..."), this);
    choose->setObjectName(u"chooseAppFolder"_s);
    choose->setAutoDefault(false);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(choose);
    m_placement->setObjectName(u"appPlacement"_s);
    m_placement->addItem(tr("Link"), int(PlacementKind::link));
    m_placement->addItem(tr("Copy"), int(PlacementKind::copy));
    m_placement->setToolTip(tr("Copies for assistants that do not follow links"));
    auto* form = new QFormLayout;
    form->addRow(tr("Known App"), m_preset);
    form->addRow(tr("Name"), m_name);
    form->addRow(tr("Target folder"), folderRow);
    form->addRow(tr("Placement"), m_placement);

    m_add->setObjectName(u"addAppButton"_s);
    m_add->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(20);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addLayout(form);
    layout->addLayout(makeButtonRow(m_add));

    connect(choose, &QPushButton::clicked, this, &AddTargetAppSheet::chooseFolder);
    connect(m_preset, &QComboBox::currentIndexChanged, this, &AddTargetAppSheet::takePreset);
    connect(m_add, &QPushButton::clicked, this, &AddTargetAppSheet::add);
    connect(m_name, &QLineEdit::textChanged, this, &AddTargetAppSheet::updateAddButton);
    updateAddButton();
}

void AddTargetAppSheet::updateAddButton()
{
    // An app is never stored without a folder to keep access to.
    m_add->setEnabled(AppNames::isAcceptableNewName(m_name->text()) && m_chosenFolder.has_value());
}

void AddTargetAppSheet::chooseFolder()
{
    FolderPanelRequest request;
    request.canCreateFolders = true;
    request.showsHiddenFiles = true;
    const QString home = m_workspace.platform().user.homeFolder();
    request.startFolder = home;
    const auto chosen = m_desktop.panels.chooseFolder(request);
    if (!chosen)
        return;
    m_chosenFolder = FileSystem::existsAsFolder(*chosen) == true ? chosen : std::nullopt;
    m_folder->setText(abbreviatingHomeFolder(*chosen, home));
    updateAddButton();
}

void AddTargetAppSheet::takePreset(int index)
{
    const AssistantPreset* preset = assistantPreset(m_preset->itemData(index).toString());
    if (!preset)
        return;
    m_name->setText(OutcomeTexts::presetName(*preset));
    m_chosenFolder = AppActions(m_workspace).presetFolder(*preset);
    m_folder->setText(preset->folder);
    m_placement->setCurrentIndex(m_placement->findData(int(preset->recommendedPlacement)));
    updateAddButton();
}

std::optional<QString> AddTargetAppSheet::presetChosen() const
{
    const QString id = m_preset->currentData().toString();
    return id.isEmpty() ? std::nullopt : std::optional(id);
}

void AddTargetAppSheet::add()
{
    if (!m_add->isEnabled())
        return;
    // A known assistant's folder may not exist yet: it is made when the user agrees.
    if (FileSystem::existsAsFolder(*m_chosenFolder) != true) {
        if (!m_desktop.alerts.confirmDestructive(
                tr("The folder “%1” does not exist yet.").arg(m_folder->text()), tr("Should it be created?"),
                tr("Cancel"), tr("Create")))
            return;
        if (const Outcome made = AppActions(m_workspace).makeFolder(*m_chosenFolder); !made) {
            m_desktop.alerts.inform(tr("The folder could not be created."),
                                    OutcomeTexts::problem(made.error().shown()), AlertStyle::critical);
            return;
        }
    }
    const auto added =
        AppActions(m_workspace)
            .add(m_name->text(), *m_chosenFolder,
                 static_cast<PlacementKind>(m_placement->currentData().toInt()), presetChosen());
    // A failed save keeps the app in the store's context: it is listed all the same.
    if (!added && added.error().kind != AppError::Kind::notSaved) {
        m_desktop.alerts.inform(tr("The app could not be added."), reason(added.error()),
                                AlertStyle::critical);
        return;
    }
    accept();
}

QString AddTargetAppSheet::reason(const AppError& error)
{
    switch (error.kind) {
    case AppError::Kind::notAFolder:
        return tr("“%1” is not a folder.").arg(error.subject);
    case AppError::Kind::noAccess:
        return tr("Access to “%1” cannot be kept.").arg(error.subject);
    case AppError::Kind::noName:
        return tr("The app needs a name.");
    default:
        return {}; // not among what adding a folder can meet
    }
}
