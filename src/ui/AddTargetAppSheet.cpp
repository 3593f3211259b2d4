#include "ui/AddTargetAppSheet.h"

#include "access/FileSystem.h"
#include "access/UserEnvironment.h"
#include "actions/AppActions.h"
#include "actions/Workspace.h"
#include "model/AssistantPresets.h"
#include "model/TargetApp.h"

#include <QComboBox>
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
    , m_add(new QPushButton(tr("Hinzufügen"), this))
{
    setObjectName(u"addAppSheet"_s);
    setWindowTitle(tr("Neue App hinzufügen"));
    setMinimumWidth(480);
    QLabel* title = makeTitle(tr("Neue App hinzufügen"));

    m_preset->setObjectName(u"appPreset"_s);
    m_preset->addItem(tr("Eigene App"));
    const AppActions actions(m_workspace);
    for (const AssistantPreset& preset : assistantPresets()) {
        QStringList notes;
        if (FileSystem::existsAsFolder(actions.presetFolder(preset)) == true)
            notes.append(tr("vorhanden"));
        if (preset.copyRecommended)
            notes.append(tr("Kopie empfohlen"));
        m_preset->addItem(notes.isEmpty() ? preset.name : u"%1 (%2)"_s.arg(preset.name, notes.join(u", "_s)),
                          preset.id);
    }
    m_name->setObjectName(u"appNameField"_s);
    m_name->setPlaceholderText(tr("z.B. Codex, Gemini"));
    m_folder->setObjectName(u"appFolderField"_s);
    m_folder->setAccessibleName(tr("Zielordner"));
    m_folder->setPlaceholderText(tr("Ordner wählen..."));
    m_folder->setEnabled(false);
    auto* choose = new QPushButton(tr("Wählen..."), this);
    choose->setObjectName(u"chooseAppFolder"_s);
    choose->setAutoDefault(false);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(choose);
    m_placement->setObjectName(u"appPlacement"_s);
    m_placement->addItem(tr("Link"), int(PlacementKind::link));
    m_placement->addItem(tr("Kopie"), int(PlacementKind::copy));
    m_placement->setToolTip(tr("Kopien für Assistenten, die Links nicht folgen"));
    auto* form = new QFormLayout;
    form->addRow(tr("Bekannte App"), m_preset);
    form->addRow(tr("Name"), m_name);
    form->addRow(tr("Zielordner"), folderRow);
    form->addRow(tr("Verknüpfungsart"), m_placement);

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
    m_name->setText(preset->name);
    m_chosenFolder = AppActions(m_workspace).presetFolder(*preset);
    m_folder->setText(preset->folder);
    m_placement->setCurrentIndex(
        m_placement->findData(int(preset->copyRecommended ? PlacementKind::copy : PlacementKind::link)));
    updateAddButton();
}

void AddTargetAppSheet::add()
{
    if (!m_add->isEnabled())
        return;
    // A known assistant's folder may not exist yet: it is made when the user agrees.
    if (FileSystem::existsAsFolder(*m_chosenFolder) != true) {
        if (!m_desktop.alerts.confirmDestructive(
                tr("Der Ordner „%1“ existiert noch nicht.").arg(m_folder->text()),
                tr("Soll er angelegt werden?"), tr("Abbrechen"), tr("Anlegen")))
            return;
        if (const Outcome made = AppActions(m_workspace).makeFolder(*m_chosenFolder); !made) {
            m_desktop.alerts.inform(tr("Der Ordner konnte nicht angelegt werden."), made.error().description,
                                    AlertStyle::critical);
            return;
        }
    }
    const auto added = AppActions(m_workspace)
                           .add(m_name->text(), *m_chosenFolder,
                                static_cast<PlacementKind>(m_placement->currentData().toInt()));
    // A failed save keeps the app in the store's context: it is listed all the same.
    if (!added && added.error().kind != AppError::Kind::notSaved) {
        m_desktop.alerts.inform(tr("Die App konnte nicht hinzugefügt werden."), reason(added.error()),
                                AlertStyle::critical);
        return;
    }
    accept();
}

QString AddTargetAppSheet::reason(const AppError& error)
{
    switch (error.kind) {
    case AppError::Kind::notAFolder:
        return tr("„%1“ ist kein Ordner.").arg(error.subject);
    case AppError::Kind::noAccess:
        return tr("Der Zugriff auf „%1“ lässt sich nicht behalten.").arg(error.subject);
    case AppError::Kind::noName:
        return tr("Die App braucht einen Namen.");
    default:
        return {}; // not among what adding a folder can meet
    }
}
