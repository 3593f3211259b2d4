#include "CentralHubListView.h"

#include "FileLinkerService.h"
#include "SymbolIcons.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CentralHubListView::CentralHubListView(FileLinkerService& linker, QWidget* parent)
    : QWidget(parent)
    , m_linker(linker)
    , m_list(new QListWidget(this))
{
    auto* title = new QLabel(u"Zentraler Hub"_s, this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title->setFont(titleFont);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_list);
    m_list->setObjectName(u"hubList"_s);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    connect(&m_linker, &FileLinkerService::availableSkillsChanged, this, &CentralHubListView::reload);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CentralHubListView::takeSelectionFromList);
    reload();
}

void CentralHubListView::setSelectedSkill(const std::optional<Skill>& skill)
{
    if (m_selectedSkill == skill)
        return;
    m_selectedSkill = skill;
    reload();
    Q_EMIT selectedSkillChanged(m_selectedSkill);
}

void CentralHubListView::reload()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const Skill& skill : m_linker.availableSkills()) {
        auto* item = new QListWidgetItem(symbolIcon(skill.isDirectory ? u"folder.fill"_s : u"doc.text"_s),
                                         skill.name, m_list);
        item->setData(Qt::UserRole, skill.url);
        item->setSelected(m_selectedSkill == skill);
    }
}

void CentralHubListView::takeSelectionFromList()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    std::optional<Skill> skill;
    if (!selected.isEmpty()) {
        const qsizetype row = m_list->row(selected.constFirst());
        skill = m_linker.availableSkills().value(row);
    }
    if (skill == m_selectedSkill)
        return;
    m_selectedSkill = skill;
    Q_EMIT selectedSkillChanged(m_selectedSkill);
}
