#include "ui/HubSkillListModel.h"

#include "ui/SymbolIcons.h"

using namespace Qt::StringLiterals;

void HubSkillListModel::setSkills(QList<Skill> skills, QSet<QString> withUpdate)
{
    beginResetModel();
    m_skills = std::move(skills);
    m_withUpdate = std::move(withUpdate);
    endResetModel();
}

std::optional<Skill> HubSkillListModel::skillAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= m_skills.size())
        return std::nullopt;
    return m_skills.at(index.row());
}

QModelIndex HubSkillListModel::indexOf(const QString& path) const
{
    for (qsizetype row = 0; row < m_skills.size(); ++row) {
        if (m_skills.at(row).path == path)
            return index(static_cast<int>(row));
    }
    return {};
}

int HubSkillListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_skills.size());
}

QVariant HubSkillListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_skills.size())
        return {};
    const Skill& skill = m_skills.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return m_withUpdate.contains(skill.fileName()) ? skill.name + u"  ·  "_s + tr("Update verfügbar")
                                                       : skill.name;
    case Qt::ToolTipRole:
        return m_withUpdate.contains(skill.fileName()) ? QVariant(tr("Update verfügbar")) : QVariant();
    case Qt::DecorationRole:
        return skill.isDirectory ? tintedSymbolIcon(u"folder.fill"_s, SymbolColors::folder)
                                 : tintedSymbolIcon(u"doc.text"_s, SymbolColors::file);
    default:
        return {};
    }
}
