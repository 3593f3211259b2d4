#include "access/ItemName.h"

#include <algorithm>

using namespace Qt::StringLiterals;

Outcome checkItemName(const QString& name)
{
    if (name.isEmpty())
        return Error{u"The name is empty."_s};
    if (name == u"."_s || name == u".."_s)
        return Error{u"The name \"%1\" stands for a folder itself, not an item in it."_s.arg(name)};
    if (name.contains(u'/'))
        return Error{u"The name contains \"/\", which would place the item in another folder."_s};
    if (name.contains(QChar(0)))
        return Error{u"The name contains a NUL character."_s};
    if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return Error{u"The name contains control characters."_s};
    return {};
}
