#pragma once

#include <QHashFunctions>
#include <QUuid>

// What the sidebar has selected: a target app (by id), the store, the central hub, or the
// health page.
struct SidebarSelection
{
    enum class Kind
    {
        app,
        discoverStore,
        centralHub,
        health, // the page behind "Übersicht": whether each assistant sees its skills
    };

    Kind kind = Kind::centralHub;
    QUuid appID; // for Kind::app only

    static SidebarSelection app(const QUuid& id) { return {Kind::app, id}; }
    static SidebarSelection discoverStore() { return {Kind::discoverStore, {}}; }
    static SidebarSelection centralHub() { return {Kind::centralHub, {}}; }
    static SidebarSelection health() { return {Kind::health, {}}; }

    bool operator==(const SidebarSelection&) const = default;
};

inline size_t qHash(const SidebarSelection& selection, size_t seed = 0)
{
    return qHashMulti(seed, static_cast<int>(selection.kind), selection.appID);
}
