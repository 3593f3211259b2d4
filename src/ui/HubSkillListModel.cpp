#include "ui/HubSkillListModel.h"

#include "ui/SymbolIcons.h"

using namespace Qt::StringLiterals;

void HubSkillListModel::setSkills(QList<Skill> skills, QSet<QString> withUpdate, QSet<QString> withRisk)
{
    beginResetModel();
    m_skills = std::move(skills);
    m_withUpdate = std::move(withUpdate);
    m_withRisk = std::move(withRisk);
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
    QStringList marks;
    if (m_withRisk.contains(skill.fileName()))
        marks.append(tr("Risk"));
    if (m_withUpdate.contains(skill.fileName()))
        marks.append(tr("Update available"));
    switch (role) {
    case Qt::DisplayRole:
        return (QStringList{skill.name} + marks).join(u"  ·  "_s);
    case Qt::ToolTipRole: {
        QStringList tips;
        if (m_withRisk.contains(skill.fileName()))
            tips.append(tr("The audit found a high risk that you have not accepted."));
        if (m_withUpdate.contains(skill.fileName()))
            tips.append(tr("Update available"));
        return tips.isEmpty() ? QVariant() : QVariant(tips.join(u'\n'));
    }
    case Qt::DecorationRole:
        return skill.isDirectory ? tintedSymbolIcon(u"folder.fill"_s, SymbolColors::folder)
                                 : tintedSymbolIcon(u"doc.text"_s, SymbolColors::file);
    default:
        return {};
    }
}
