#pragma once

#include "model/Skill.h"

#include <QAbstractListModel>
#include <QList>
#include <QSet>

#include <optional>

// The hub items a list shows, one row each: the name with a folder or file symbol, and a
// mark where an update is available or the audit found an open risk.
// Replacing the rows is one reset, so filtering thousands of items stays cheap.
class HubSkillListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // `withUpdate` names the items whose repository has a newer version, `withRisk` those with
    // open audit findings of level high.
    void setSkills(QList<Skill> skills, QSet<QString> withUpdate = {}, QSet<QString> withRisk = {});
    const QList<Skill>& skills() const { return m_skills; }
    std::optional<Skill> skillAt(const QModelIndex& index) const;
    // The row of the item at that place, if it is shown.
    QModelIndex indexOf(const QString& path) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<Skill> m_skills;
    QSet<QString> m_withUpdate;
    QSet<QString> m_withRisk;
};
