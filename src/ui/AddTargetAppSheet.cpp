#include "AddTargetAppSheet.h"

#include "DesktopServices.h"
#include "ModelContext.h"
#include "SecurityScopedBookmarkManager.h"
#include "TargetApp.h"
#include "UserEnvironment.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AddTargetAppSheet::AddTargetAppSheet(ModelContext& context, PlatformServices platform, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_platform(platform)
    , m_name(new QLineEdit(this))
    , m_folder(new QLineEdit(this))
    , m_add(new QPushButton(u"Hinzufügen"_s, this))
{
    setWindowTitle(u"Neue App hinzufügen"_s);
    setFixedSize(450, 250);
    auto* title = new QLabel(u"Neue App hinzufügen"_s, this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);

    m_name->setObjectName(u"appNameField"_s);
    m_name->setPlaceholderText(u"z.B. Codex, Gemini"_s);
    m_folder->setObjectName(u"appFolderField"_s);
    m_folder->setPlaceholderText(u"Ordner wählen..."_s);
    m_folder->setEnabled(false);
    auto* choose = new QPushButton(u"Wählen..."_s, this);
    choose->setAutoDefault(false);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(choose);
    auto* form = new QFormLayout;
    form->addRow(u"Name"_s, m_name);
    form->addRow(u"Zielordner"_s, folderRow);

    auto* cancel = new QPushButton(u"Abbrechen"_s, this);
    cancel->setAutoDefault(false);
    m_add->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(m_add);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(20);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(choose, &QPushButton::clicked, this, &AddTargetAppSheet::chooseFolder);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject); // Escape rejects as well
    connect(m_add, &QPushButton::clicked, this, &AddTargetAppSheet::add);
    connect(m_name, &QLineEdit::textChanged, this, &AddTargetAppSheet::updateAddButton);
    updateAddButton();
}

void AddTargetAppSheet::updateAddButton()
{
    // Blanks count as a name; an app is never stored without access to its folder.
    m_add->setEnabled(!m_name->text().isEmpty() && m_bookmark.has_value());
}

void AddTargetAppSheet::chooseFolder()
{
    FolderPanelRequest request;
    request.canCreateFolders = true;
    request.showsHiddenFiles = true;
    request.startFolder = m_platform.user.homeFolder();
    const auto chosen = m_platform.panels.chooseFolder(request);
    if (!chosen)
        return;
    m_bookmark = SecurityScopedBookmarkManager::createBookmark(*chosen);
    m_folder->setText(abbreviatingHomeFolder(*chosen, m_platform.user.homeFolder()));
    updateAddButton();
}

void AddTargetAppSheet::add()
{
    if (!m_add->isEnabled())
        return;
    m_context.insert(new TargetApp(m_name->text(), m_folder->text(), u"folder"_s, m_bookmark));
    (void)m_context.save(); // a failure keeps the app in the context; it is listed all the same
    accept();
}
