#pragma once

#include "model/Skill.h"

#include <QList>
#include <QString>

#include <optional>

class FolderAccess;
class HubSettings;
class SecurityScopes;

// The hub's items as last scanned, sorted by name.
class HubCatalog
{
public:
    HubCatalog(const HubSettings& settings, const FolderAccess& access);

    // Reads the hub folder anew through its bookmark; an unusable bookmark empties the list.
    void scanCentralRepository();
    const QList<Skill>& availableSkills() const { return m_availableSkills; }

    // The scanned item whose file name (extension included) is this, if any.
    std::optional<Skill> itemNamed(const QString& fileName) const;
    // Whether the hub folder holds an entry of that name; nothing when it cannot be reached.
    std::optional<bool> containsItem(const QString& itemName) const;

private:
    const HubSettings& m_settings;
    const FolderAccess& m_access;
    QList<Skill> m_availableSkills;
};
