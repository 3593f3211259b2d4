#pragma once

#include "base/Result.h"

#include <QString>

// How a hub item stands in a target folder. Linking, unlinking, restoring and the
// linked state all go through this, so another way of placing items fits in without
// touching their callers.
class Placement
{
public:
    virtual ~Placement() = default;

    // Puts the hub item at `place`; fails when anything, even a dangling link, stands there.
    virtual Outcome place(const QString& hubItemPath, const QString& place) const = 0;
    // Whether `place` holds this placement of that hub item.
    virtual bool isPlacementOf(const QString& place, const QString& hubItemPath) const = 0;
    // Whether what stands at `place` may give way to a new placement: never the user's own content.
    virtual bool mayReplace(const QString& place) const = 0;
    // Takes the placement at `place` away (never what it leads to).
    virtual Outcome remove(const QString& place) const = 0;
};

// A symbolic link holding the hub item's absolute path.
class SymbolicLinkPlacement final : public Placement
{
public:
    Outcome place(const QString& hubItemPath, const QString& place) const override;
    // Relative destinations and links on the way do not matter; letter case does.
    bool isPlacementOf(const QString& place, const QString& hubItemPath) const override;
    // Someone else's link may go; a real file or folder stays.
    bool mayReplace(const QString& place) const override;
    Outcome remove(const QString& place) const override;
};
