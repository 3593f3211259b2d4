// The steps of a bulk change, as the user is shown them.
#include "linker/PlacementPlan.h"

#include "base/EnumNames.h"

using namespace Qt::StringLiterals;

QString PlanAction::opName(Op op)
{
    static constexpr EnumName<Op> names[] = {
        {Op::create, u"create"}, {Op::copy, u"copy"},   {Op::replace, u"replace"},
        {Op::remove, u"remove"}, {Op::trash, u"trash"}, {Op::takeIntoHub, u"take-into-hub"},
    };
    return nameIn<Op>(names, op);
}

qsizetype PlacementPlan::changesHere() const
{
    return std::count_if(conflicts.cbegin(), conflicts.cend(),
                         [](const PlanConflict& conflict) { return conflict.withConsent.has_value(); });
}

void PlacementPlan::consentToChangesHere()
{
    QList<PlanConflict> remaining;
    for (const PlanConflict& conflict : std::as_const(conflicts)) {
        if (conflict.withConsent)
            actions.append(*conflict.withConsent);
        else
            remaining.append(conflict);
    }
    conflicts = remaining;
    std::sort(actions.begin(), actions.end(),
              [](const PlanAction& a, const PlanAction& b) { return a.path < b.path; });
}
