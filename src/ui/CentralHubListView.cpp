#include "CentralHubListView.h"

#include "DesktopServices.h"
#include "FileLinkerService.h"
#include "HubSkillListModel.h"
#include "SymbolIcons.h"
#include "TextStyles.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CentralHubListView::CentralHubListView(FileLinkerService& linker, PlatformServices platform, QWidget* parent)
    : QWidget(parent)
    , m_linker(linker)
    , m_platform(platform)
    , m_search(new QLineEdit(this))
    , m_pages(new QStackedWidget(this))
    , m_model(new HubSkillListModel(this))
    , m_list(new QListView(this))
    , m_chooseHub(new QPushButton(u"Zentralen Ordner auswählen"_s, this))
    , m_emptyHub(new QLabel(u"Keine Skills im zentralen Ordner gefunden."_s, this))
{
    QLabel* title = TextStyles::title(u"Zentraler Hub"_s);
    auto* refresh = new QToolButton(this);
    refresh->setObjectName(u"refreshHub"_s);
    refresh->setIcon(symbolIcon(u"arrow.clockwise"_s));
    refresh->setText(u"Aktualisieren"_s);
    refresh->setToolTip(u"Aktualisieren"_s);
    auto* header = new QHBoxLayout;
    header->addWidget(title, 1);
    header->addWidget(refresh);

    m_search->setObjectName(u"hubSearch"_s);
    m_search->setPlaceholderText(u"Skills suchen..."_s);
    m_search->setClearButtonEnabled(true);
    m_list->setObjectName(u"hubList"_s);
    m_list->setModel(m_model);
    // Every row has the same height, so thousands of rows lay out at once.
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_chooseHub->setObjectName(u"chooseHub"_s);
    m_emptyHub->setObjectName(u"emptyHub"_s);
    m_emptyHub->setForegroundRole(QPalette::PlaceholderText);
    m_emptyHub->setAlignment(Qt::AlignCenter);
    auto* choosePage = new QWidget(this);
    auto* chooseLayout = new QVBoxLayout(choosePage);
    chooseLayout->addWidget(m_chooseHub, 0, Qt::AlignHCenter | Qt::AlignTop);
    m_pages->addWidget(m_list);
    m_pages->addWidget(choosePage);
    m_pages->addWidget(m_emptyHub);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_search);
    layout->addWidget(m_pages);

    connect(refresh, &QToolButton::clicked, &m_linker, &FileLinkerService::scanCentralRepository);
    connect(m_chooseHub, &QPushButton::clicked, &m_linker, &FileLinkerService::chooseCentralHub);
    connect(m_search, &QLineEdit::textChanged, this, &CentralHubListView::reload);
    connect(&m_linker, &FileLinkerService::availableSkillsChanged, this, &CentralHubListView::reload);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CentralHubListView::takeSelectionFromList);
    connect(m_list, &QListView::customContextMenuRequested, this, &CentralHubListView::showContextMenu);
    reload();
}

void CentralHubListView::clearSearch()
{
    m_search->clear();
}

void CentralHubListView::setSelectedSkill(const std::optional<Skill>& skill)
{
    if (m_selectedSkill == skill)
        return;
    m_selectedSkill = skill;
    reload();
    Q_EMIT selectedSkillChanged(m_selectedSkill);
}

QList<Skill> CentralHubListView::visibleSkills() const
{
    const QString search = m_search->text();
    if (search.isEmpty())
        return m_linker.availableSkills();
    QList<Skill> matching;
    for (const Skill& skill : m_linker.availableSkills()) {
        if (skill.name.contains(search, Qt::CaseInsensitive))
            matching.append(skill);
    }
    return matching;
}

void CentralHubListView::reload()
{
    // The empty states follow the whole hub, never the search.
    if (m_linker.availableSkills().isEmpty())
        m_pages->setCurrentIndex(m_linker.hasValidCentralHub() ? 2 : 1);
    else
        m_pages->setCurrentWidget(m_list);

    const QSignalBlocker blocker(m_list->selectionModel());
    m_model->setSkills(visibleSkills());
    if (m_selectedSkill) {
        if (const QModelIndex row = m_model->indexOf(m_selectedSkill->url); row.isValid())
            m_list->selectionModel()->select(row, QItemSelectionModel::ClearAndSelect);
    }
}

void CentralHubListView::takeSelectionFromList()
{
    const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
    std::optional<Skill> skill;
    if (!selected.isEmpty())
        skill = m_model->skillAt(selected.constFirst());
    if (skill == m_selectedSkill)
        return;
    m_selectedSkill = skill;
    Q_EMIT selectedSkillChanged(m_selectedSkill);
}

void CentralHubListView::showContextMenu(const QPoint& position)
{
    const std::optional<Skill> clicked = m_model->skillAt(m_list->indexAt(position));
    if (!clicked)
        return;
    const Skill skill = *clicked;
    QMenu menu(this);
    menu.addAction(u"Im Finder anzeigen"_s, this,
                   [this, skill] { m_platform.reveal.reveal(skill.url.toLocalFile()); });
    menu.addSeparator();
    menu.addAction(symbolIcon(u"trash"_s), u"Löschen"_s, this, [this, skill] { confirmAndDelete(skill); });
    menu.exec(m_list->viewport()->mapToGlobal(position));
}

void CentralHubListView::confirmAndDelete(const Skill& skill)
{
    if (!m_platform.alerts.confirmDestructive(u"Möchtest du '%1' wirklich löschen?"_s.arg(skill.name),
                                              u"Diese Aktion kann nicht rückgängig gemacht werden."_s,
                                              u"Abbrechen"_s, u"Löschen"_s))
        return;
    m_linker.removeHubItem(skill);
    if (m_selectedSkill && m_selectedSkill->url == skill.url)
        setSelectedSkill(std::nullopt);
}
