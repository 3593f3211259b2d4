#pragma once

#include <QHashFunctions>
#include <QString>
#include <QUrl>

#include <optional>

// One entry of a target app's folder, rebuilt by every listing. Its identity is its url.
struct TargetAppSkill
{
    QUrl url;
    QString name; // last path component, extension included
    bool isSymlink = false;
    std::optional<QUrl> symlinkDestination; // normalised final destination of a resolvable link
    bool isBroken = false;
    bool hasNamesakeInHub = false;

    const QUrl& id() const { return url; }

    // Whether the entry is a link whose destination lies inside the hub. A plain,
    // case-insensitive prefix test: a sibling folder "HubOld" of "Hub" counts too.
    bool pointsIntoHub(const QString& hubPath) const;

    friend bool operator==(const TargetAppSkill& a, const TargetAppSkill& b);
    friend bool operator!=(const TargetAppSkill& a, const TargetAppSkill& b) { return !(a == b); }
};

size_t qHash(const TargetAppSkill& skill, size_t seed = 0);

// What an entry of an app's folder is, and so what can be done with it.
enum class TargetItemState
{
    repairable, // a broken link with a namesake in the hub: "Link Reparieren"
    broken,     // "Kaputter Link"
    linked,     // a working link into the hub: "Verlinkt im Hub"
    importable, // a local item or a link elsewhere: "In Hub Importieren"
};
TargetItemState targetItemState(const TargetAppSkill& item, const QString& hubPath);
