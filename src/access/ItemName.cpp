#include "access/ItemName.h"

#include <algorithm>

using namespace Qt::StringLiterals;

Outcome checkItemName(const QString& name)
{
    if (name.isEmpty())
        return Error::of(Problem::Kind::nameEmpty);
    if (name == u"."_s || name == u".."_s)
        return Error::of(Problem(Problem::Kind::nameIsAFolderItself, {name}));
    if (name.contains(u'/'))
        return Error::of(Problem::Kind::nameHasSlash);
    if (name.contains(QChar(0)))
        return Error::of(Problem::Kind::nameHasNul);
    if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return Error::of(Problem::Kind::nameHasControlCharacters);
    return {};
}
