#include "base/Problem.h"

#include <QMetaEnum>

using namespace Qt::StringLiterals;

QString Problem::logText() const
{
    if (kind == Kind::said)
        return data.value(0);
    QString text = QString::fromLatin1(QMetaEnum::fromType<Kind>().valueToKey(int(kind)));
    if (!data.isEmpty())
        text += u'(' + data.join(u", "_s) + u')';
    return cause ? text + u": "_s + cause->logText() : text;
}

QString Problem::logText(const QList<Problem>& problems)
{
    QStringList lines;
    for (const Problem& problem : problems)
        lines.append(problem.logText());
    return lines.join(u'\n');
}
