#pragma once

#include <QHash>
#include <QHashFunctions>
#include <QString>

#include <optional>

// What an entry of an app's folder is, and so what can be done with it. The list and
// the detail pane both show this one classification.
enum class TargetItemState
{
    repairable,   // a broken link with a namesake in the hub: "Link Reparieren"
    broken,       // a broken link without one: "Kaputter Link"
    linked,       // a working link into the hub: "Verlinkt im Hub"
    externalLink, // a working link elsewhere: "In Hub Importieren"
    localItem,    // a real file or folder: "In Hub Importieren"
    copyCurrent,  // a copy Quorvane made, as the hub item is: "Kopie aktuell"
    copyOutdated, // a copy Quorvane made of a hub item changed since: "Kopie veraltet"
    copyModified, // a copy Quorvane made, changed here since: "Kopie hier geändert"
};

constexpr bool isCopy(TargetItemState state)
{
    return state == TargetItemState::copyCurrent || state == TargetItemState::copyOutdated ||
           state == TargetItemState::copyModified;
}

// Whether the entry's content can be moved into the hub.
constexpr bool isImportable(TargetItemState state)
{
    return state == TargetItemState::externalLink || state == TargetItemState::localItem;
}

// Whether paths lie in one folder (the hub) or are it, by whole path components in the
// letter case the file system keeps. Paths as written are compared first; the others are
// resolved, each folder they lie in once, so a listing of many links elsewhere stays cheap.
// A path's last component must not be a link: it is a destination followed to its end.
class FolderContainment
{
public:
    explicit FolderContainment(const QString& folder);

    bool contains(const QString& path) const;

private:
    QString canonicalOf(const QString& cleanPath) const;

    QString m_folder; // cleaned
    mutable std::optional<QString> m_canonicalFolder;
    mutable QHash<QString, QString> m_canonicalParents;
};

// One entry of a target app's folder, rebuilt by every listing. Its identity is its path.
struct TargetAppSkill
{
    QString path;
    QString name; // last path component, extension included
    bool isSymlink = false;
    std::optional<QString> symlinkDestination; // normalised final destination path of a resolvable link
    bool isBroken = false;
    bool hasNamesakeInHub = false;
    TargetItemState state = TargetItemState::localItem;

    const QString& id() const { return path; }

    // Whether the entry is a link whose destination is the hub folder or lies below it,
    // compared by whole path components in the letter case the file system keeps.
    bool pointsIntoHub(const QString& hubPath) const;
    // The state of the entry with the hub at that path, as far as the entry itself tells:
    // whether it is a copy, only the records know.
    TargetItemState classified(const QString& hubPath) const;
    TargetItemState classified(const FolderContainment& hub) const;

    bool operator==(const TargetAppSkill&) const = default;
};

size_t qHash(const TargetAppSkill& skill, size_t seed = 0);
