// The steps of a bulk change, as the user is shown them.
#include "linker/PlacementPlan.h"

using namespace Qt::StringLiterals;

QString PlanAction::opName(Op op)
{
    switch (op) {
    case Op::create:
        return u"create"_s;
    case Op::copy:
        return u"copy"_s;
    case Op::replace:
        return u"replace"_s;
    case Op::trash:
        return u"trash"_s;
    case Op::takeIntoHub:
        return u"take-into-hub"_s;
    case Op::remove:
        break;
    }
    return u"remove"_s;
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
