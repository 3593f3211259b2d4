#pragma once

#include "base/Result.h"
#include "model/TargetApp.h"

#include <QString>

#include <optional>

// How a hub item stands in a target folder. Linking, unlinking, restoring and the
// linked state all go through this, so each way of placing items fits in without
// touching their callers.
class Placement
{
public:
    virtual ~Placement() = default;

    virtual PlacementKind kind() const = 0;
    // Puts the hub item at `place`; fails when anything, even a dangling link, stands there.
    virtual Outcome place(const QString& hubItemPath, const QString& place) const = 0;
    // Whether `place` holds this placement of that hub item as it is now.
    virtual bool isPlacementOf(const QString& place, const QString& hubItemPath) const = 0;
    // Whether what stands at `place` may give way to a new placement without a record
    // saying Quorvane put it there: never the user's own content.
    virtual bool mayReplace(const QString& place) const = 0;
    // What Quorvane remembers of the placement at `place`: a copy's content hash; nothing for a link.
    virtual Result<std::optional<QString>> fingerprint(const QString& place) const = 0;

    // Puts a new placement where something stands, in one exchange: a reader of `place` sees
    // the old entry or the new one, never none. The old entry is removed afterwards.
    Outcome replace(const QString& hubItemPath, const QString& place) const;
    // Takes whatever placement stands at `place` away (a link as a link, never what it leads to).
    static Outcome remove(const QString& place);
};

// A symbolic link holding the hub item's absolute path.
class SymbolicLinkPlacement final : public Placement
{
public:
    PlacementKind kind() const override { return PlacementKind::link; }
    Outcome place(const QString& hubItemPath, const QString& place) const override;
    // Relative destinations and links on the way do not matter; letter case does.
    bool isPlacementOf(const QString& place, const QString& hubItemPath) const override;
    // Someone else's link may go; a real file or folder stays.
    bool mayReplace(const QString& place) const override;
    Result<std::optional<QString>> fingerprint(const QString&) const override
    {
        return std::optional<QString>();
    }
};

// A real copy of the hub item, for assistants that do not follow links. It is made under a
// hidden name and moved into place without replacing, so a half-made copy is never seen.
class CopyPlacement final : public Placement
{
public:
    PlacementKind kind() const override { return PlacementKind::copy; }
    Outcome place(const QString& hubItemPath, const QString& place) const override;
    // A real file or folder with the hub item's content.
    bool isPlacementOf(const QString& place, const QString& hubItemPath) const override;
    // Real content is never replaced on its own account; only a record tells it is a copy.
    bool mayReplace(const QString& place) const override;
    Result<std::optional<QString>> fingerprint(const QString& place) const override;
};

// How a copy that Quorvane made stands, against what was copied and the hub item now.
enum class CopyState
{
    current,  // as copied, and the hub item still holds the same
    outdated, // as copied, but the hub item changed since
    modified, // changed in the app's folder since it was copied
};
CopyState copyStateOf(const QString& place, const QString& hubItemPath, const QString& copiedHash);

// The ways of placing, one for each kind an app can choose.
struct Placements
{
    const Placement& link;
    const Placement& copy;

    const Placement& of(PlacementKind kind) const { return kind == PlacementKind::copy ? copy : link; }
};
