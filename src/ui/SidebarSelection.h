#pragma once

#include <QHashFunctions>
#include <QUuid>

// What the sidebar has selected: a target app (by id), the store, or the central hub.
struct SidebarSelection
{
    enum class Kind
    {
        app,
        discoverStore,
        centralHub
    };

    Kind kind = Kind::centralHub;
    QUuid appID; // for Kind::app only

    static SidebarSelection app(const QUuid& id) { return {Kind::app, id}; }
    static SidebarSelection discoverStore() { return {Kind::discoverStore, {}}; }
    static SidebarSelection centralHub() { return {Kind::centralHub, {}}; }

    bool operator==(const SidebarSelection&) const = default;
};

inline size_t qHash(const SidebarSelection& selection, size_t seed = 0)
{
    return qHashMulti(seed, static_cast<int>(selection.kind), selection.appID);
}
